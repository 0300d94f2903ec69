// The invariants on what the panel wrote to the driver during one step: only what the
// user's action asks for, to the ids its rows stood for, framed as its page frames it.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "tests/chaos/ChaosHistory.h"
#include "tests/chaos/ChaosTrace.h"

// What the step's action may write, made by the action from the rows it acted on.
struct ChaosExpect {
    enum class What { Nothing, DeviceName, ChannelName, Ranking, Synchronisation, SampleRate, NameOption,
                      StreamBuffer, AsioBuffer, WdmBuffer, Restore };
    What what = What::Nothing;
    // DeviceName, ChannelName: the ids the edited row stood for. Synchronisation: the ids
    // the ticked row stood for (empty: any device the driver reported).
    std::set<uint32_t> ids;
    std::string name;                   // DeviceName, ChannelName: the name typed, as stored
    bool masterTicked = false;          // Synchronisation: a row was ticked as clock master,
    bool pcDriverMaster = false;        // and it was the "PC Driver" row
    std::vector<std::string> serials;   // Ranking: the serial number of each row, in order
};

struct ChaosViolation {
    std::string invariant;   // a short name, the same for every failure of its kind
    std::string detail;
};

// The first broken invariant among the step's requests, if any.
bool CheckChaosWrites(const std::vector<ChaosRequest>& requests, const ChaosExpect& expect,
                      const CChaosHistory& history, ChaosViolation& violation);

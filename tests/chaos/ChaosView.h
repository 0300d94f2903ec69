// The invariant at a quiet point: every page shows what the driver holds (rows, names,
// check marks, track bars, status panes), read from the panel's controls across the
// process boundary.
#pragma once

#include <nlohmann/json.hpp>

#include "tests/chaos/ChaosPanel.h"
#include "tests/chaos/ChaosWrites.h"

// What the panel may show differently from the driver, by design, at this point.
struct ChaosLeeway {
    bool devicesMoved = false;   // the user moved device rows that no refresh has discarded
    bool optionByBus = false;    // the bus changed the ASIO name option, which the pages read only at start
};

bool CheckChaosView(const CChaosPanel& panel, const nlohmann::json& state, const ChaosLeeway& leeway,
                    ChaosViolation& violation);

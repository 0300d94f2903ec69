// One plug of a device as a statement names it: "plug-state [N] PLUG STATE [VALUE]",
// read the same way in a scenario file (on the last device when N is left out) and on
// the running bus, where the console finds device N and restarts the streams.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/SimBus.h"

// The plugs in the order of SimPlugIndex and of a _STREAM_INFO record.
inline constexpr const char* kSimPlugNames[PlugCount] = {"audio-out", "audio-in", "synch-out", "synch-in"};

enum class SimPlugState { Present, Absent, Fail, Stream, Count };
inline constexpr const char* kSimPlugStates[static_cast<int>(SimPlugState::Count)] = {"present", "absent", "fail",
                                                                                        "stream"};

struct SimPlugLine {
    std::optional<uint32_t> device;   // N, numbered from 1; absent: the last device
    SimPlugIndex plug = PlugAudioOut;
    SimPlugState state = SimPlugState::Present;
    uint32_t value = 0;               // the error code of fail, the stream number of stream
};

// True for one of kSimPlugNames: the word that tells the old spelling "plug PLUG ..."
// from "plug N".
bool IsSimPlugName(const std::string& word);

// Reads "plug-state [N] PLUG STATE [VALUE]" (w[0] is not looked at). Empty on success,
// else why the words were refused. Whether device N exists is the caller's to check.
std::string ReadSimPlugLine(const std::vector<std::string>& w, SimPlugLine& line);

// Sets the plug of the line on the device. The stream numbers take effect when the
// streams start.
void ApplySimPlugLine(const SimPlugLine& line, SimDevice& device);

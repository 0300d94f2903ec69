// Everything a support report says, gathered once: what the driver answered (read
// through the one reader, protocol/DriverReader.h), which of its reads failed, the
// requests that failed lately, the event history and what the caller knows of the
// program and the system. The text and the JSON are both written from these facts, so
// they cannot disagree.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "driver/RequestFailure.h"
#include "history/EventHistory.h"
#include "protocol/DriverState.h"
#include "protocol/RequestJournal.h"

// The computer's and the user's names, UTF-8: in a report only when asked for.
struct ComputerNames {
    std::string computer;
    std::string user;
};

// The outcome of each part of the report's read of the driver; a part that failed
// shows what was read of it, which may be nothing.
struct SupportReads {
    RequestFailure version;
    RequestFailure devices;
    RequestFailure syncModes;
    RequestFailure inputs;
    RequestFailure outputs;
    RequestFailure clockSource;
    RequestFailure rateMode;
    RequestFailure sampleRates;
    RequestFailure streams;
    RequestFailure streamDepth;
    RequestFailure asioDepth;
    RequestFailure wdmDepth;
    RequestFailure statistics;

    // Every part, in the order above.
    std::vector<const RequestFailure*> Parts() const;

    // The first part that failed, in the order above; Ok() when every part was read.
    RequestFailure First() const;
};

// The event history as the report shows it, or none for a program that keeps none.
struct SupportHistory {
    std::vector<HistoryEntry> entries;   // oldest first
    uint64_t dropped = 0;                // entries that went to make room
};

struct SupportFacts {
    std::string writtenBy;                      // the program that wrote the report, UTF-8
    std::string programVersion;                 // of the panel and ovxctl, one version
    std::string operatingSystem;                // UTF-8, as the caller read it
    std::chrono::system_clock::time_point writtenAt;
    DrvResult opening = DRV_OK;                 // why the connection could not be opened; nothing was read then
    DriverState driver;
    SupportReads reads;
    std::vector<FailedRequest> failedRequests;  // oldest first
    std::optional<SupportHistory> history;
    std::optional<ComputerNames> names;

    bool DriverOpen() const { return opening == DRV_OK; }
    // Whether this part of the driver was read (the connection open and the part's requests answered).
    bool Read(const RequestFailure& part) const { return DriverOpen() && part.Ok(); }
};

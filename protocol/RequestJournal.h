// What the panel's own connection asked of the driver, kept as the rest of the panel
// needs it: the writes the driver took since they were last taken (so that what a
// refresh reads back of them is known for the panel's own doing, not news from
// elsewhere), and the requests that failed lately (for a support report).
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>

#include "driver/DriverRecords.h"
#include "driver/RequestFailure.h"
#include "driver/RequestObserver.h"

struct OwnWrites {
    std::optional<uint32_t> sampleRate;               // the last rate the driver took, Hz
    std::optional<_CLOCK_SOURCE_INFO> clockSource;    // the last clock master it took
    std::optional<bool> streamingStarted;             // the last StartStreaming: taken or refused

    bool Any() const { return sampleRate || clockSource || streamingStarted; }
    // These writes followed by the later ones: each later write takes the place of its kind's.
    void Merge(const OwnWrites& later)
    {
        if (later.sampleRate)
            sampleRate = later.sampleRate;
        if (later.clockSource)
            clockSource = later.clockSource;
        if (later.streamingStarted)
            streamingStarted = later.streamingStarted;
    }
};

struct FailedRequest {
    std::chrono::system_clock::time_point when;   // the last time it failed so
    RequestFailure failure;
    uint32_t times = 1;                           // one after the other, with the same code
};

class CRequestJournal final : public IRequestObserver {
public:
    static constexpr size_t kKeptFailures = 32;

    void OnRequest(uint32_t code, const void* input, uint32_t inputSize, DrvResult result) override;

    // The writes since the last call, which forgets them.
    OwnWrites TakeOwnWrites();
    // The failures, oldest first; a failure that repeats the one before it counts there.
    const std::deque<FailedRequest>& RecentFailures() const { return m_failures; }

private:
    OwnWrites m_own;
    std::deque<FailedRequest> m_failures;
};

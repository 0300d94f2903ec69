#include "protocol/RequestJournal.h"

#include <cstring>

#include "driver/ControlCodes.h"

namespace {

template <typename Record>
std::optional<Record> RecordOf(const void* input, uint32_t inputSize)
{
    if (!input || inputSize < sizeof(Record))
        return std::nullopt;
    Record record{};
    std::memcpy(&record, input, sizeof record);
    return record;
}

}  // namespace

void CRequestJournal::OnRequest(uint32_t code, const void* input, uint32_t inputSize, DrvResult result)
{
    if (result != DRV_OK) {
        const auto now = std::chrono::system_clock::now();
        if (!m_failures.empty() && m_failures.back().failure.request == code && m_failures.back().failure.code == result) {
            m_failures.back().when = now;
            ++m_failures.back().times;
        } else {
            m_failures.push_back({now, {code, result}, 1});
            if (m_failures.size() > kKeptFailures)
                m_failures.pop_front();
        }
        if (code == OvxIoctl::StartStreaming)
            m_own.streamingStarted = false;
        return;
    }
    switch (code) {
    case OvxIoctl::SetSampleRate:
        if (const auto request = RecordOf<_SAMPLE_RATE_REQUEST>(input, inputSize))
            m_own.sampleRate = request->rate;
        break;
    case OvxIoctl::SetClockSource:
        m_own.clockSource = RecordOf<_CLOCK_SOURCE_INFO>(input, inputSize);
        break;
    case OvxIoctl::StartStreaming: m_own.streamingStarted = true; break;
    default: break;
    }
}

OwnWrites CRequestJournal::TakeOwnWrites()
{
    OwnWrites taken = m_own;
    m_own = {};
    return taken;
}

#include "protocol/DriverState.h"

#include <algorithm>

#include "driver/RecordText.h"

SyncMode SyncModeOf(const _SYNC_MODE_ENTRY& entry)
{
    return {entry.modeCode, entry.sourceId, std::string(FieldText(entry.name))};
}

int DriverState::DeviceIndex(uint32_t deviceId) const
{
    const auto found = std::find_if(devices.begin(), devices.end(),
                                    [deviceId](const _OVX_DEVICE_PROPERTIES& d) { return d.deviceId == deviceId; });
    return found == devices.end() ? -1 : static_cast<int>(found - devices.begin());
}

std::vector<uint32_t> DriverState::OfferedRates() const
{
    return {sampleRates.rates, sampleRates.rates + std::min(sampleRates.rateCount, kMaxSampleRates)};
}

StreamingState DriverState::Streaming() const
{
    CStreamingVerdict verdict;
    for (const DeviceStreams& device : streams)
        verdict.AddDevice(device.read ? &device.info : nullptr);
    return verdict.State();
}

const _BUFFER_DEPTH_INFO& DriverState::DepthOf(BufferKind kind) const
{
    switch (kind) {
    case BufferKind::Stream: return streamDepth;
    case BufferKind::Asio: return asioDepth;
    case BufferKind::Wdm: break;
    }
    return wdmDepth;
}

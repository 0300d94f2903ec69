#include "protocol/DriverFindingsOf.h"

#include "driver/RecordText.h"

namespace {

// The stream status read for devices[index], or null.
const _STREAM_INFO* ReadStreams(const DriverState& state, size_t index)
{
    return index < state.streams.size() && state.streams[index].read ? &state.streams[index].info : nullptr;
}

}  // namespace

DriverFindings FindingsOf(const DriverState& state, bool driverReached)
{
    DriverFindings findings;
    findings.driverReached = driverReached;
    findings.sampleRate = state.sampleRates.currentRate;
    findings.clockKnown = state.clockSourceRead;
    findings.clockSource = state.clockSource;
    bool failureFound = false;
    for (size_t i = 0; i < state.devices.size(); ++i) {
        const _OVX_DEVICE_PROPERTIES& device = state.devices[i];
        findings.devices.push_back(
            {device.deviceId, std::string(FieldText(device.name)), std::string(FieldText(device.serialNumber))});
        const _STREAM_INFO* streams = ReadStreams(state, i);
        if (streams && !failureFound && FirstFailedAudioPlug(*streams, findings.failureCode)) {
            findings.failedDevice = findings.devices.back().name;
            failureFound = true;
        }
    }
    findings.streaming = state.Streaming();
    return findings;
}

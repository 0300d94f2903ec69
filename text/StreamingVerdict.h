// Whether streaming runs, as the status bar, the tray and ovxctl tell it: from each
// device's stream status, its two audio plugs.
#pragma once

#include "driver/DriverRecords.h"

enum class StreamingState { Streaming, ConnectFailed, NoStreams };

// Devices are added in the driver's order; a device whose stream status could not be read is added as null
// and does not change the verdict. No device at all: NoStreams. Every read device with both audio plugs
// connected: Streaming. Otherwise ConnectFailed.
class CStreamingVerdict {
public:
    void AddDevice(const _STREAM_INFO* info);
    StreamingState State() const;

private:
    bool m_anyDevice = false;
    bool m_anyFailed = false;
};

// The error of the first audio plug (out, then in) that failed to connect; false when none did.
bool FirstFailedAudioPlug(const _STREAM_INFO& info, uint32_t& error);

const char* StreamingStateText(StreamingState state);   // "streaming", "connect failed", "no streams available" (the TXT_ constants of res/StreamTexts.h)
unsigned StreamingStateTextId(StreamingState state);    // IDS_STREAMING, IDS_CONNECT_FAILED_STATE, IDS_NO_STREAMS

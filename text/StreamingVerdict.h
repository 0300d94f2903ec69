// Whether streaming runs, as the status bar, the tray and ovxctl tell it: every device's
// audio plugs connected, or not.
#pragma once

#include "driver/DriverRecords.h"

enum class StreamingState { Streaming, ConnectFailed, NoStreams };

// Devices are added in the driver's order; a device whose stream status could not be read
// is added as null and does not change the verdict. No device at all: NoStreams. Every
// read device with both audio plugs connected: Streaming. Otherwise ConnectFailed.
class CStreamingVerdict {
public:
    void AddDevice(const _STREAM_INFO* info);
    StreamingState State() const;

private:
    bool m_bAnyDevice = false;
    bool m_bAnyFailed = false;
};

const char* StreamingStateText(StreamingState state);
unsigned StreamingStateTextId(StreamingState state);

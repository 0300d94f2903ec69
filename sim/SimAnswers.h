// The simulated driver's answers to the requests about the bus. Input and output
// buffers arrive already checked against the catalogue's exact sizes.
#pragma once

#include <cstdint>

#include "sim/SimBus.h"

// Where the answers put the driver events they cause.
class ISimEventSink {
public:
    virtual ~ISimEventSink() = default;
    virtual void QueueEvent(uint32_t kind) = 0;
};

class CSimAnswers {
public:
    CSimAnswers(SimBus& bus, ISimEventSink& events) : m_bus(bus), m_events(events) {}

    // Answers one request; returns 0 or the error a driver would return.
    uint32_t Answer(uint32_t code, const void* in, void* out);

    // Streaming on: numbers and connects every present plug. Off: every plug idle.
    static void StartStreams(SimBus& bus);
    static void StopStreams(SimBus& bus);

private:
    // What SetDeviceSyncMode sends: the first 12 bytes of a _DEVICE_SYNC_MODE_INFO.
    struct SyncModeHead {
        uint32_t deviceId;
        uint32_t modeCode;
        uint32_t sourceId;
    };

    // The requests about streaming and the buffers; the rest of Answer.
    uint32_t AnswerStreaming(uint32_t code, const void* in, void* out);
    // Readers write their whole record to `out` on success and nothing otherwise.
    uint32_t GetDeviceList(void* out) const;
    uint32_t GetChannelLists(void* out) const;
    uint32_t GetSampleRates(void* out) const;
    uint32_t GetDeviceSyncMode(uint32_t id, void* out) const;
    uint32_t GetDeviceProperties(uint32_t id, void* out) const;
    uint32_t GetStreamInfo(uint32_t id, void* out) const;
    uint32_t GetChannelProperties(uint32_t id, void* out) const;
    uint32_t GetAudioDepth(const SimDepth& depth, void* out) const;
    uint32_t SetClockSource(const _CLOCK_SOURCE_INFO& source);
    uint32_t SetSampleRate(const _SAMPLE_RATE_REQUEST& request);
    uint32_t SetDeviceSyncMode(const SyncModeHead& head);
    uint32_t SetDeviceProperties(const _OVX_DEVICE_PROPERTIES& properties);
    uint32_t SetChannelProperties(const _OVX_CHANNEL_PROPERTIES& properties);
    uint32_t SetDepth(SimDepth& depth, uint32_t current);
    void RestartStreams();

    SimDevice* FindDevice(uint32_t id);
    const SimDevice* FindDevice(uint32_t id) const;

    SimBus& m_bus;
    ISimEventSink& m_events;
};

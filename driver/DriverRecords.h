// The records exchanged with the kernel driver. Every record is a plain block of
// little-endian 32-bit words and fixed 8-bit ANSI text fields with no padding; the
// driver reads and writes them byte for byte, so sizes and offsets are checked here.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little,
              "driver records are little-endian and are used in place");

constexpr uint32_t kMaxDevices = 64;          // ids in a _DEVICE_ID_LIST
constexpr uint32_t kMaxChannels = 256;        // ids per direction in _CHANNEL_ID_LISTS
constexpr uint32_t kMaxSampleRates = 8;       // rates in _SAMPLE_RATE_INFO and _PLUG_STATUS
constexpr uint32_t kMaxSyncModes = 16;        // offered entries in _DEVICE_SYNC_MODE_INFO
constexpr uint32_t kNameFieldSize = 40;       // a name holds at most 39 characters
constexpr uint32_t kAsioStatisticsWords = 16;
constexpr uint32_t kAsioDropOutWord = 14;      // the drop-out count

struct _DRIVER_VERSION_INFO {
    uint8_t interfaceMajor;   // the panel accepts only 2
    uint8_t interfaceMinor;   // the panel accepts 14 and above
    uint8_t driverMajor;
    uint8_t driverMinor;
    uint32_t driverBuild;
    uint32_t reserved;        // not interpreted
};
static_assert(sizeof(_DRIVER_VERSION_INFO) == 12);
static_assert(offsetof(_DRIVER_VERSION_INFO, driverBuild) == 4);

// Kinds of _DRIVER_EVENT_INFO::kind.
enum DriverEventKind : uint32_t {
    EvtType_BusReset = 1,
    EvtType_StreamingRestarted = 2,
    EvtType_DomainConfigurationChanged = 3,
    EvtType_AsioBufferSizeChanged = 100,
};

// The kinds after which what the driver holds may differ, so that its readers read again.
constexpr bool EventChangesDriverState(uint32_t kind)
{
    return kind == EvtType_StreamingRestarted || kind == EvtType_DomainConfigurationChanged;
}

struct _DRIVER_EVENT_INFO {
    uint32_t kind;
    uint32_t reserved[2];     // not interpreted
};
static_assert(sizeof(_DRIVER_EVENT_INFO) == 12);

struct _DEVICE_ID_LIST {
    uint32_t count;           // may exceed kMaxDevices on a bad answer
    uint32_t ids[kMaxDevices];
};
static_assert(sizeof(_DEVICE_ID_LIST) == 260);
static_assert(offsetof(_DEVICE_ID_LIST, ids) == 4);

struct _CHANNEL_ID_LIST {
    uint32_t count;           // may exceed kMaxChannels on a bad answer
    uint32_t ids[kMaxChannels];
};
static_assert(sizeof(_CHANNEL_ID_LIST) == 1028);

struct _CHANNEL_ID_LISTS {
    _CHANNEL_ID_LIST input;
    _CHANNEL_ID_LIST output;
};
static_assert(sizeof(_CHANNEL_ID_LISTS) == 2056);
static_assert(offsetof(_CHANNEL_ID_LISTS, output) == 1028);
static_assert(offsetof(_CHANNEL_ID_LISTS, output.ids) == 1032);

struct _OVX_DEVICE_PROPERTIES {
    uint32_t deviceId;
    uint32_t ranking;                 // position in the ranking, 0 first
    char name[kNameFieldSize];
    char serialNumber[384];           // NUL-terminated; bytes after it are not interpreted
};
static_assert(sizeof(_OVX_DEVICE_PROPERTIES) == 432);
static_assert(offsetof(_OVX_DEVICE_PROPERTIES, name) == 8);
static_assert(offsetof(_OVX_DEVICE_PROPERTIES, serialNumber) == 48);

struct _OVX_CHANNEL_PROPERTIES {
    uint32_t reserved0;               // not interpreted
    uint32_t deviceId;                // owning device
    uint32_t reserved8;               // not interpreted
    char hardwareName[kNameFieldSize];
    char channelName[kNameFieldSize];
};
static_assert(sizeof(_OVX_CHANNEL_PROPERTIES) == 92);
static_assert(offsetof(_OVX_CHANNEL_PROPERTIES, deviceId) == 4);
static_assert(offsetof(_OVX_CHANNEL_PROPERTIES, hardwareName) == 12);
static_assert(offsetof(_OVX_CHANNEL_PROPERTIES, channelName) == 52);

struct _CLOCK_SOURCE_INFO {
    uint32_t reserved;                // not interpreted; written back as read
    uint32_t masterFlag;              // 0 = the PC driver is master, 1 = a device is
    uint32_t masterDeviceId;          // the master device while masterFlag is 1
};
static_assert(sizeof(_CLOCK_SOURCE_INFO) == 12);

struct _RATE_MODE_INFO {
    uint32_t reserved;                // 0 in a write
    uint32_t mode;                    // 0 = manual, non-zero = defined by the clock master
};
static_assert(sizeof(_RATE_MODE_INFO) == 8);

struct _SAMPLE_RATE_INFO {
    uint32_t reserved;                // not interpreted
    uint32_t currentRate;             // Hz
    uint32_t rateCount;               // may exceed kMaxSampleRates on a bad answer
    uint32_t rates[kMaxSampleRates];  // Hz, in the driver's order
};
static_assert(sizeof(_SAMPLE_RATE_INFO) == 44);
static_assert(offsetof(_SAMPLE_RATE_INFO, rates) == 12);

// The request that sets a sampling rate carries {0, rate}.
struct _SAMPLE_RATE_REQUEST {
    uint32_t reserved;
    uint32_t rate;
};
static_assert(sizeof(_SAMPLE_RATE_REQUEST) == 8);

struct _SYNC_MODE_ENTRY {
    uint32_t modeCode;
    uint32_t sourceId;                // identifies the entry among the offered ones
    char name[kNameFieldSize];        // may be empty
};
static_assert(sizeof(_SYNC_MODE_ENTRY) == 48);
static_assert(offsetof(_SYNC_MODE_ENTRY, name) == 8);

struct _DEVICE_SYNC_MODE_INFO {
    uint32_t deviceId;                // passed back unchanged
    _SYNC_MODE_ENTRY current;
    uint32_t offeredCount;            // may exceed kMaxSyncModes on a bad answer
    _SYNC_MODE_ENTRY offered[kMaxSyncModes];
};
static_assert(sizeof(_DEVICE_SYNC_MODE_INFO) == 824);
static_assert(offsetof(_DEVICE_SYNC_MODE_INFO, current) == 4);
static_assert(offsetof(_DEVICE_SYNC_MODE_INFO, offeredCount) == 52);
static_assert(offsetof(_DEVICE_SYNC_MODE_INFO, offered) == 56);

// SetDeviceSyncMode sends only the head of _DEVICE_SYNC_MODE_INFO.
constexpr uint32_t kSyncModeHeadSize = 12;

enum PlugState : uint32_t {
    PlugState_Connected = 3,
    PlugState_ConnectFailed = 4,
};

struct _PLUG_STATUS {
    uint32_t state;                   // 3 connected, 4 connect failed, else nothing to report
    uint32_t error;                   // driver code explaining a failed connection
    uint32_t streamNumber;            // isochronous stream number while connected
    uint32_t currentRate;             // Hz
    uint32_t rateCount;               // may exceed kMaxSampleRates on a bad answer
    uint32_t rates[kMaxSampleRates];
};
static_assert(sizeof(_PLUG_STATUS) == 52);
static_assert(offsetof(_PLUG_STATUS, rates) == 20);

struct _STREAM_INFO {
    uint32_t reserved;                // not interpreted
    _PLUG_STATUS audioOut;
    _PLUG_STATUS audioIn;
    _PLUG_STATUS synchOut;
    _PLUG_STATUS synchIn;
};
static_assert(sizeof(_STREAM_INFO) == 212);
static_assert(offsetof(_STREAM_INFO, audioOut) == 4);
static_assert(offsetof(_STREAM_INFO, audioIn) == 56);
static_assert(offsetof(_STREAM_INFO, synchOut) == 108);
static_assert(offsetof(_STREAM_INFO, synchIn) == 160);

// Depths and steps in microseconds. The stream buffer and the two audio buffers
// (ASIO, WDM) use the same 16 bytes in different orders.
struct _STREAM_DEPTH_LAYOUT {
    uint32_t minimum;
    uint32_t reserved;                // not interpreted
    uint32_t step;
    uint32_t current;
};
struct _AUDIO_DEPTH_LAYOUT {
    uint32_t current;
    uint32_t minimum;
    uint32_t step;
    uint32_t samples;                 // the current depth in samples, read-only
};
union _BUFFER_DEPTH_INFO {
    _STREAM_DEPTH_LAYOUT stream;
    _AUDIO_DEPTH_LAYOUT audio;
};
static_assert(sizeof(_BUFFER_DEPTH_INFO) == 16);
static_assert(offsetof(_STREAM_DEPTH_LAYOUT, current) == 12);
static_assert(offsetof(_AUDIO_DEPTH_LAYOUT, samples) == 12);

struct _ASIO_STATISTICS {
    uint32_t words[kAsioStatisticsWords];   // word 14 counts the drop-outs
};
static_assert(sizeof(_ASIO_STATISTICS) == 64);

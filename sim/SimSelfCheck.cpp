// Sends every request of the catalogue to the simulated driver through a driver
// connection, the way the panel does, and prints what each one answered.
#include <cstdio>
#include <memory>

#include "driver/ControlCodes.h"
#include "driver/Ovx1394Driver.h"
#include "driver/RecordText.h"
#include "sim/SimDriver.h"

namespace {

int g_failures = 0;

namespace Io = OvxIoctl;

// code: the request's control code, named by the catalogue; 0 for opening the driver.
void Report(uint32_t code, DrvResult result, const char* detail = "")
{
    const OvxIoctl::Request* request = OvxIoctl::FindRequest(code);
    std::printf("  %-26s %s%s\n", request ? request->name : "Open", result == DRV_OK ? "ok   " : "FAIL ", detail);
    if (result != DRV_OK) {
        std::printf("    result 0x%08X\n", static_cast<unsigned>(result));
        ++g_failures;
    }
}

// The per-device requests of every device, and the channels'.
void CheckDevicesAndChannels(COvx1394Driver& driver)
{
    char detail[160];
    _DEVICE_ID_LIST list{};
    Report(Io::GetDeviceList, driver.GetDeviceList(&list));
    for (uint32_t i = 0; i < list.count && i < kMaxDevices; ++i) {
        _OVX_DEVICE_PROPERTIES device{};
        const DrvResult result = driver.GetDeviceProperties(&list.ids[i], &device);
        std::snprintf(detail, sizeof detail, "%.*s (%.*s)", static_cast<int>(FieldText(device.name).size()),
                      device.name, static_cast<int>(FieldText(device.serialNumber).size()),
                      device.serialNumber);
        Report(Io::GetDeviceProperties, result, detail);
        Report(Io::SetDeviceProperties, driver.SetDeviceProperties(&device));
        const auto sync = std::make_unique<_DEVICE_SYNC_MODE_INFO>();
        Report(Io::GetDeviceSyncMode, driver.GetDeviceSyncMode(&list.ids[i], sync.get()));
        Report(Io::SetDeviceSyncMode, driver.SetDeviceSyncMode(sync.get()));
        _STREAM_INFO stream{};
        Report(Io::GetStreamInfo, driver.GetStreamInfo(&list.ids[i], &stream));
    }

    const auto channels = std::make_unique<_CHANNEL_ID_LISTS>();
    const DrvResult channelResult = driver.GetChannelLists(channels.get());
    std::snprintf(detail, sizeof detail, "%u inputs, %u outputs", static_cast<unsigned>(channels->input.count),
                  static_cast<unsigned>(channels->output.count));
    Report(Io::GetChannelLists, channelResult, detail);
    if (channels->input.count > 0) {
        _OVX_CHANNEL_PROPERTIES channel{};
        Report(Io::GetChannelProperties, driver.GetChannelProperties(&channels->input.ids[0], &channel));
        Report(Io::SetChannelProperties, driver.SetChannelProperties(&channel));
    }
}

// The bus-wide settings: names, clock, rates, streaming and the buffers.
void CheckSettings(COvx1394Driver& driver)
{
    char detail[160];
    uint32_t option = 0;
    Report(Io::GetAsioNameOption, driver.GetAsioNameOption(&option));
    Report(Io::SetAsioNameOption, driver.SetAsioNameOption(&option));
    _CLOCK_SOURCE_INFO clock{};
    Report(Io::GetClockSource, driver.GetClockSource(&clock));
    Report(Io::SetClockSource, driver.SetClockSource(&clock));
    uint32_t mode = 0;
    Report(Io::GetRateMode, driver.GetRateMode(&mode));
    Report(Io::SetRateMode, driver.SetRateMode(mode));
    _SAMPLE_RATE_INFO rates{};
    const DrvResult ratesResult = driver.GetSampleRates(&rates);
    std::snprintf(detail, sizeof detail, "current %u Hz, %u supported", static_cast<unsigned>(rates.currentRate),
                  static_cast<unsigned>(rates.rateCount));
    Report(Io::GetSampleRates, ratesResult, detail);
    Report(Io::SetSampleRate, driver.SetSampleRate(rates.currentRate));
    Report(Io::StopStreaming, driver.StopStreaming());
    Report(Io::StartStreaming, driver.StartStreaming());

    _BUFFER_DEPTH_INFO depth{};
    Report(Io::GetStreamBufferDepth, driver.GetStreamBufferDepth(&depth));
    Report(Io::SetStreamBufferDepth, driver.SetStreamBufferDepth(&depth));
    Report(Io::GetAsioBufferDepth, driver.GetAsioBufferDepth(&depth));
    Report(Io::SetAsioBufferDepth, driver.SetAsioBufferDepth(&depth));
    Report(Io::GetWdmBufferDepth, driver.GetWdmBufferDepth(&depth));
    Report(Io::SetWdmBufferDepth, driver.SetWdmBufferDepth(&depth));
    _ASIO_STATISTICS statistics{};
    Report(Io::GetAsioStatistics, driver.GetAsioStatistics(&statistics));
}

}  // namespace

int main()
{
    CSimDriver sim;
    CScopedSimDriver installed(sim);
    int signals = 0;
    sim.SetEventSignaller([&signals](uint32_t) { ++signals; });
    COvx1394Driver driver;

    std::printf("Simulated driver self-check\n");
    Report(0, driver.Open(kOvxDeviceName));

    _DRIVER_VERSION_INFO version{};
    char detail[160];
    const DrvResult versionResult = driver.GetDriverVersion(&version);
    std::snprintf(detail, sizeof detail, "interface %u.%u, driver %u.%u.%u", version.interfaceMajor,
                  version.interfaceMinor, version.driverMajor, version.driverMinor,
                  static_cast<unsigned>(version.driverBuild));
    Report(Io::GetDriverVersion, versionResult, detail);

    // Any non-zero value stands for the event here; the signaller above counts the signals.
    Report(Io::RegisterNotificationEvent,
           driver.RegisterNotificationEvent(reinterpret_cast<void*>(uintptr_t{0x1234})));
    CheckDevicesAndChannels(driver);
    CheckSettings(driver);

    _DRIVER_EVENT_INFO event{};
    int events = 0;
    while (driver.GetNextEvent(&event) == DRV_OK)
        ++events;
    std::snprintf(detail, sizeof detail, "%d pending events drained, %d signals", events, signals);
    Report(Io::GetNextEvent, events > 0 ? DRV_OK : 1, detail);

    size_t distinct = 0;
    for (const OvxIoctl::Request& request : OvxIoctl::Catalogue())
        distinct += sim.CountOf(request.code) > 0 ? 1 : 0;
    std::printf("%zu of %zu requests answered; %d failed\n", distinct, OvxIoctl::Catalogue().size(),
                g_failures);
    return g_failures == 0 && distinct == OvxIoctl::Catalogue().size() ? 0 : 1;
}

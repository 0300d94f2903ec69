// The panel's shared connection to the driver and its copy of what the driver
// reported: devices, synchronisation modes, input and output channels and four
// small settings. It never refreshes itself; pages ask it to reload a list, and it
// then replaces the old records with new ones from the driver's answers.
#pragma once

#include <cstdint>

#include "driver/DriverRecords.h"
#include "driver/Ovx1394Driver.h"
#include "driver/RecordArray.h"

using CDeviceArray = CRecordArray<_OVX_DEVICE_PROPERTIES>;
using CSyncModeArray = CRecordArray<_DEVICE_SYNC_MODE_INFO>;
using CChannelArray = CRecordArray<_OVX_CHANNEL_PROPERTIES>;

class CDrv : public COvx1394Driver {
public:
    CDrv();
    ~CDrv() override;

    void ClearDevices();
    void ClearSyncModes();
    void ClearChannels(CChannelArray& array);

    // Each refresh drops the items the driver could not describe and returns the
    // first such failure; a failed list request leaves the array empty.
    DrvResult RefreshDevices();
    DrvResult RefreshSyncModes();
    DrvResult RefreshChannels(CChannelArray& array, bool output);

    // Store every record; a failure does not stop the others. Returns the first one.
    DrvResult ApplyDevices();
    DrvResult ApplySyncModes();

    uint32_t m_nAsioNameOption = 0;
    _CLOCK_SOURCE_INFO m_clockSource{};
    CDeviceArray m_devices;
    CSyncModeArray m_syncModes;
    CChannelArray m_inputChannels;
    CChannelArray m_outputChannels;
    uint32_t m_nRateMode = 0;
    _SAMPLE_RATE_INFO m_sampleRates{};
};

// The panel's one shared connection and model; closed until the view opens it.
extern CDrv theDrv;

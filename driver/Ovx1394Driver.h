// One connection to the driver's control device. Every request on it runs under
// the connection's lock and ends in one 32-bit result code.
#pragma once

#include <cstdint>
#include <mutex>

#include "driver/DeviceIo.h"
#include "driver/DriverRecords.h"
#include "driver/RequestObserver.h"
#include "driver/ResultCodes.h"

// The driver's control device, also the class of its device interface.
inline constexpr char kOvxDeviceName[] = "{918D4F3E-6947-4ec3-989E-F3B1BD397EAA}";

class COvx1394Driver {
public:
    COvx1394Driver();
    virtual ~COvx1394Driver();

    COvx1394Driver(const COvx1394Driver&) = delete;
    COvx1394Driver& operator=(const COvx1394Driver&) = delete;

    // Opens "\\.\<name>" and accepts only driver interface 2.14 and later 2.x.
    // On an open connection it does nothing and returns 0.
    DrvResult Open(const char* name);
    void Close();
    bool IsOpen() const;

    // Tells the observer of every request from now on; null tells nobody. The observer
    // must outlive the connection or be taken away first.
    void SetRequestObserver(IRequestObserver* observer);

    // The one device I/O control call under the lock. While closed it returns
    // ERROR_DRV_NOT_OPEN and touches neither buffer nor byteCount.
    DrvResult Control(uint32_t code, const void* inBuffer, uint32_t inSize, void* outBuffer,
                      uint32_t outSize, uint32_t* byteCount = nullptr);

    // The requests of the driver, one line each. A reader of a record fails with
    // ERROR_DRV_SHORT_ANSWER when the driver wrote less than the record, and a reader
    // that fails leaves the caller's record as it was.
    DrvResult GetDriverVersion(_DRIVER_VERSION_INFO* version);
    DrvResult GetAsioNameOption(uint32_t* option);
    DrvResult SetAsioNameOption(const uint32_t* option);
    DrvResult RegisterNotificationEvent(void* eventHandle);
    DrvResult GetNextEvent(_DRIVER_EVENT_INFO* event);
    DrvResult GetDeviceList(_DEVICE_ID_LIST* list);
    DrvResult GetChannelLists(_CHANNEL_ID_LISTS* lists);
    DrvResult GetClockSource(_CLOCK_SOURCE_INFO* source);
    DrvResult SetClockSource(const _CLOCK_SOURCE_INFO* source);
    DrvResult GetRateMode(uint32_t* mode);   // mode is written only on success
    DrvResult SetRateMode(uint32_t mode);
    DrvResult GetSampleRates(_SAMPLE_RATE_INFO* rates);
    DrvResult SetSampleRate(uint32_t rateHz);
    DrvResult GetDeviceSyncMode(const uint32_t* deviceId, _DEVICE_SYNC_MODE_INFO* info);
    DrvResult SetDeviceSyncMode(const _DEVICE_SYNC_MODE_INFO* info);   // sends the head only
    DrvResult GetDeviceProperties(const uint32_t* deviceId, _OVX_DEVICE_PROPERTIES* properties);
    DrvResult SetDeviceProperties(const _OVX_DEVICE_PROPERTIES* properties);
    DrvResult GetStreamInfo(const uint32_t* deviceId, _STREAM_INFO* info);
    DrvResult GetChannelProperties(const uint32_t* channelId, _OVX_CHANNEL_PROPERTIES* properties);
    DrvResult SetChannelProperties(const _OVX_CHANNEL_PROPERTIES* properties);
    DrvResult StartStreaming();
    DrvResult StopStreaming();
    DrvResult GetStreamBufferDepth(_BUFFER_DEPTH_INFO* depth);
    DrvResult SetStreamBufferDepth(const _BUFFER_DEPTH_INFO* depth);
    DrvResult GetAsioBufferDepth(_BUFFER_DEPTH_INFO* depth);
    DrvResult SetAsioBufferDepth(const _BUFFER_DEPTH_INFO* depth);
    DrvResult GetWdmBufferDepth(_BUFFER_DEPTH_INFO* depth);
    DrvResult SetWdmBufferDepth(const _BUFFER_DEPTH_INFO* depth);
    DrvResult GetAsioStatistics(_ASIO_STATISTICS* statistics);

protected:
    // Guards m_hDevice and every request; derived classes guard their own state with it.
    mutable std::recursive_mutex m_lock;

private:
    // One fixed-size record read whole: answered into a record of its own, handed on
    // only when every byte of it came from the driver.
    template <typename Record>
    DrvResult ReadRecord(uint32_t code, const uint32_t* id, Record* record);

    DeviceHandle m_hDevice = nullptr;
    IDeviceIo* m_io = nullptr;   // the device I/O that opened m_hDevice
    IRequestObserver* m_observer = nullptr;
};

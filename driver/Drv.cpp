#include "driver/Drv.h"

#include <algorithm>
#include <memory>

namespace {

constexpr DrvResult kErrorNotEnoughMemory = 8;   // ERROR_NOT_ENOUGH_MEMORY

// Reads one record per id of the list and appends those the driver answered.
template <typename Record, typename Read>
DrvResult ReadRecords(CRecordArray<Record>& array, const uint32_t* ids, uint32_t count, uint32_t capacity,
                      Read read)
{
    DrvResult firstFailure = DRV_OK;
    const uint32_t readable = std::min(count, capacity);   // never past the record
    for (uint32_t i = 0; i < readable; ++i) {
        std::unique_ptr<Record> record = CRecordArray<Record>::NewRecord();
        const DrvResult result = record ? read(&ids[i], record.get()) : kErrorNotEnoughMemory;
        if (result == DRV_OK)
            array.Add(std::move(record));
        else if (firstFailure == DRV_OK)
            firstFailure = result;
    }
    return firstFailure;
}

// Sends every record of the array; a failure does not stop the others.
template <typename Record, typename Write>
DrvResult WriteRecords(const CRecordArray<Record>& array, Write write)
{
    DrvResult firstFailure = DRV_OK;
    for (int i = 0; i < array.GetSize(); ++i) {
        const DrvResult result = write(array.GetAt(i));
        if (result != DRV_OK && firstFailure == DRV_OK)
            firstFailure = result;
    }
    return firstFailure;
}

}  // namespace

CDrv theDrv;

CDrv::CDrv() = default;

CDrv::~CDrv()
{
    ClearChannels(m_inputChannels);
    ClearChannels(m_outputChannels);
    ClearDevices();
    ClearSyncModes();
}

void CDrv::ClearDevices()
{
    m_devices.RemoveAll();
}

void CDrv::ClearSyncModes()
{
    m_syncModes.RemoveAll();
}

void CDrv::ClearChannels(CChannelArray& array)
{
    array.RemoveAll();
}

DrvResult CDrv::RefreshDevices()
{
    ClearDevices();
    _DEVICE_ID_LIST list{};   // zero-filled: a short answer leaves count 0
    const DrvResult result = GetDeviceList(&list);
    if (result != DRV_OK)
        return result;
    return ReadRecords(m_devices, list.ids, list.count, kMaxDevices,
                       [this](const uint32_t* id, _OVX_DEVICE_PROPERTIES* record) {
                           return GetDeviceProperties(id, record);
                       });
}

DrvResult CDrv::RefreshSyncModes()
{
    ClearSyncModes();
    _DEVICE_ID_LIST list{};
    const DrvResult result = GetDeviceList(&list);
    if (result != DRV_OK)
        return result;
    return ReadRecords(m_syncModes, list.ids, list.count, kMaxDevices,
                       [this](const uint32_t* id, _DEVICE_SYNC_MODE_INFO* record) {
                           return GetDeviceSyncMode(id, record);
                       });
}

DrvResult CDrv::RefreshChannels(CChannelArray& array, bool output)
{
    ClearChannels(array);
    const auto lists = std::unique_ptr<_CHANNEL_ID_LISTS>(new (std::nothrow) _CHANNEL_ID_LISTS{});
    if (!lists)
        return kErrorNotEnoughMemory;
    const DrvResult result = GetChannelLists(lists.get());
    if (result != DRV_OK)
        return result;
    const _CHANNEL_ID_LIST& list = output ? lists->output : lists->input;
    return ReadRecords(array, list.ids, list.count, kMaxChannels,
                       [this](const uint32_t* id, _OVX_CHANNEL_PROPERTIES* record) {
                           return GetChannelProperties(id, record);
                       });
}

DrvResult CDrv::ApplyDevices()
{
    return WriteRecords(m_devices, [this](const _OVX_DEVICE_PROPERTIES* record) {
        return SetDeviceProperties(record);
    });
}

DrvResult CDrv::ApplySyncModes()
{
    return WriteRecords(m_syncModes, [this](const _DEVICE_SYNC_MODE_INFO* record) {
        return SetDeviceSyncMode(record);
    });
}

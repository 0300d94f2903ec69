#include "driver/RecordLists.h"

#include <algorithm>
#include <memory>
#include <new>

#include "driver/ControlCodes.h"

namespace {

constexpr DrvResult kErrorNotEnoughMemory = 8;   // ERROR_NOT_ENOUGH_MEMORY

template <typename Record, typename Read>
RequestFailure ReadEach(const uint32_t* ids, uint32_t count, uint32_t capacity, uint32_t request, Read read,
                        const RecordSink<Record>& add)
{
    RequestFailure failure;
    const uint32_t readable = std::min(count, capacity);   // never past the list record
    for (uint32_t i = 0; i < readable; ++i) {
        Record record{};
        const DrvResult result = read(&ids[i], &record);
        if (result != DRV_OK)
            failure.Note(request, result);
        else if (!add(record))
            failure.Note(request, kErrorNotEnoughMemory);
    }
    return failure;
}

template <typename Record, typename Read>
RequestFailure ReadForEachDevice(COvx1394Driver& drv, uint32_t request, Read read, const RecordSink<Record>& add)
{
    _DEVICE_ID_LIST list{};   // zero-filled: a short answer leaves count 0
    if (const DrvResult result = drv.GetDeviceList(&list))
        return {OvxIoctl::GetDeviceList, result};
    return ReadEach(list.ids, list.count, kMaxDevices, request, read, add);
}

template <typename Record, typename Store>
RequestFailure StoreEach(std::span<const Record* const> records, std::span<DrvResult> results, uint32_t request,
                         Store store)
{
    RequestFailure failure;
    for (size_t i = 0; i < records.size(); ++i) {
        const DrvResult result = store(records[i]);
        failure.Note(request, result);
        if (i < results.size())
            results[i] = result;
    }
    return failure;
}

}  // namespace

RequestFailure ReadDeviceRecords(COvx1394Driver& drv, const RecordSink<_OVX_DEVICE_PROPERTIES>& add)
{
    return ReadForEachDevice(
        drv, OvxIoctl::GetDeviceProperties,
        [&drv](const uint32_t* id, _OVX_DEVICE_PROPERTIES* record) { return drv.GetDeviceProperties(id, record); },
        add);
}

RequestFailure ReadSyncModeRecords(COvx1394Driver& drv, const RecordSink<_DEVICE_SYNC_MODE_INFO>& add)
{
    return ReadForEachDevice(
        drv, OvxIoctl::GetDeviceSyncMode,
        [&drv](const uint32_t* id, _DEVICE_SYNC_MODE_INFO* record) { return drv.GetDeviceSyncMode(id, record); },
        add);
}

RequestFailure ReadChannelRecords(COvx1394Driver& drv, bool output, const RecordSink<_OVX_CHANNEL_PROPERTIES>& add)
{
    const auto lists = std::unique_ptr<_CHANNEL_ID_LISTS>(new (std::nothrow) _CHANNEL_ID_LISTS{});
    if (!lists)
        return {OvxIoctl::GetChannelLists, kErrorNotEnoughMemory};
    if (const DrvResult result = drv.GetChannelLists(lists.get()))
        return {OvxIoctl::GetChannelLists, result};
    const _CHANNEL_ID_LIST& list = output ? lists->output : lists->input;
    return ReadEach(
        list.ids, list.count, kMaxChannels, OvxIoctl::GetChannelProperties,
        [&drv](const uint32_t* id, _OVX_CHANNEL_PROPERTIES* record) { return drv.GetChannelProperties(id, record); },
        add);
}

RequestFailure StoreDeviceRecords(COvx1394Driver& drv, std::span<const _OVX_DEVICE_PROPERTIES* const> records)
{
    return StoreEach(records, {}, OvxIoctl::SetDeviceProperties,
                     [&drv](const _OVX_DEVICE_PROPERTIES* record) { return drv.SetDeviceProperties(record); });
}

RequestFailure StoreSyncModeRecords(COvx1394Driver& drv, std::span<const _DEVICE_SYNC_MODE_INFO* const> records,
                                    std::span<DrvResult> results)
{
    return StoreEach(records, results, OvxIoctl::SetDeviceSyncMode,
                     [&drv](const _DEVICE_SYNC_MODE_INFO* record) { return drv.SetDeviceSyncMode(record); });
}

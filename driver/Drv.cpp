#include "driver/Drv.h"

#include <memory>
#include <vector>

#include "driver/RecordLists.h"

namespace {

// Appends a copy of each record the driver answered to the model's array.
template <typename Record>
RecordSink<Record> AppendTo(CRecordArray<Record>& array)
{
    return [&array](const Record& answered) {
        std::unique_ptr<Record> record = CRecordArray<Record>::NewRecord();
        if (!record)
            return false;
        *record = answered;
        array.Add(std::move(record));
        return true;
    };
}

template <typename Record>
std::vector<const Record*> RecordsOf(const CRecordArray<Record>& array)
{
    std::vector<const Record*> records;
    for (int i = 0; i < array.GetSize(); ++i)
        records.push_back(array.GetAt(i));
    return records;
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
    return ReadDeviceRecords(*this, AppendTo(m_devices)).code;
}

DrvResult CDrv::RefreshSyncModes()
{
    ClearSyncModes();
    return ReadSyncModeRecords(*this, AppendTo(m_syncModes)).code;
}

DrvResult CDrv::RefreshChannels(CChannelArray& array, bool output)
{
    ClearChannels(array);
    return ReadChannelRecords(*this, output, AppendTo(array)).code;
}

DrvResult CDrv::ApplyDevices()
{
    return StoreDeviceRecords(*this, RecordsOf(m_devices)).code;
}

DrvResult CDrv::ApplySyncModes()
{
    return StoreSyncModeRecords(*this, RecordsOf(m_syncModes)).code;
}

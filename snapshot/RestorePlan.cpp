#include "snapshot/RestorePlan.h"

#include <algorithm>

#include "driver/BufferLimits.h"
#include "driver/RecordText.h"
#include "snapshot/SnapshotJson.h"

size_t RestorePlan::Changes() const
{
    return static_cast<size_t>(std::count_if(items.begin(), items.end(), [](const auto& i) { return !i.Skipped(); }));
}

size_t RestorePlan::Skips() const { return items.size() - Changes(); }

namespace {

class CPlanner {
public:
    CPlanner(const Snapshot& file, const StudioState& now) : m_file(file), m_now(now) {}

    RestorePlan Make();

private:
    // The device record with this serial number, or -1 when it is not connected.
    int Find(const std::string& serial) const;
    PlanItem DeviceItem(PlanKind kind, size_t record) const;
    void Devices();
    void Ranking();
    void Channels(bool output);
    void ClockAndRateMode();
    void SyncModes();
    void Depth(PlanKind kind, uint32_t wanted, uint32_t current, uint32_t minimum, uint32_t step, uint32_t limit);
    void SampleRate();
    void DevicesNotInFile();

    const Snapshot& m_file;
    const StudioState& m_now;
    RestorePlan m_plan;
    bool m_automaticRate = false;   // the rate mode once the plan is applied
};

int CPlanner::Find(const std::string& serial) const
{
    const auto& devices = m_now.snapshot.devices;
    const auto found = std::find_if(devices.begin(), devices.end(), [&](const auto& d) { return d.serial == serial; });
    return found == devices.end() ? -1 : static_cast<int>(found - devices.begin());
}

PlanItem CPlanner::DeviceItem(PlanKind kind, size_t record) const
{
    PlanItem item;
    item.kind = kind;
    item.record = record;
    item.serial = m_now.snapshot.devices[record].serial;
    item.deviceName = m_now.snapshot.devices[record].name;
    return item;
}

void CPlanner::Devices()
{
    for (const SnapshotDevice& device : m_file.devices) {
        const int record = Find(device.serial);
        if (record < 0) {
            PlanItem missing;
            missing.skip = PlanSkip::DeviceMissing;
            missing.serial = device.serial;
            missing.deviceName = device.name;
            m_plan.items.push_back(missing);
        } else if (device.name != m_now.snapshot.devices[static_cast<size_t>(record)].name) {
            PlanItem item = DeviceItem(PlanKind::DeviceName, static_cast<size_t>(record));
            item.now = item.deviceName;
            item.then = device.name;
            m_plan.items.push_back(item);
        }
    }
}

void CPlanner::Ranking()
{
    // The file's devices first, in its order; devices it does not name keep their
    // order after them.
    std::vector<size_t> order;
    for (const SnapshotDevice& device : m_file.devices) {
        if (const int record = Find(device.serial); record >= 0)
            order.push_back(static_cast<size_t>(record));
    }
    for (size_t record = 0; record < m_now.devices.size(); ++record) {
        if (std::find(order.begin(), order.end(), record) == order.end())
            order.push_back(record);
    }
    if (std::is_sorted(order.begin(), order.end()))
        return;
    PlanItem item;
    item.kind = PlanKind::Ranking;
    item.order = order;
    for (size_t position = 0; position < order.size(); ++position) {
        item.now += (position ? ", " : "") + m_now.snapshot.devices[position].name;
        item.then += (position ? ", " : "") + m_now.snapshot.devices[order[position]].name;
    }
    m_plan.items.push_back(item);
}

void CPlanner::Channels(bool output)
{
    const auto& wanted = output ? m_file.outputs : m_file.inputs;
    const auto& held = output ? m_now.snapshot.outputs : m_now.snapshot.inputs;
    const auto& records = output ? m_now.outputRecords : m_now.inputRecords;
    for (const SnapshotChannel& channel : wanted) {
        const int device = Find(channel.device);
        if (device < 0)
            continue;   // the device's own skipped item covers its channels
        PlanItem item = DeviceItem(PlanKind::ChannelName, static_cast<size_t>(device));
        item.output = output;
        item.index = channel.index;
        item.then = channel.name;
        const auto found = std::find_if(held.begin(), held.end(), [&](const auto& c) {
            return c.device == channel.device && c.index == channel.index;
        });
        if (found == held.end()) {
            item.skip = PlanSkip::ChannelMissing;
        } else if (found->name != channel.name) {
            item.record = records[static_cast<size_t>(found - held.begin())];
            item.now = found->name;
        } else {
            continue;
        }
        m_plan.items.push_back(item);
    }
}

void CPlanner::ClockAndRateMode()
{
    const Snapshot& held = m_now.snapshot;
    bool toPc = false;   // the plan makes the PC driver the master
    PlanItem item;
    item.kind = PlanKind::ClockMaster;
    item.nowIsPc = held.clockMasterIsPc;
    item.now = held.clockMaster;
    item.nowValue = m_now.clockSource.masterDeviceId;
    item.thenIsPc = m_file.clockMasterIsPc;
    item.then = m_file.clockMaster;
    item.serial = item.then;
    const int master = m_file.clockMasterIsPc ? -1 : Find(m_file.clockMaster);
    if (!m_file.clockMasterIsPc && master < 0) {
        item.skip = PlanSkip::MasterMissing;
        for (const SnapshotDevice& device : m_file.devices)
            item.deviceName = device.serial == m_file.clockMaster ? device.name : item.deviceName;
        m_plan.items.push_back(item);
    } else {
        const bool masterIsPc = m_file.clockMasterIsPc;
        item.thenValue = masterIsPc ? 0 : m_now.devices[static_cast<size_t>(master)].deviceId;
        item.deviceName = masterIsPc ? std::string() : held.devices[static_cast<size_t>(master)].name;
        const bool same = masterIsPc ? m_now.clockSource.masterFlag == 0
                                     : m_now.clockSource.masterFlag != 0 && item.nowValue == item.thenValue;
        if (!same)
            m_plan.items.push_back(item);
        toPc = !same && masterIsPc;
    }
    // As the synchronisation page: making the PC driver the master sets the rate by
    // hand, since there is no device to follow. A mode the driver held is restored as
    // it was, so that a snapshot just saved changes nothing.
    m_automaticRate = m_file.automaticRate && !toPc;
    if (m_automaticRate != held.automaticRate) {
        PlanItem mode;
        mode.kind = PlanKind::RateMode;
        mode.nowValue = held.automaticRate ? 1 : 0;
        mode.thenValue = m_automaticRate ? 1 : 0;
        m_plan.items.push_back(mode);
    }
}

// The offered entry that is the file's mode: the same code and source id, or else the
// one entry with the same code and name (a source id may differ on another bus).
const _SYNC_MODE_ENTRY* MatchMode(const _DEVICE_SYNC_MODE_INFO& info, const SyncMode& mode)
{
    const uint32_t offered = std::min(info.offeredCount, kMaxSyncModes);
    const _SYNC_MODE_ENTRY* byName = nullptr;
    int named = 0;
    for (uint32_t i = 0; i < offered; ++i) {
        const _SYNC_MODE_ENTRY& entry = info.offered[i];
        if (entry.modeCode == mode.code && entry.sourceId == mode.source)
            return &entry;
        if (entry.modeCode == mode.code && !mode.name.empty() && FieldText(entry.name) == mode.name) {
            byName = &entry;
            ++named;
        }
    }
    return named == 1 ? byName : nullptr;
}

void CPlanner::SyncModes()
{
    for (const SnapshotDevice& device : m_file.devices) {
        const int record = Find(device.serial);
        if (record < 0)
            continue;
        const SyncMode& current = m_now.snapshot.devices[static_cast<size_t>(record)].sync;
        if (current.code == device.sync.code && current.source == device.sync.source)
            continue;
        PlanItem item = DeviceItem(PlanKind::SyncMode, static_cast<size_t>(record));
        item.nowMode = current;
        item.thenMode = device.sync;
        if (const _SYNC_MODE_ENTRY* entry = MatchMode(m_now.syncModes[item.record], device.sync)) {
            item.thenMode = {entry->modeCode, entry->sourceId, std::string(FieldText(entry->name))};
            if (entry->modeCode == current.code && entry->sourceId == current.source)
                continue;
        } else {
            item.skip = PlanSkip::ModeNotOffered;
        }
        m_plan.items.push_back(item);
    }
}

void CPlanner::Depth(PlanKind kind, uint32_t wanted, uint32_t current, uint32_t minimum, uint32_t step,
                     uint32_t limit)
{
    if (wanted == current)
        return;
    PlanItem item;
    item.kind = kind;
    item.nowValue = current;
    item.thenValue = wanted;
    item.minimum = minimum;
    item.step = step;
    item.maximum = limit;
    if (step == 0 || wanted < minimum || wanted > limit || wanted % step != 0)
        item.skip = PlanSkip::DepthOutOfRange;
    m_plan.items.push_back(item);
}

void CPlanner::SampleRate()
{
    // While the clock master defines the rate, there is none to set.
    const _SAMPLE_RATE_INFO& rates = m_now.sampleRates;
    if (m_automaticRate || m_file.sampleRate == rates.currentRate)
        return;
    PlanItem item;
    item.kind = PlanKind::SampleRate;
    item.nowValue = rates.currentRate;
    item.thenValue = m_file.sampleRate;
    const uint32_t* end = rates.rates + std::min(rates.rateCount, kMaxSampleRates);
    if (std::find(rates.rates, end, m_file.sampleRate) == end)
        item.skip = PlanSkip::RateNotOffered;
    m_plan.items.push_back(item);
}

void CPlanner::DevicesNotInFile()
{
    for (size_t record = 0; record < m_now.devices.size(); ++record) {
        const std::string& serial = m_now.snapshot.devices[record].serial;
        const bool named = std::any_of(m_file.devices.begin(), m_file.devices.end(),
                                       [&](const auto& d) { return d.serial == serial; });
        if (!named) {
            PlanItem item = DeviceItem(PlanKind::Device, record);
            item.skip = PlanSkip::NotInFile;
            m_plan.items.push_back(item);
        }
    }
}

RestorePlan CPlanner::Make()
{
    if (const std::string* shared = FindSharedSerial(m_now.snapshot)) {
        m_plan.sharedSerial = *shared;
        return m_plan;
    }
    Devices();
    Ranking();
    Channels(false);
    Channels(true);
    if (m_file.asioNamesIncludeDevice != m_now.snapshot.asioNamesIncludeDevice) {
        PlanItem item;
        item.kind = PlanKind::AsioNames;
        item.nowValue = m_now.snapshot.asioNamesIncludeDevice ? 1 : 0;
        item.thenValue = m_file.asioNamesIncludeDevice ? 1 : 0;
        m_plan.items.push_back(item);
    }
    ClockAndRateMode();
    SyncModes();
    Depth(PlanKind::StreamDepth, m_file.buffers.stream, m_now.streamDepth.stream.current,
          m_now.streamDepth.stream.minimum, m_now.streamDepth.stream.step, kStreamDepthLimit);
    Depth(PlanKind::WdmDepth, m_file.buffers.wdm, m_now.wdmDepth.audio.current, m_now.wdmDepth.audio.minimum,
          m_now.wdmDepth.audio.step, kAudioDepthLimit);
    SampleRate();
    Depth(PlanKind::AsioDepth, m_file.buffers.asio, m_now.asioDepth.audio.current, m_now.asioDepth.audio.minimum,
          m_now.asioDepth.audio.step, kAudioDepthLimit);
    DevicesNotInFile();
    return m_plan;
}

}  // namespace

RestorePlan MakeRestorePlan(const Snapshot& file, const StudioState& now)
{
    return CPlanner(file, now).Make();
}

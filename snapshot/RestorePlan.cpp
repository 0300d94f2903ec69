#include "snapshot/RestorePlan.h"

#include <algorithm>

#include "driver/RecordText.h"
#include "protocol/BufferDepthWrite.h"
#include "protocol/NameRule.h"
#include "protocol/SampleRateWrite.h"
#include "snapshot/StudioReader.h"

size_t RestorePlan::Changes() const
{
    return static_cast<size_t>(std::count_if(items.begin(), items.end(), [](const auto& i) { return !i.Skipped(); }));
}

size_t RestorePlan::Skips() const { return items.size() - Changes(); }

size_t RestorePlan::FileSkips() const
{
    return static_cast<size_t>(std::count_if(items.begin(), items.end(), [](const PlanItem& item) {
        return item.Skipped() && item.skip != PlanSkip::NotInFile;
    }));
}

namespace {

constexpr int kNotConnected = -1;
constexpr int kCannotTell = -2;   // no serial, or one that two devices report

size_t CountSerial(const std::vector<SnapshotDevice>& devices, const std::string& serial)
{
    return static_cast<size_t>(
        std::count_if(devices.begin(), devices.end(), [&](const SnapshotDevice& d) { return d.serial == serial; }));
}

// Why a serial number cannot find one device of either list, or None.
PlanSkip SerialFault(const std::string& serial, const Snapshot& file, const Snapshot& held)
{
    if (serial.empty())
        return PlanSkip::NoSerial;
    if (CountSerial(file.devices, serial) > 1 || CountSerial(held.devices, serial) > 1)
        return PlanSkip::SerialShared;
    return PlanSkip::None;
}

class CPlanner {
public:
    CPlanner(const Snapshot& file, const StudioState& now) : m_file(file), m_now(now) {}

    RestorePlan Make();

private:
    // The device record with this serial number; kNotConnected or kCannotTell.
    int Find(const std::string& serial) const;
    PlanItem DeviceItem(PlanKind kind, size_t record) const;
    // A rename to a name of the file: skipped when the name rule refuses it.
    void AddRename(PlanItem item, const std::string& name);
    void Devices();
    void Ranking();
    void Channels(bool output);
    void ClockMaster();
    void RateMode();
    void SyncModes();
    void Depth(PlanKind kind, BufferKind buffer, uint32_t wanted);
    void SampleRate();
    void DevicesNotInFile();
    bool AnyFramed() const;
    const PlanItem* Planned(PlanKind kind) const;

    const Snapshot& m_file;
    const StudioState& m_now;
    RestorePlan m_plan;
    bool m_masterIsPc = false;   // the clock master once the plan is applied
};

int CPlanner::Find(const std::string& serial) const
{
    if (SerialFault(serial, m_file, m_now.snapshot) != PlanSkip::None)
        return kCannotTell;
    const auto& devices = m_now.snapshot.devices;
    const auto found = std::find_if(devices.begin(), devices.end(), [&](const auto& d) { return d.serial == serial; });
    return found == devices.end() ? kNotConnected : static_cast<int>(found - devices.begin());
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

void CPlanner::AddRename(PlanItem item, const std::string& name)
{
    item.then = name;
    std::string ansi;
    item.rule = CheckNameFromUtf8(name, ansi);
    if (item.rule != WriteRule::None)
        item.skip = PlanSkip::NameRefused;
    m_plan.items.push_back(std::move(item));
}

void CPlanner::Devices()
{
    for (const SnapshotDevice& device : m_file.devices) {
        const int record = Find(device.serial);
        if (record < 0) {
            PlanItem skipped;
            skipped.skip = record == kNotConnected ? PlanSkip::DeviceMissing
                                                   : SerialFault(device.serial, m_file, m_now.snapshot);
            skipped.serial = device.serial;
            skipped.deviceName = device.name;
            m_plan.items.push_back(skipped);
        } else if (device.name != m_now.snapshot.devices[static_cast<size_t>(record)].name) {
            PlanItem item = DeviceItem(PlanKind::DeviceName, static_cast<size_t>(record));
            item.now = item.deviceName;
            AddRename(std::move(item), device.name);
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
        const auto found = std::find_if(held.begin(), held.end(), [&](const auto& c) {
            return c.device == channel.device && c.index == channel.index;
        });
        if (found == held.end()) {
            item.then = channel.name;
            item.skip = PlanSkip::ChannelMissing;
            m_plan.items.push_back(item);
        } else if (found->name != channel.name) {
            item.record = records[static_cast<size_t>(found - held.begin())];
            item.now = found->name;
            AddRename(std::move(item), channel.name);
        }
    }
}

void CPlanner::ClockMaster()
{
    const Snapshot& held = m_now.snapshot;
    m_masterIsPc = held.clockMasterIsPc;
    PlanItem item;
    item.kind = PlanKind::ClockMaster;
    item.nowIsPc = held.clockMasterIsPc;
    item.now = held.clockMaster;
    item.nowValue = m_now.clockSource.masterDeviceId;
    item.thenIsPc = m_file.clockMasterIsPc;
    item.then = m_file.clockMaster;
    item.serial = item.then;
    if (m_file.clockMasterIsPc) {
        if (m_now.clockSource.masterFlag != 0) {
            m_plan.items.push_back(item);
            m_masterIsPc = true;
        }
        return;
    }
    const int master = m_file.clockMaster.empty() ? kCannotTell : Find(m_file.clockMaster);
    if (master < 0) {
        item.skip = m_file.clockMaster.empty() ? PlanSkip::MasterUnnamed
                    : master == kNotConnected  ? PlanSkip::MasterMissing
                                               : SerialFault(m_file.clockMaster, m_file, held);
        for (const SnapshotDevice& device : m_file.devices)
            item.deviceName = device.serial == m_file.clockMaster ? device.name : item.deviceName;
        m_plan.items.push_back(item);
        return;
    }
    item.thenValue = m_now.devices[static_cast<size_t>(master)].deviceId;
    item.deviceName = held.devices[static_cast<size_t>(master)].name;
    if (m_now.clockSource.masterFlag == 0 || item.nowValue != item.thenValue) {
        m_plan.items.push_back(item);
        m_masterIsPc = false;
    }
}

void CPlanner::RateMode()
{
    // As the synchronisation page: with the PC driver as master there is no device to
    // follow, and the rate is set by hand. A mode the driver holds otherwise is kept, so
    // that a snapshot just saved changes nothing.
    const bool heldAutomatic = m_now.snapshot.automaticRate;
    PlanItem mode;
    mode.kind = PlanKind::RateMode;
    mode.nowValue = heldAutomatic ? 1 : 0;
    mode.thenValue = m_file.automaticRate ? 1 : 0;
    if (m_masterIsPc && m_file.automaticRate) {
        if (!heldAutomatic || Planned(PlanKind::ClockMaster)) {
            mode.skip = PlanSkip::RateModeWithPc;
            m_plan.items.push_back(mode);
        }
        return;
    }
    if (m_file.automaticRate != heldAutomatic)
        m_plan.items.push_back(mode);
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
        if (entry.modeCode == mode.code && !mode.name.empty() && SnapshotModeOf(entry).name == mode.name) {
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
            item.thenMode = SnapshotModeOf(*entry);
            if (entry->modeCode == current.code && entry->sourceId == current.source)
                continue;
        } else {
            item.skip = PlanSkip::ModeNotOffered;
        }
        m_plan.items.push_back(item);
    }
}

void CPlanner::Depth(PlanKind kind, BufferKind buffer, uint32_t wanted)
{
    const _BUFFER_DEPTH_INFO& depth = m_now.DepthOf(buffer);
    const uint32_t current = CurrentOf(buffer, depth);
    if (wanted == current)
        return;
    const DepthScale scale = ScaleOf(buffer, depth);
    PlanItem item;
    item.kind = kind;
    item.nowValue = current;
    item.thenValue = wanted;
    item.minimum = scale.lowest;
    item.step = scale.step;
    item.maximum = scale.limit;
    if (!scale.Offers(wanted))
        item.skip = PlanSkip::DepthOutOfRange;
    m_plan.items.push_back(item);
}

bool CPlanner::AnyFramed() const
{
    return std::any_of(m_plan.items.begin(), m_plan.items.end(),
                       [](const PlanItem& item) { return item.Framed() && !item.Skipped(); });
}

const PlanItem* CPlanner::Planned(PlanKind kind) const
{
    for (const PlanItem& item : m_plan.items) {
        if (item.kind == kind && !item.Skipped())
            return &item;
    }
    return nullptr;
}

void CPlanner::SampleRate()
{
    const _SAMPLE_RATE_INFO& rates = m_now.sampleRates;
    if (m_file.sampleRate == rates.currentRate)
        return;
    // The rate mode once the frame is applied: a frame with the PC driver as master sets
    // the rate by hand; otherwise the mode planned, or the one the driver holds.
    bool automatic = m_now.snapshot.automaticRate;
    if (const PlanItem* mode = Planned(PlanKind::RateMode))
        automatic = mode->thenValue != 0;
    else if (m_masterIsPc && AnyFramed())
        automatic = false;
    PlanItem item;
    item.kind = PlanKind::SampleRate;
    item.nowValue = rates.currentRate;
    item.thenValue = m_file.sampleRate;
    const WriteRule rule = CheckSampleRate(automatic ? 1 : 0, rates, m_file.sampleRate);
    if (rule == WriteRule::RateSetByClockMaster)
        item.skip = PlanSkip::RateSetByMaster;
    else if (rule != WriteRule::None)
        item.skip = PlanSkip::RateNotOffered;
    m_plan.items.push_back(item);
}

void CPlanner::DevicesNotInFile()
{
    // A connected device the file cannot name (no serial, or one another device shares)
    // is left as it is too.
    for (size_t record = 0; record < m_now.devices.size(); ++record) {
        const std::string& serial = m_now.snapshot.devices[record].serial;
        const bool named = std::any_of(m_file.devices.begin(), m_file.devices.end(),
                                       [&](const auto& d) { return d.serial == serial; });
        if (!named || Find(serial) != static_cast<int>(record)) {
            PlanItem item = DeviceItem(PlanKind::Device, record);
            item.skip = PlanSkip::NotInFile;
            m_plan.items.push_back(item);
        }
    }
}

RestorePlan CPlanner::Make()
{
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
    ClockMaster();
    RateMode();
    SyncModes();
    Depth(PlanKind::StreamDepth, BufferKind::Stream, m_file.buffers.stream);
    Depth(PlanKind::WdmDepth, BufferKind::Wdm, m_file.buffers.wdm);
    SampleRate();
    Depth(PlanKind::AsioDepth, BufferKind::Asio, m_file.buffers.asio);
    DevicesNotInFile();
    return m_plan;
}

}  // namespace

RestorePlan MakeRestorePlan(const Snapshot& file, const StudioState& now)
{
    return CPlanner(file, now).Make();
}

std::vector<PlanItem> FindUnrestorable(const Snapshot& snapshot)
{
    std::vector<PlanItem> items;
    std::string ansi;
    const auto refused = [&](PlanKind kind, const std::string& serial, const std::string& deviceName,
                             const std::string& name) {
        PlanItem item;
        item.kind = kind;
        item.serial = serial;
        item.deviceName = deviceName;
        item.then = name;
        item.rule = CheckNameFromUtf8(name, ansi);
        item.skip = item.rule == WriteRule::None ? PlanSkip::None : PlanSkip::NameRefused;
        return item;
    };
    for (const SnapshotDevice& device : snapshot.devices) {
        const PlanSkip key = SerialFault(device.serial, snapshot, snapshot);
        if (key != PlanSkip::None) {
            PlanItem item;
            item.serial = device.serial;
            item.deviceName = device.name;
            item.skip = key;
            items.push_back(item);
            continue;
        }
        if (PlanItem name = refused(PlanKind::DeviceName, device.serial, device.name, device.name); name.Skipped())
            items.push_back(name);
    }
    for (const bool output : {false, true}) {
        for (const SnapshotChannel& channel : output ? snapshot.outputs : snapshot.inputs) {
            if (SerialFault(channel.device, snapshot, snapshot) != PlanSkip::None)
                continue;
            PlanItem item = refused(PlanKind::ChannelName, channel.device, "", channel.name);
            for (const SnapshotDevice& device : snapshot.devices)
                item.deviceName = device.serial == channel.device ? device.name : item.deviceName;
            item.output = output;
            item.index = channel.index;
            if (item.Skipped())
                items.push_back(item);
        }
    }
    if (!snapshot.clockMasterIsPc && snapshot.clockMaster.empty()) {
        PlanItem item;
        item.kind = PlanKind::ClockMaster;
        item.skip = PlanSkip::MasterUnnamed;
        items.push_back(item);
    }
    if (snapshot.clockMasterIsPc && snapshot.automaticRate) {
        PlanItem item;
        item.kind = PlanKind::RateMode;
        item.thenValue = 1;
        item.skip = PlanSkip::RateModeWithPc;
        items.push_back(item);
    }
    return items;
}

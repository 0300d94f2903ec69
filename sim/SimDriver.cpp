#include "sim/SimDriver.h"

#include <algorithm>
#include <cstring>
#include <thread>

#include "driver/ControlCodes.h"
#include "driver/Ovx1394Driver.h"
#include "driver/ResultCodes.h"
#include "sim/SimEventSignal.h"
#include "sim/SimHotPlug.h"
#include "sim/SimMalform.h"

namespace {

constexpr uintptr_t kFirstHandleValue = 0x7000;

bool IsControlDevicePath(const char* path)
{
    const std::string expected = std::string("\\\\.\\") + kOvxDeviceName;
    if (!path || std::strlen(path) != expected.size())
        return false;
    // Device names are not case-sensitive.
    return std::equal(expected.begin(), expected.end(), path, [](char a, char b) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(a) == lower(b);
    });
}

}  // namespace

CSimDriver::CSimDriver(SimBus bus) : m_bus(std::move(bus)), m_signal(SignalEventByValue)
{
    if (m_bus.streaming)
        CSimAnswers::StartStreams(m_bus);
}

CSimDriver::~CSimDriver() = default;

DeviceHandle CSimDriver::Open(const char* path, uint32_t& error)
{
    std::lock_guard lock(m_mutex);
    if (const auto failure = m_faults.TakeFailure(kSimOpenRequest)) {
        error = *failure;
        return nullptr;
    }
    if (!m_bus.driverPresent || !IsControlDevicePath(path)) {
        error = WinError::FileNotFound;
        return nullptr;
    }
    const uint32_t number = m_nextConnection++;
    const auto handle = reinterpret_cast<DeviceHandle>(kFirstHandleValue + 4 * uintptr_t{number});
    m_connections[handle].number = number;
    error = 0;
    return handle;
}

void CSimDriver::Close(DeviceHandle handle)
{
    std::lock_guard lock(m_mutex);
    m_connections.erase(handle);
}

uint32_t CSimDriver::Control(DeviceHandle handle, uint32_t code, const void* in, uint32_t inSize,
                             void* out, uint32_t outSize, uint32_t& bytesReturned)
{
    bytesReturned = 0;
    std::chrono::milliseconds delay;
    {
        std::lock_guard lock(m_mutex);
        delay = m_faults.DelayOf(code);
    }
    // A slow driver keeps only its caller waiting, not the rest of the bus.
    if (delay.count() > 0)
        std::this_thread::sleep_for(delay);

    std::lock_guard lock(m_mutex);
    const auto it = m_connections.find(handle);
    if (it == m_connections.end())
        return WinError::InvalidHandle;
    Connection& connection = it->second;

    const uint32_t result = connection.dead ? WinError::DeviceNotConnected
                                            : Dispatch(connection, code, in, inSize, out, outSize, bytesReturned);

    SimTraceEntry entry{connection.number, code, {}, result};
    if (in && inSize > 0) {
        const auto* bytes = static_cast<const uint8_t*>(in);
        entry.input.assign(bytes, bytes + inSize);
    }
    if (m_traceListener)
        m_traceListener(entry);
    if (m_bTraceKept)
        m_trace.push_back(std::move(entry));
    return result;
}

uint32_t CSimDriver::Dispatch(Connection& connection, uint32_t code, const void* in,
                              uint32_t inSize, void* out, uint32_t outSize, uint32_t& bytesReturned)
{
    if (const auto failure = m_faults.TakeFailure(code))
        return *failure;

    // The checks a driver makes before it looks at a request's contents.
    const OvxIoctl::Request* request = OvxIoctl::FindRequest(code);
    if (!request)
        return WinError::InvalidFunction;
    if ((inSize > 0 && !in) || (outSize > 0 && !out))
        return WinError::NoAccess;
    if (inSize != request->inSize)
        return WinError::InvalidParameter;
    if (outSize < request->outSize)
        return WinError::InsufficientBuffer;
    if (outSize > request->outSize)
        return WinError::InvalidParameter;

    // Answers are built in a buffer of the driver's own, then copied out whole, as
    // buffered I/O does: the caller's buffers are never read or written past their sizes.
    alignas(8) uint8_t input[sizeof(_OVX_DEVICE_PROPERTIES)] = {};
    alignas(8) uint8_t answer[sizeof(_CHANNEL_ID_LISTS)] = {};
    static_assert(sizeof input >= sizeof(_OVX_CHANNEL_PROPERTIES));
    if (inSize > 0)
        std::memcpy(input, in, inSize);

    uint32_t result;
    if (code == OvxIoctl::RegisterNotificationEvent)
        result = RegisterEvent(connection, input);
    else if (code == OvxIoctl::GetNextEvent)
        result = NextEvent(connection, answer);
    else
        result = m_answers.Answer(code, input, answer);
    if (result != 0 || outSize == 0)
        return result;

    uint32_t length = outSize;
    if (const auto malformation = m_faults.TakeMalformation(code))
        length = Malform(code, *malformation, answer, outSize);
    std::memcpy(out, answer, length);
    bytesReturned = length;
    return 0;
}

uint32_t CSimDriver::RegisterEvent(Connection& connection, const void* in)
{
    uint32_t value;
    std::memcpy(&value, in, sizeof value);
    if (value == 0)
        return WinError::InvalidHandle;
    connection.eventValue = value;
    connection.events.clear();
    if (m_faults.EndlessEvents())
        SignalConnection(connection);
    return 0;
}

uint32_t CSimDriver::NextEvent(Connection& connection, void* out)
{
    if (const auto endless = m_faults.EndlessEvents()) {
        const _DRIVER_EVENT_INFO event{*endless, {0, 0}};
        std::memcpy(out, &event, sizeof event);
        return 0;
    }
    if (connection.events.empty())
        return WinError::NoMoreItems;
    const _DRIVER_EVENT_INFO event{connection.events.front(), {0, 0}};
    connection.events.pop_front();
    std::memcpy(out, &event, sizeof event);
    return 0;
}

void CSimDriver::RaiseEvent(uint32_t kind)
{
    std::lock_guard lock(m_mutex);
    QueueEvent(kind);
}

void CSimDriver::QueueEvent(uint32_t kind)
{
    for (auto& [handle, connection] : m_connections) {
        if (connection.eventValue == 0 || connection.dead)
            continue;
        if (connection.events.size() >= kEventQueueLimit)
            connection.events.pop_front();
        connection.events.push_back(kind);
        SignalConnection(connection);
    }
}

void CSimDriver::SignalConnection(const Connection& connection)
{
    if (m_signal && connection.eventValue != 0 && !connection.dead)
        m_signal(connection.eventValue);
}

SimBus CSimDriver::Bus() const
{
    std::lock_guard lock(m_mutex);
    return m_bus;
}

void CSimDriver::Change(const std::function<void(SimBus&)>& change)
{
    std::lock_guard lock(m_mutex);
    change(m_bus);
}

uint32_t CSimDriver::PlugDevice(const std::string& name, const std::string& serial,
                                uint32_t inputs, uint32_t outputs)
{
    uint32_t id;
    {
        std::lock_guard lock(m_mutex);
        id = AddStandardDevice(m_bus, name, serial, inputs, outputs);
        if (m_bus.streaming)
            CSimAnswers::StartStreams(m_bus);
        QueueEvent(EvtType_BusReset);
        QueueEvent(EvtType_DomainConfigurationChanged);
    }
    m_interfaceListeners.Notify(true);
    return id;
}

bool CSimDriver::UnplugDevice(uint32_t deviceId)
{
    {
        std::lock_guard lock(m_mutex);
        if (!RemoveSimDevice(m_bus, deviceId))
            return false;
        QueueEvent(EvtType_BusReset);
        QueueEvent(EvtType_DomainConfigurationChanged);
    }
    m_interfaceListeners.Notify(false);
    return true;
}

bool CSimDriver::ReplugDevice(const SimDevice& device, const std::vector<SimChannel>& inputs,
                              const std::vector<SimChannel>& outputs)
{
    {
        std::lock_guard lock(m_mutex);
        if (!RestoreSimDevice(m_bus, device, inputs, outputs))
            return false;
        if (m_bus.streaming)
            CSimAnswers::StartStreams(m_bus);
        QueueEvent(EvtType_BusReset);
        QueueEvent(EvtType_DomainConfigurationChanged);
    }
    m_interfaceListeners.Notify(true);
    return true;
}

void CSimDriver::SetDriverPresent(bool present)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_bus.driverPresent == present)
            return;
        m_bus.driverPresent = present;
        if (!present) {
            for (auto& [handle, connection] : m_connections) {
                // A listener wakes to find its driver gone: nothing answers it from now on.
                SignalConnection(connection);
                connection.dead = true;
            }
        }
    }
    m_interfaceListeners.Notify(present);
}

void CSimDriver::FailRequest(uint32_t code, uint32_t error, FaultRepeat repeat, uint32_t skip)
{
    std::lock_guard lock(m_mutex);
    m_faults.Fail(code, error, repeat, skip);
}

void CSimDriver::DelayRequest(uint32_t code, std::chrono::milliseconds delay)
{
    std::lock_guard lock(m_mutex);
    m_faults.Delay(code, delay);
}

void CSimDriver::MalformAnswer(uint32_t code, Malformation malformation, FaultRepeat repeat)
{
    std::lock_guard lock(m_mutex);
    m_faults.Malform(code, malformation, repeat);
}

void CSimDriver::SetEndlessEvents(std::optional<uint32_t> kind)
{
    std::lock_guard lock(m_mutex);
    m_faults.SetEndlessEvents(kind);
    if (!kind)
        return;
    for (const auto& [handle, connection] : m_connections)
        SignalConnection(connection);
}

void CSimDriver::ClearFaults()
{
    std::lock_guard lock(m_mutex);
    m_faults.Clear();
}

void CSimDriver::ClearFaults(uint32_t code)
{
    std::lock_guard lock(m_mutex);
    m_faults.Remove(code);
}

std::vector<CSimFaults::Entry> CSimDriver::Faults() const
{
    std::lock_guard lock(m_mutex);
    return m_faults.List();
}

std::optional<uint32_t> CSimDriver::EndlessEvents() const
{
    std::lock_guard lock(m_mutex);
    return m_faults.EndlessEvents();
}

std::vector<SimTraceEntry> CSimDriver::Trace() const
{
    std::lock_guard lock(m_mutex);
    return m_trace;
}

std::vector<uint32_t> CSimDriver::TraceCodes() const
{
    std::lock_guard lock(m_mutex);
    std::vector<uint32_t> codes;
    for (const SimTraceEntry& entry : m_trace)
        codes.push_back(entry.code);
    return codes;
}

size_t CSimDriver::CountOf(uint32_t code) const
{
    std::lock_guard lock(m_mutex);
    return static_cast<size_t>(std::count_if(m_trace.begin(), m_trace.end(),
                                             [&](const SimTraceEntry& entry) { return entry.code == code; }));
}

void CSimDriver::SetTraceListener(TraceListener listener)
{
    std::lock_guard lock(m_mutex);
    m_traceListener = std::move(listener);
}

void CSimDriver::SetTraceKept(bool kept)
{
    std::lock_guard lock(m_mutex);
    m_bTraceKept = kept;
}

void CSimDriver::ClearTrace()
{
    std::lock_guard lock(m_mutex);
    m_trace.clear();
}

size_t CSimDriver::OpenConnections() const
{
    std::lock_guard lock(m_mutex);
    return m_connections.size();
}

SimConnectionCounts CSimDriver::ConnectionCounts() const
{
    std::lock_guard lock(m_mutex);
    SimConnectionCounts counts;
    for (const auto& [handle, connection] : m_connections) {
        if (connection.dead)
            continue;
        ++counts.live;
        if (connection.eventValue != 0) {
            ++counts.listening;
            counts.pendingEvents += connection.events.size();
        }
    }
    return counts;
}

uint32_t CSimDriver::RegisteredEvent(uint32_t connection) const
{
    std::lock_guard lock(m_mutex);
    for (const auto& [handle, state] : m_connections) {
        if (state.number == connection)
            return state.eventValue;
    }
    return 0;
}

void CSimDriver::SetEventSignaller(EventSignaller signaller)
{
    std::lock_guard lock(m_mutex);
    m_signal = std::move(signaller);
}

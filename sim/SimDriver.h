// A stand-in for the kernel driver: answers every request of the catalogue from a
// model of a FireWire bus, behind the same device I/O seam as the real device.
// Thread-safe; tests drive scenarios and faults from any thread.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "driver/DeviceIo.h"
#include "sim/SimAnswers.h"
#include "sim/SimBus.h"
#include "sim/SimFaults.h"
#include "sim/SimInterfaceListeners.h"

// One request as the driver saw it.
struct SimTraceEntry {
    uint32_t connection;          // which open handle, numbered from 1 in opening order
    uint32_t code;
    std::vector<uint8_t> input;
    uint32_t result;
};

// The connections a checker needs to know of: whether the panel can read the driver,
// whether it hears its events, and what it has yet to fetch.
struct SimConnectionCounts {
    size_t live = 0;            // open, and their driver not unloaded since
    size_t listening = 0;       // live, with an event registered
    size_t pendingEvents = 0;   // queued for the listening ones, not yet fetched
};

class CSimDriver final : public IDeviceIo, private ISimEventSink {
public:
    using EventSignaller = std::function<void(uint32_t eventValue)>;
    using InterfaceListener = CSimInterfaceListeners::Listener;
    using TraceListener = std::function<void(const SimTraceEntry& entry)>;

    explicit CSimDriver(SimBus bus = DefaultBus());
    ~CSimDriver() override;

    CSimDriver(const CSimDriver&) = delete;
    CSimDriver& operator=(const CSimDriver&) = delete;

    DeviceHandle Open(const char* path, uint32_t& error) override;
    uint32_t Control(DeviceHandle handle, uint32_t code, const void* in, uint32_t inSize, void* out,
                     uint32_t outSize, uint32_t& bytesReturned) override;
    void Close(DeviceHandle handle) override;

    // Scenarios.
    SimBus Bus() const;
    void Change(const std::function<void(SimBus&)>& change);
    void RaiseEvent(uint32_t kind);   // for every connection with a registered event
    uint32_t PlugDevice(const std::string& name, const std::string& serial, uint32_t inputs,
                        uint32_t outputs);
    bool UnplugDevice(uint32_t deviceId);
    // Brings back a device that was unplugged, with its ids, names and channels as they
    // were; false if one of its ids is on the bus meanwhile.
    bool ReplugDevice(const SimDevice& device, const std::vector<SimChannel>& inputs,
                      const std::vector<SimChannel>& outputs);
    // Unloading the driver kills every open connection: its registered event is signalled
    // once more, and its requests fail from then on with ERROR_DEVICE_NOT_CONNECTED, even
    // after the driver is loaded again.
    void SetDriverPresent(bool present);

    // Faults; kSimOpenRequest stands for opening the control device.
    void FailRequest(uint32_t code, uint32_t error, FaultRepeat repeat = FaultRepeat::Once,
                     uint32_t skip = 0);
    void DelayRequest(uint32_t code, std::chrono::milliseconds delay);
    void MalformAnswer(uint32_t code, Malformation malformation, FaultRepeat repeat = FaultRepeat::Always);
    // Events without end of one kind (nullopt ends them); signals every registered event.
    void SetEndlessEvents(std::optional<uint32_t> kind);
    void ClearFaults();
    void ClearFaults(uint32_t code);
    std::vector<CSimFaults::Entry> Faults() const;
    std::optional<uint32_t> EndlessEvents() const;

    // What the driver was asked.
    std::vector<SimTraceEntry> Trace() const;
    std::vector<uint32_t> TraceCodes() const;
    size_t CountOf(uint32_t code) const;
    void ClearTrace();
    // Called for each request as it is traced, with the driver's lock held: it must
    // not call the driver.
    void SetTraceListener(TraceListener listener);
    // Off: requests reach the listener only, so a driver that runs for days keeps no
    // growing record of them.
    void SetTraceKept(bool kept);
    size_t OpenConnections() const;
    SimConnectionCounts ConnectionCounts() const;
    uint32_t RegisteredEvent(uint32_t connection) const;   // 0 when none

    // How a registered event value is signalled; the platform's own by default.
    void SetEventSignaller(EventSignaller signaller);
    int AddInterfaceListener(InterfaceListener listener) { return m_interfaceListeners.Add(std::move(listener)); }
    void RemoveInterfaceListener(int cookie) { m_interfaceListeners.Remove(cookie); }

private:
    static constexpr size_t kEventQueueLimit = 64;   // older events are dropped beyond it

    struct Connection {
        uint32_t number = 0;
        uint32_t eventValue = 0;
        bool dead = false;   // its driver was unloaded
        std::deque<uint32_t> events;
    };

    uint32_t Dispatch(Connection& connection, uint32_t code, const void* in, uint32_t inSize,
                      void* out, uint32_t outSize, uint32_t& bytesReturned);
    uint32_t RegisterEvent(Connection& connection, const void* in);
    uint32_t NextEvent(Connection& connection, void* out);
    void QueueEvent(uint32_t kind) override;   // with m_mutex held
    void SignalConnection(const Connection& connection);   // with m_mutex held

    mutable std::mutex m_mutex;
    SimBus m_bus;
    CSimAnswers m_answers{m_bus, *this};
    CSimFaults m_faults;
    std::map<DeviceHandle, Connection> m_connections;
    uint32_t m_nextConnection = 1;
    std::vector<SimTraceEntry> m_trace;
    TraceListener m_traceListener;
    bool m_bTraceKept = true;
    EventSignaller m_signal;
    CSimInterfaceListeners m_interfaceListeners;
};

// Installs a simulated driver as the device I/O of every connection opened while it lives.
class CScopedSimDriver {
public:
    explicit CScopedSimDriver(CSimDriver& driver) { SetDeviceIo(&driver); }
    ~CScopedSimDriver() { SetDeviceIo(nullptr); }
    CScopedSimDriver(const CScopedSimDriver&) = delete;
    CScopedSimDriver& operator=(const CScopedSimDriver&) = delete;
};

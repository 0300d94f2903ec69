#include "ctl/CtlWatch.h"

#include <chrono>

#include "ctl/CtlInterrupt.h"
#include "ctl/CtlWatchLine.h"
#include "driver/ControlCodes.h"
#include "history/EventHistory.h"
#include "protocol/DriverFindingsOf.h"
#include "protocol/DriverReader.h"

CCtlWatch::CCtlWatch(COvx1394Driver& reader, bool json, std::ostream& out)
    : m_reader(reader), m_json(json), m_out(out), m_texts(DefaultHistoryTexts()),
      m_driverEvent(OsSync::CreateAutoResetEvent())
{
}

CtlOutcome CCtlWatch::Run()
{
    const CCtlInterrupt interrupt;
    if (CtlOutcome listening = Listen(); listening.Failed())
        return listening;
    // Read after the event is registered, so that no change falls between the two.
    m_before = Read();
    bool backlog = false;
    for (;;) {
        switch (WaitForWake(backlog)) {
        case Wake::Driver:
            if (CtlOutcome handled = Handle(backlog); handled.Failed())
                return handled;
            break;
        case Wake::Interrupt:
            // What the driver announced before Ctrl+C is still told.
            if (backlog || OsSync::TryConsumeEvent(m_driverEvent.Get()))
                return Handle(backlog);
            return CtlDone();
        case Wake::Failed:
            return {CtlExit_Refused, "the wait for the driver's events failed"};
        }
    }
}

CtlOutcome CCtlWatch::Listen()
{
    if (!m_driverEvent)
        return {CtlExit_Refused, "no event could be made to wait on"};
    if (const DrvResult opened = m_events.Open(kOvxDeviceName))
        return CtlRefused("opening the driver", opened);
    if (const DrvResult registered = m_events.RegisterNotificationEvent(m_driverEvent.Get()))
        return CtlRefused(RequestFailure{OvxIoctl::RegisterNotificationEvent, registered});
    return CtlDone();
}

CCtlWatch::Wake CCtlWatch::WaitForWake(bool backlog)
{
    if (backlog)
        return OsSync::TryConsumeEvent(CCtlInterrupt::Event()) ? Wake::Interrupt : Wake::Driver;
    switch (OsSync::WaitForEither(CCtlInterrupt::Event(), m_driverEvent.Get())) {
    case 0: return Wake::Interrupt;
    case 1: return Wake::Driver;
    default: return Wake::Failed;
    }
}

CCtlWatch::Drained CCtlWatch::Drain()
{
    Drained drained;
    for (unsigned taken = 0; taken < kEventsPerBatch; ++taken) {
        _DRIVER_EVENT_INFO event{};
        const DrvResult result = m_events.GetNextEvent(&event);
        if (result != DRV_OK) {
            if (result != WinError::NoMoreItems)
                drained.failure = {OvxIoctl::GetNextEvent, result};
            return drained;
        }
        drained.changed |= EventChangesDriverState(event.kind);
    }
    drained.backlog = true;
    return drained;
}

DriverFindings CCtlWatch::Read()
{
    DriverState state;
    CDriverReader reader(m_reader);
    const bool reached = reader.Devices(state).Ok();
    if (reached) {
        reader.ClockSource(state);
        reader.SampleRates(state);
        reader.Streams(state);
    }
    return FindingsOf(state, reached);
}

CtlOutcome CCtlWatch::Handle(bool& backlog)
{
    const Drained drained = Drain();
    backlog = drained.backlog;
    if (!drained.failure.Ok()) {
        _DRIVER_VERSION_INFO version{};
        if (m_events.GetDriverVersion(&version) != DRV_OK) {
            if (!Print(FindDriverChanges(m_before, DriverFindings{}, OwnWrites{})))
                return {CtlExit_Output, ""};
            return {CtlExit_Refused, "the driver left: " + CtlRefused(drained.failure).message};
        }
    }
    if (!drained.changed)
        return CtlDone();
    DriverFindings after = Read();
    if (!Print(FindDriverChanges(m_before, after, OwnWrites{})))
        return {CtlExit_Output, ""};
    m_before = std::move(after);
    return CtlDone();
}

bool CCtlWatch::Print(const std::vector<DriverChange>& changes)
{
    const auto now = std::chrono::system_clock::now();
    for (const DriverChange& change : changes) {
        const HistoryEntry entry = HistoryEntryOf(change, now);
        m_out << (m_json ? WatchJsonLine(entry) : WatchTextLine(entry, m_texts)) << '\n';
        // Read live, often through a pipe: each line reaches it at once.
        if (!m_out.flush())
            return false;
    }
    return true;
}

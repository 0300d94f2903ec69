// ovxctl watch: a line for each change the driver's events bring, as they come, until
// Ctrl+C (exit code 0), until the driver leaves (1) or until the output can no longer be
// written (3). It only reads.
//
// A second connection registers an event with the driver, and the tool waits on that
// event and on Ctrl+C's (ctl/CtlInterrupt.h), with no timer. A wake takes the driver's
// events with GetNextEvent until it fails, as the panel drains them; after a streaming
// restart or a configuration change the tool reads what the changes are found in
// (devices, clock source, sampling rates, streams) on the first connection and prints
// each change since the read before, flushed at once. A driver that unloads signals
// the events registered with it and answers nothing after: a GetNextEvent that fails
// otherwise than with "no more items", on a connection that no longer answers
// GetDriverVersion, is the driver gone.
#pragma once

#include <ostream>
#include <vector>

#include "ctl/CtlOutcome.h"
#include "driver/OsSync.h"
#include "driver/Ovx1394Driver.h"
#include "history/HistoryText.h"
#include "protocol/DriverChanges.h"

class CCtlWatch {
public:
    // The most events one wake takes before Ctrl+C is looked at again: a driver whose
    // events never run dry must not keep the tool from ending.
    static constexpr unsigned kEventsPerBatch = 64;

    CCtlWatch(COvx1394Driver& reader, bool json, std::ostream& out);

    CtlOutcome Run();

private:
    struct Drained {
        bool changed = false;     // a streaming restart or a configuration change came
        bool backlog = false;     // the batch ended before the events did
        RequestFailure failure;   // GetNextEvent's failure other than "no more items"
    };

    enum class Wake { Driver, Interrupt, Failed };

    CtlOutcome Listen();
    // Ctrl+C first, then the driver; with a backlog, without waiting.
    Wake WaitForWake(bool backlog);
    Drained Drain();
    // What the findings need, through the one reader; the rest is not read when the
    // device list is not answered.
    DriverFindings Read();
    // Handles one wake; an outcome that ends the watch, or done to go on.
    CtlOutcome Handle(bool& backlog);
    bool Print(const std::vector<DriverChange>& changes);

    COvx1394Driver& m_reader;
    const bool m_json;
    std::ostream& m_out;
    const HistoryTexts m_texts;
    DriverFindings m_before;
    // Closed after the connection: the driver may signal the event until then.
    OsSync::CEvent m_driverEvent;
    COvx1394Driver m_events;
};

// Ctrl+C and Ctrl+Break as an event that a waiting command wakes on, for as long as an
// object of this class lives; otherwise the console's default, ending the process at
// once, holds. The console calls the handler on a thread of its own: all it does is
// signal the event, which is thread-safe and never waits.
#pragma once

#include "driver/OsSync.h"

class CCtlInterrupt {
public:
    // Resets the event first: a Ctrl+C from before is not for this wait.
    CCtlInterrupt();
    ~CCtlInterrupt();
    CCtlInterrupt(const CCtlInterrupt&) = delete;
    CCtlInterrupt& operator=(const CCtlInterrupt&) = delete;

    // The auto-reset event; it lives as long as the process.
    static OsSync::EventHandle Event();
    // What the console handler does; the tests press Ctrl+C with it.
    static void Signal();
};

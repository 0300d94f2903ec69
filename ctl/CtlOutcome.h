// How a command of ovxctl ends: its exit code and, on failure, the message for the
// error stream. Failures travel as these values, never as exceptions.
#pragma once

#include <string>

#include "driver/RequestFailure.h"
#include "driver/ResultCodes.h"
#include "text/DriverErrorText.h"   // ResultText, which the messages quote

enum CtlExit : int {
    CtlExit_Done = 0,
    CtlExit_Refused = 1,   // the driver failed a request
    CtlExit_Usage = 2,     // the command line was not what a command expects
    CtlExit_Output = 3,    // what was to be printed could not be written (a full disk, a closed pipe)
};

struct CtlOutcome {
    int exitCode = CtlExit_Done;
    std::string message;

    bool Failed() const { return exitCode != CtlExit_Done; }
};

inline CtlOutcome CtlDone() { return {}; }
inline CtlOutcome CtlUsage(std::string message) { return {CtlExit_Usage, std::move(message)}; }

// "REQUEST refused: 0xE0000080 Selected sampling rate not supported."
CtlOutcome CtlRefused(const char* request, DrvResult code);
CtlOutcome CtlRefused(const RequestFailure& failure);

// The commands of ovxctl, one row each. The usage text, the answer to an unknown
// command, the check of the argument count and the dispatch are all made from this
// table: a new command is a row and its handler.
#pragma once

#include <cstddef>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ctl/CtlOutcome.h"
#include "driver/Drv.h"
#include "text/FilePath.h"

// What a command works on once the driver is open.
struct CtlSession {
    CDrv& drv;
    bool json;
    std::ostream& out;
    DrvResult opened = DRV_OK;   // not DRV_OK only for a command that runs unopened: why the driver could not be opened
};

// The arguments in the driver's ANSI code page.
using CtlWords = std::vector<std::string>;
// The same arguments as the file system takes them.
using CtlPaths = std::vector<FilePath>;

// What a command does on the open driver, its arguments already read.
using CtlAction = std::function<CtlOutcome(CtlSession& session)>;

struct CtlCommandRow {
    const char* name;
    const char* arguments;   // as the usage writes them; empty for none
    size_t minArguments;
    size_t maxArguments;     // SIZE_MAX: any number
    bool startsGroup;        // the usage puts a blank line before it
    const char* help;        // the usage sets its later lines under its first
    // Checks the arguments' form and makes the action from them, before the driver
    // is opened: a command line that cannot be right never reaches the driver.
    CtlOutcome (*prepare)(const CtlWords& arguments, CtlAction& action);
    // In place of prepare, for a command whose arguments name files: the arguments also
    // as the file system takes them. Only such a command takes a word that cannot cross
    // to the ANSI code page.
    CtlOutcome (*prepareFiles)(const CtlWords& arguments, const CtlPaths& paths, CtlAction& action);
    // The exit code when the driver cannot be opened: diff, as diff(1), reserves 1 for
    // "different" and says trouble with 2.
    int troubleExit = CtlExit_Refused;
    // Runs even when the driver cannot be opened, told why in the session: a support
    // report is wanted most when the driver is missing.
    bool runsUnopened = false;
};

std::span<const CtlCommandRow> CtlCommands();
const CtlCommandRow* FindCtlCommand(std::string_view name);

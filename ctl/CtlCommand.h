// ovxctl's command line run on a driver connection: the options, the command and its
// arguments checked, then the driver opened, the command run and the connection closed.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "ctl/CtlOptions.h"
#include "driver/Drv.h"

// Returns the exit code: 0 done, 1 the driver refused, 2 a usage error, 3 the output
// could not be written. --sim is the caller's to act on; here it only ends the options.
int RunCtlCommandLine(CDrv& drv, const CtlCommandLine& line, std::ostream& out, std::ostream& err);

// The same for a command line without the program name, its options read first.
int RunCtlCommand(CDrv& drv, const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The usage text, made from the table of commands.
std::string CtlUsageText();

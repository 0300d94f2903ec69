// ovxctl's command line: the options, the command and its arguments, run on a
// driver connection. The connection is opened here and closed when the command ends.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "driver/Drv.h"

// Runs one command line (without the program name and without --sim) and returns
// the exit code: 0 done, 1 the driver refused, 2 a usage error.
int RunCtlCommand(CDrv& drv, const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Whether word is one of the commands, so that "--sim status" is not read as a scenario.
bool IsCtlCommand(const std::string& word);

extern const char kCtlUsage[];

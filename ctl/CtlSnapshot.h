// ovxctl's studio snapshot commands: save FILE, diff FILE, restore FILE [--dry-run].
// diff and restore read and check the whole file before the driver is opened: a bad
// file ends them with exit code 2 and no request sent.
#pragma once

#include "ctl/CtlCommandTable.h"

// The file arguments are taken as paths: a name the ANSI code page cannot hold reaches
// the file system as the command line gave it.
CtlOutcome PrepareSave(const CtlWords& arguments, const CtlPaths& paths, CtlAction& action);
CtlOutcome PrepareDiff(const CtlWords& arguments, const CtlPaths& paths, CtlAction& action);
CtlOutcome PrepareRestore(const CtlWords& arguments, const CtlPaths& paths, CtlAction& action);

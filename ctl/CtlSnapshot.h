// ovxctl's studio snapshot commands: save FILE, diff FILE, restore FILE [--dry-run].
// diff and restore read and check the whole file before the driver is opened: a bad
// file ends them with exit code 2 and no request sent.
#pragma once

#include "ctl/CtlCommandTable.h"

CtlOutcome PrepareSave(const CtlWords& arguments, CtlAction& action);
CtlOutcome PrepareDiff(const CtlWords& arguments, CtlAction& action);
CtlOutcome PrepareRestore(const CtlWords& arguments, CtlAction& action);

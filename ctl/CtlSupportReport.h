// ovxctl report [FILE] [--with-names]: the support report (report/), as text or with
// --json as JSON, into FILE or to standard output. It runs when the driver cannot be
// opened too, and a read that fails is part of the report: it is written all the same,
// and the command then names the failure and ends with exit code 1.
#pragma once

#include "ctl/CtlCommandTable.h"

// FILE is taken as a path: a name the ANSI code page cannot hold reaches the file
// system as the command line gave it.
CtlOutcome PrepareSupportReport(const CtlWords& arguments, const CtlPaths& paths, CtlAction& action);

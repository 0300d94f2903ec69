// ovxctl's reports as JSON, one object per report, through nlohmann/json. Field names
// and shapes are stable (README, "JSON schema"). The driver's ANSI texts are converted
// to Unicode through the system's ANSI code page, and everything beyond ASCII is
// written as a \u escape, so the output is plain ASCII whatever the console's code page.
#pragma once

#include <ostream>

#include "ctl/CtlReportRecords.h"

void PrintJson(std::ostream& out, const CtlStatusReport& report);
void PrintJson(std::ostream& out, const CtlDevicesReport& report);
void PrintJson(std::ostream& out, const CtlChannelsReport& report);
void PrintJson(std::ostream& out, const CtlSyncReport& report);
void PrintJson(std::ostream& out, const CtlStreamsReport& report);
void PrintJson(std::ostream& out, const CtlBuffersReport& report);

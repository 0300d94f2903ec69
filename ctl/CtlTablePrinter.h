// ovxctl's reports as the console shows them: aligned tables and labelled lines.
// The driver's texts are printed as it sent them, but for their control characters,
// which are written as \xNN (text/ControlText.h).
#pragma once

#include <ostream>

#include "ctl/CtlReportRecords.h"

void PrintTable(std::ostream& out, const CtlStatusReport& report);
void PrintTable(std::ostream& out, const CtlDevicesReport& report);
void PrintTable(std::ostream& out, const CtlChannelsReport& report);
void PrintTable(std::ostream& out, const CtlSyncReport& report);
void PrintTable(std::ostream& out, const CtlStreamsReport& report);
void PrintTable(std::ostream& out, const CtlBuffersReport& report);

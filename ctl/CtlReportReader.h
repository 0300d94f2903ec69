// Reads each report of ovxctl from the driver into its records (ctl/CtlReportRecords.h).
// A read that the driver refuses ends the report with the request's name and code.
#pragma once

#include "ctl/CtlOutcome.h"
#include "ctl/CtlReportRecords.h"
#include "driver/Drv.h"

CtlOutcome ReadReport(CDrv& drv, CtlStatusReport& report);
CtlOutcome ReadReport(CDrv& drv, CtlDevicesReport& report);
CtlOutcome ReadReport(CDrv& drv, CtlChannelsReport& report);   // the direction of report.output
CtlOutcome ReadReport(CDrv& drv, CtlSyncReport& report);
CtlOutcome ReadReport(CDrv& drv, CtlStreamsReport& report);
CtlOutcome ReadReport(CDrv& drv, CtlBuffersReport& report);

// Reads each report of ovxctl from the driver through the one reader
// (protocol/DriverReader.h) and shapes it into its records (ctl/CtlReportRecords.h).
// As the pages do, a report holds what the driver answered; the first request that
// failed is returned, and the command prints the report and names that request.
#pragma once

#include "ctl/CtlReportRecords.h"
#include "driver/Ovx1394Driver.h"
#include "driver/RequestFailure.h"

RequestFailure ReadReport(COvx1394Driver& drv, CtlStatusReport& report);
RequestFailure ReadReport(COvx1394Driver& drv, CtlDevicesReport& report);
RequestFailure ReadReport(COvx1394Driver& drv, CtlChannelsReport& report);   // the direction of report.output
RequestFailure ReadReport(COvx1394Driver& drv, CtlSyncReport& report);
RequestFailure ReadReport(COvx1394Driver& drv, CtlStreamsReport& report);
RequestFailure ReadReport(COvx1394Driver& drv, CtlBuffersReport& report);

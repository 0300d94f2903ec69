#include "ctl/CtlOutcome.h"

#include <cstdio>

#include "text/DriverErrorText.h"

std::string ResultText(DrvResult code)
{
    if (const DriverErrorText* known = FindDriverErrorText(code))
        return known->text;
    switch (code) {
    case ERROR_DRV_NOT_OPEN: return "The driver is not open.";
    case ERROR_DRV_INTERFACE_VERSION: return "The driver's interface version is not supported.";
    case ERROR_DRV_SHORT_ANSWER: return "The driver's answer was shorter than its record.";
    case ERROR_DRV_LIST_CHANGED: return "The driver's device list changed while it was read; try again.";
    case 2: return "The driver's control device was not found.";
    case 5: return "Access to the driver's control device was denied.";
    case ERROR_DRV_INVALID_ARGUMENT: return "The parameter is incorrect.";
    default: return "";
    }
}

CtlOutcome CtlRefused(const char* request, DrvResult code)
{
    char head[96];
    std::snprintf(head, sizeof head, "%s refused: 0x%08X", request, code);
    std::string message = head;
    const std::string text = ResultText(code);
    if (!text.empty())
        message += " " + text;
    return {CtlExit_Refused, message};
}

CtlOutcome CtlRefused(const RequestFailure& failure)
{
    return CtlRefused(failure.RequestName(), failure.code);
}

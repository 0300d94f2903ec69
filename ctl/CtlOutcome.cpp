#include "ctl/CtlOutcome.h"

#include <cstdio>

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

#include "driver/RequestFailure.h"

#include "driver/ControlCodes.h"

const char* RequestFailure::RequestName() const
{
    if (Ok())
        return "";
    const OvxIoctl::Request* known = OvxIoctl::FindRequest(request);
    return known ? known->name : "an unknown request";
}

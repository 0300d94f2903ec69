#include "text/DriverErrorText.h"

#include "res/DriverErrorTexts.h"

namespace {

constexpr DriverErrorText kDriverErrors[] = {
    {ERROR_DRV_FCP_NEGATIVE_RESPONSE, IDS_DRVERR_FCP_NEGATIVE, TXT_DRVERR_FCP_NEGATIVE},
    {ERROR_DRV_CHANNEL_ALLOCATION, IDS_DRVERR_CHANNEL_ALLOCATION, TXT_DRVERR_CHANNEL_ALLOCATION},
    {ERROR_DRV_BANDWIDTH_ALLOCATION, IDS_DRVERR_BANDWIDTH, TXT_DRVERR_BANDWIDTH},
    {ERROR_DRV_ISO_RESOURCE_ALLOCATION, IDS_DRVERR_ISO_RESOURCE, TXT_DRVERR_ISO_RESOURCE},
    {ERROR_DRV_START_STREAMING, IDS_DRVERR_START_STREAMING, TXT_DRVERR_START_STREAMING},
    {ERROR_DRV_CHANNEL_CHANGED, IDS_DRVERR_CHANNEL_CHANGED, TXT_DRVERR_CHANNEL_CHANGED},
    {ERROR_DRV_RATE_NOT_SUPPORTED, IDS_DRVERR_RATE_NOT_SUPPORTED, TXT_DRVERR_RATE_NOT_SUPPORTED},
    {ERROR_DRV_WDM_DEVICE_IN_USE, IDS_DRVERR_WDM_DEVICE_IN_USE, TXT_DRVERR_WDM_DEVICE_IN_USE},
};

}  // namespace

const DriverErrorText* FindDriverErrorText(DrvResult code)
{
    for (const DriverErrorText& entry : kDriverErrors) {
        if (entry.code == code)
            return &entry;
    }
    return nullptr;
}

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

#include "protocol/NameWrites.h"

#include "driver/ControlCodes.h"
#include "driver/RecordText.h"
#include "protocol/NameRule.h"

WriteOutcome RenameDevice(COvx1394Driver& drv, const _OVX_DEVICE_PROPERTIES& device, std::string_view name)
{
    if (const WriteRule broken = CheckName(name); broken != WriteRule::None)
        return WriteOutcome::Refused(broken);
    _OVX_DEVICE_PROPERTIES renamed = device;
    SetFieldText(renamed.name, name);
    return WriteOutcome::Of(OvxIoctl::SetDeviceProperties, drv.SetDeviceProperties(&renamed));
}

WriteOutcome RenameChannel(COvx1394Driver& drv, const _OVX_CHANNEL_PROPERTIES& channel, std::string_view name)
{
    if (const WriteRule broken = CheckName(name); broken != WriteRule::None)
        return WriteOutcome::Refused(broken);
    _OVX_CHANNEL_PROPERTIES renamed = channel;
    SetFieldText(renamed.channelName, name);
    return WriteOutcome::Of(OvxIoctl::SetChannelProperties, drv.SetChannelProperties(&renamed));
}

WriteOutcome SetAsioNamesIncludeDevice(COvx1394Driver& drv, bool include)
{
    const uint32_t option = include ? 1 : 0;
    return WriteOutcome::Of(OvxIoctl::SetAsioNameOption, drv.SetAsioNameOption(&option));
}

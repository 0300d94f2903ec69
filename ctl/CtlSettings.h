// The commands of ovxctl that change a driver setting. Each reads the record it
// changes from the driver, checks the new value against it before sending anything,
// and writes it back with only that value changed; the settings that disturb
// running streams are framed by StopStreaming and StartStreaming, as the panel does.
#pragma once

#include <string>
#include <vector>

#include "ctl/CtlOutcome.h"
#include "driver/Drv.h"

class CCtlSettings {
public:
    explicit CCtlSettings(CDrv& drv) : m_drv(drv) {}

    CtlOutcome SetRate(const std::string& hz);
    CtlOutcome SetClock(const std::string& master);
    CtlOutcome SetSync(const std::string& device, const std::string& mode);
    CtlOutcome SetBuffer(const std::string& buffer, const std::string& microseconds);
    CtlOutcome RenameDevice(const std::string& device, const std::string& name);
    CtlOutcome RenameChannel(const std::string& direction, const std::string& channel, const std::string& name);
    CtlOutcome SetAsioNames(const std::string& onOff);
    CtlOutcome Rank(const std::vector<std::string>& devices);

private:
    CtlOutcome ReadDevicesAndModes();
    // Clock source, rate mode and every device's synchronisation mode as the model
    // holds them, between StopStreaming and StartStreaming.
    CtlOutcome ApplySynchronisation();

    CDrv& m_drv;
};

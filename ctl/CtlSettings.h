// The commands of ovxctl that change a driver setting. Each reads the record it
// changes from the driver, checks the new value against it before sending anything,
// and writes it back with only that value changed; the settings that disturb
// running streams are framed by StopStreaming and StartStreaming, as the panel does.
#pragma once

#include <string>
#include <vector>

#include "ctl/CtlOutcome.h"
#include "driver/Drv.h"

enum class CtlBuffer { Stream, Asio, Wdm };

// The word that names a buffer on the command line: stream, asio or wdm.
const char* CtlBufferName(CtlBuffer buffer);

// The values come checked for their form (a number, a name that fits); what they name
// is looked up here, on the driver.
class CCtlSettings {
public:
    explicit CCtlSettings(CDrv& drv) : m_drv(drv) {}

    CtlOutcome SetRate(uint32_t hz);
    CtlOutcome SetClock(const std::string& master);
    CtlOutcome SetSync(const std::string& device, const std::string& mode);
    CtlOutcome SetBuffer(CtlBuffer buffer, uint32_t microseconds);
    CtlOutcome RenameDevice(const std::string& device, const std::string& name);
    CtlOutcome RenameChannel(bool output, const std::string& channel, const std::string& name);
    CtlOutcome SetAsioNames(bool on);
    CtlOutcome Rank(const std::vector<std::string>& devices);

private:
    CtlOutcome ReadDevicesAndModes();
    // Clock source, rate mode and every device's synchronisation mode as the model
    // holds them, between StopStreaming and StartStreaming.
    CtlOutcome ApplySynchronisation();

    CDrv& m_drv;
};

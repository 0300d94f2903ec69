// The commands of ovxctl that change a driver setting. Each reads what it changes
// through the one reader, looks up what the command line names, and hands the change
// to the driver layer's named operation (protocol/), which holds the rules, the frame
// and the order of the requests; the same operations serve the panel's pages.
#pragma once

#include <string>
#include <vector>

#include "ctl/CtlOutcome.h"
#include "driver/Ovx1394Driver.h"
#include "protocol/DriverState.h"
#include "protocol/WriteOutcome.h"

// The word that names a buffer on the command line: stream, asio or wdm.
const char* CtlBufferName(BufferKind buffer);

// The values come checked for their form (a number, a name that fits); what they name
// is looked up here, on the driver.
class CCtlSettings {
public:
    explicit CCtlSettings(COvx1394Driver& drv) : m_drv(drv) {}

    CtlOutcome SetRate(uint32_t hz);
    CtlOutcome SetClock(const std::string& master);
    CtlOutcome SetSync(const std::string& device, const std::string& mode);
    CtlOutcome SetBuffer(BufferKind buffer, uint32_t microseconds);
    CtlOutcome RenameDevice(const std::string& device, const std::string& name);
    CtlOutcome RenameChannel(bool output, const std::string& channel, const std::string& name);
    CtlOutcome SetAsioNames(bool on);
    CtlOutcome Rank(const std::vector<std::string>& devices);

private:
    // The devices with their synchronisation records, the clock master and the rate mode.
    CtlOutcome ReadSynchronisation();
    // Every device's synchronisation record as read (one of them changed), with the
    // clock master and rate mode of the state, in their frame.
    CtlOutcome ApplySynchronisation();

    COvx1394Driver& m_drv;
    DriverState m_state;
};

// A finished write as ovxctl reports it: a rule's refusal as a usage error, the driver's
// refusal with its request and code, and a frame that left streaming stopped.
CtlOutcome CtlWritten(const WriteOutcome& outcome, std::string_view value = {});

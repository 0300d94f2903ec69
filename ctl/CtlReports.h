// The read-only commands of ovxctl: each reads what it shows afresh from the driver
// and prints it as a table or as JSON.
#pragma once

#include <ostream>

#include "ctl/CtlOutcome.h"
#include "driver/Drv.h"

class CJsonWriter;

class CCtlReports {
public:
    CCtlReports(CDrv& drv, bool json, std::ostream& out) : m_drv(drv), m_bJson(json), m_out(out) {}

    CtlOutcome Status();
    CtlOutcome Devices();
    CtlOutcome Channels(bool output);
    CtlOutcome Sync();
    CtlOutcome Streams();
    CtlOutcome Buffers();

private:
    struct Depths {
        _BUFFER_DEPTH_INFO stream{}, asio{}, wdm{};
    };
    struct Sampling {
        _CLOCK_SOURCE_INFO clock{};
        uint32_t rateMode = 0;
        _SAMPLE_RATE_INFO rates{};
    };

    CtlOutcome ReadDevices();
    CtlOutcome ReadSampling(Sampling& sampling);
    CtlOutcome ReadDepths(Depths& depths);
    void ReadStreamingState(const char*& state);
    std::string ClockMasterText(const _CLOCK_SOURCE_INFO& clock) const;

    void WriteDevices(CJsonWriter& json) const;
    void WriteClockMaster(CJsonWriter& json, const _CLOCK_SOURCE_INFO& clock) const;

    CDrv& m_drv;
    bool m_bJson;
    std::ostream& m_out;
};

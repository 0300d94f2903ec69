// Gathers a support report's facts: the driver read once through the one reader
// (protocol/DriverReader.h) with its failure policy (a part that cannot be read is
// recorded and the rest still read), then the journal's failures, which include the
// read's own, and the history the caller keeps.
#pragma once

#include <string>

#include "driver/Ovx1394Driver.h"
#include "report/SupportFacts.h"

// What the caller knows besides the driver.
struct SupportSources {
    std::string writtenBy;
    std::string operatingSystem;                 // UTF-8: OperatingSystemText() where the report is made
    DrvResult opening = DRV_OK;                  // not DRV_OK: the connection is closed, and why
    const CRequestJournal* journal = nullptr;    // the connection's observer, or null
    const CEventHistory* history = nullptr;      // null: the program keeps none
    std::optional<ComputerNames> names;          // only when the user asked for them
};

class CSupportReader {
public:
    explicit CSupportReader(COvx1394Driver& drv) : m_drv(drv) {}

    // The facts, whatever failed; the first failed part is facts.reads.First().
    SupportFacts Read(const SupportSources& sources);

private:
    void ReadDriver(SupportFacts& facts);

    COvx1394Driver& m_drv;
};

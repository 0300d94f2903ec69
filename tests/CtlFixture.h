// ovxctl's commands run in the test's process on a simulated driver, with what they
// print and the requests the driver saw.
#pragma once

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "ctl/CtlCommand.h"
#include "driver/ControlCodes.h"
#include "driver/Drv.h"
#include "sim/SimDriver.h"

class CtlFixture : public ::testing::Test {
protected:
    int Run(std::vector<std::string> args)
    {
        out.str("");
        err.str("");
        sim.ClearTrace();
        return RunCtlCommand(drv, args, out, err);
    }

    // The report of a command run with --json, parsed; null when it failed or is no JSON.
    nlohmann::json RunJson(std::vector<std::string> args)
    {
        args.insert(args.begin(), "--json");
        const int exitCode = Run(args);
        EXPECT_EQ(exitCode, 0) << err.str();
        nlohmann::json json = nlohmann::json::parse(out.str(), nullptr, false);
        EXPECT_FALSE(json.is_discarded()) << out.str();
        return exitCode == 0 && !json.is_discarded() ? json : nlohmann::json();
    }

    // The requests of the last run after the opening version check.
    std::vector<std::string> Requests() const
    {
        std::vector<std::string> names;
        for (const SimTraceEntry& entry : sim.Trace()) {
            if (entry.code != OvxIoctl::GetDriverVersion || !names.empty())
                names.push_back(OvxIoctl::FindRequest(entry.code)->name);
        }
        return names;
    }

    std::vector<uint8_t> InputOf(uint32_t code) const
    {
        for (const SimTraceEntry& entry : sim.Trace()) {
            if (entry.code == code)
                return entry.input;
        }
        return {};
    }

    bool Sent(uint32_t code) const { return sim.CountOf(code) != 0; }

    CSimDriver sim;
    CScopedSimDriver installed{sim};
    CDrv drv;
    std::ostringstream out, err;
};

// The panel on a simulated bus for a test, and the page a test opens as a user opens
// it: its tree item selected, its controls found by id; and what the driver was asked.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "tests/harness/PageDriving.h"
#include "tests/harness/PanelHarness.h"

class CPanelFixture : public testing::Test {
protected:
    // True if the panel started on bus with commandLine went on to its message loop.
    bool StartPanel(SimBus bus = DefaultBus(), const char* commandLine = "");
    // Starts the panel and shows the page of this tree item.
    void OpenPage(SimBus bus, const char* treeItem);

    HWND Control(int id) const { return ::GetDlgItem(page, id); }
    CSimDriver& Sim() const { return panel->sim; }
    void ClearTrace() const { panel->sim.ClearTrace(); }
    bool NothingAsked() const { return panel->sim.Trace().empty(); }
    std::vector<uint32_t> Codes() const { return panel->sim.TraceCodes(); }
    size_t CountOf(uint32_t code) const { return panel->sim.CountOf(code); }
    // The codes of the first count requests, or of all when there were fewer.
    std::vector<uint32_t> FirstCodes(size_t count) const
    {
        std::vector<uint32_t> codes = Codes();
        codes.resize(std::min(count, codes.size()));
        return codes;
    }
    // The input bytes of the request at this place in the trace; none past its end.
    std::vector<uint8_t> InputOf(size_t index) const
    {
        const std::vector<SimTraceEntry> trace = panel->sim.Trace();
        return index < trace.size() ? trace[index].input : std::vector<uint8_t>{};
    }
    // The records sent with a request of this code, in the order they were sent.
    template <typename Record>
    std::vector<Record> Sent(uint32_t code) const
    {
        std::vector<Record> sent;
        for (const SimTraceEntry& entry : panel->sim.Trace()) {
            if (entry.code == code && entry.input.size() == sizeof(Record))
                std::memcpy(&sent.emplace_back(), entry.input.data(), sizeof(Record));
        }
        return sent;
    }

    std::unique_ptr<CPanelHarness> panel;
    HWND page = nullptr;
};

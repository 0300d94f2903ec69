// One chaos trial: a fresh panel on the default bus, the steps in order, and after each
// step, once the bus has settled, every invariant. The first broken one ends the trial.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/chaos/ChaosScript.h"
#include "tests/chaos/ChaosWrites.h"

struct ChaosFailure {
    size_t step = 0;   // 1-based; 0 for the start or the end of the trial
    ChaosViolation violation;
};

// The growth each figure of the stats statement may show over a run.
using ChaosBounds = std::vector<std::pair<std::string, long long>>;

struct ChaosOptions {
    std::string tracePath;
    std::string snapshotPath;   // the studio snapshot the File menu saves and restores
    ChaosBounds bounds;
    bool verbose = false;       // every step and what came of it
    bool measure = false;       // rest and take the resource counts at the start and end
    size_t warmupSteps = 100;   // steps before the counts are first taken
    size_t restEvery = 0;       // and at every so many steps after (0: only at the end)
};

class CChaosRun {
public:
    explicit CChaosRun(ChaosOptions options) : m_options(std::move(options)) {}

    // next() gives the steps until it returns false; every step run is appended to
    // `ran`, so that a failing sequence can be written and run again.
    std::optional<ChaosFailure> Run(const std::function<bool(ChaosStep&)>& next, std::vector<ChaosStep>& ran);

private:
    ChaosOptions m_options;
    struct Rest {
        size_t step;                  // the steps run before it
        std::string stats;            // the stats statement's line
        size_t fileNamesChosen;       // file dialogs ended with OK before it
    };
    // The growth of each figure within its bound, from the baseline rest to the last.
    bool WithinBounds(ChaosViolation& violation) const;

    std::vector<Rest> m_counts;
};

// The steps that bring the panel back to rest before its resources are counted: every
// modal box cancelled, no faults, the driver loaded, the default bus, the bus window's
// trace emptied (its list's rows hold GDI objects), every page shown once (the first
// showing of a page makes its own), the first page. The first rest tours the dialogs too.
std::vector<ChaosStep> ChaosRestSteps(bool first);

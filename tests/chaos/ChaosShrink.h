// Shrinks a failing sequence by delta debugging: drops halves, then quarters, down to
// single steps, keeping each drop after which the same invariant still breaks. Every
// trial starts a fresh panel; the time spent is capped.
#pragma once

#include <string>
#include <vector>

#include "tests/chaos/ChaosRun.h"

struct ChaosShrunk {
    std::vector<ChaosStep> steps;
    ChaosFailure failure;
    size_t trials = 0;
    bool timedOut = false;
};

ChaosShrunk ShrinkChaos(const std::vector<ChaosStep>& steps, const ChaosFailure& failure, const ChaosOptions& options,
                        unsigned minutes);

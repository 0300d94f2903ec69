#include "tests/chaos/ChaosShrink.h"

#include <windows.h>
#include <algorithm>
#include <cstdio>

namespace {

class CShrinker {
public:
    CShrinker(const ChaosOptions& options, const std::string& invariant, unsigned minutes)
        : m_options(options), m_invariant(invariant), m_deadline(::GetTickCount64() + minutes * 60000ull)
    {
        m_options.measure = false;
        m_options.verbose = false;
    }

    bool TimeLeft() const { return ::GetTickCount64() < m_deadline; }

    // Runs the steps; true when they still break the same invariant (the failure is kept).
    bool StillFails(const std::vector<ChaosStep>& steps, ChaosFailure& failure)
    {
        ++m_trials;
        size_t index = 0;
        std::vector<ChaosStep> ran;
        CChaosRun run(m_options);
        const auto found = run.Run([&](ChaosStep& step) {
            if (index == steps.size())
                return false;
            step = steps[index++];
            return true;
        }, ran);
        if (!found || found->violation.invariant != m_invariant)
            return false;
        failure = *found;
        return true;
    }

    size_t Trials() const { return m_trials; }

private:
    ChaosOptions m_options;
    std::string m_invariant;
    ULONGLONG m_deadline;
    size_t m_trials = 0;
};

}  // namespace

ChaosShrunk ShrinkChaos(const std::vector<ChaosStep>& steps, const ChaosFailure& failure, const ChaosOptions& options,
                        unsigned minutes)
{
    CShrinker shrinker(options, failure.violation.invariant, minutes);
    ChaosShrunk shrunk;
    // What came after the failing step played no part in it.
    shrunk.steps.assign(steps.begin(), steps.begin() + static_cast<long>(std::min(failure.step, steps.size())));
    shrunk.failure = failure;
    size_t chunks = 2;
    while (shrunk.steps.size() >= 2 && shrinker.TimeLeft()) {
        const size_t size = shrunk.steps.size();
        const size_t chunk = (size + chunks - 1) / chunks;
        bool dropped = false;
        for (size_t start = 0; start < size && shrinker.TimeLeft(); start += chunk) {
            std::vector<ChaosStep> rest(shrunk.steps.begin(), shrunk.steps.begin() + static_cast<long>(start));
            rest.insert(rest.end(), shrunk.steps.begin() + static_cast<long>(std::min(size, start + chunk)), shrunk.steps.end());
            ChaosFailure found;
            if (shrinker.StillFails(rest, found)) {
                rest.resize(std::min(rest.size(), found.step));
                shrunk.steps = rest;
                shrunk.failure = found;
                std::printf("chaos: shrunk to %zu steps\n", rest.size());
                std::fflush(stdout);
                chunks = std::max<size_t>(chunks - 1, 2);
                dropped = true;
                break;
            }
        }
        if (!dropped) {
            if (chunks >= size)
                break;
            chunks = std::min(size, chunks * 2);
        }
    }
    shrunk.trials = shrinker.Trials();
    shrunk.timedOut = !shrinker.TimeLeft();
    return shrunk;
}

// ovx_chaos.exe: the running panel driven by a seeded random mix of bus statements and
// user actions, its invariants checked after every step at a quiet point; a failing
// sequence is written, shrunk and written again.
//
//   ovx_chaos [--seed S] [--steps N] [--minutes M] [--out DIR] [--shrink-minutes M]
//             [--bounds "NAME LIMIT ..."] [--verbose]
//   ovx_chaos --replay FILE [--verbose]
//
// Exit code 0: no invariant broke; 1: one did (seed, step, invariant and scripts
// printed); 2: a usage error.
#include <windows.h>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>

#include "tests/chaos/ChaosGenerator.h"
#include "tests/chaos/ChaosRun.h"
#include "tests/chaos/ChaosShrink.h"

namespace {

struct Arguments {
    uint64_t seed = 0;
    bool seeded = false;
    size_t steps = 200;
    unsigned minutes = 0;
    unsigned shrinkMinutes = 10;
    std::string out = ".";
    std::string replay;
    ChaosBounds bounds;
    bool verbose = false;
};

bool Read(int argc, char** argv, Arguments& a)
{
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--verbose") {
            a.verbose = true;
            continue;
        }
        if (i + 1 >= argc)
            return false;
        const std::string value = argv[++i];
        if (option == "--seed") {
            a.seed = std::strtoull(value.c_str(), nullptr, 0);
            a.seeded = true;
        } else if (option == "--steps")
            a.steps = std::strtoul(value.c_str(), nullptr, 10);
        else if (option == "--minutes")
            a.minutes = static_cast<unsigned>(std::strtoul(value.c_str(), nullptr, 10));
        else if (option == "--shrink-minutes")
            a.shrinkMinutes = static_cast<unsigned>(std::strtoul(value.c_str(), nullptr, 10));
        else if (option == "--out")
            a.out = value;
        else if (option == "--replay")
            a.replay = value;
        else if (option == "--bounds") {
            std::istringstream words(value);
            std::string name;
            for (long long bound; words >> name >> bound;)
                a.bounds.push_back({name, bound});
        } else
            return false;
    }
    return true;
}

void PrintScript(const std::vector<ChaosStep>& steps)
{
    for (const ChaosStep& step : steps)
        std::printf("  %s\n", step.Line().c_str());
}

int Failed(const Arguments& a, const ChaosOptions& options, const std::vector<ChaosStep>& ran, const ChaosFailure& failure)
{
    std::printf("chaos: seed %llu broke \"%s\" at step %zu: %s\n", static_cast<unsigned long long>(a.seed),
                failure.violation.invariant.c_str(), failure.step, failure.violation.detail.c_str());
    const std::string stem = a.out + "\\chaos-seed-" + std::to_string(a.seed);
    const std::string origin = "# ovx chaos --seed " + std::to_string(a.seed) + ": \"" + failure.violation.invariant + "\"\n";
    WriteChaosScript(stem + ".txt", {origin, ran});
    std::printf("chaos: the whole sequence (%zu steps): %s.txt\n", ran.size(), stem.c_str());
    std::fflush(stdout);
    if (failure.violation.invariant.rfind("resource counts", 0) == 0)
        return 1;   // a growth over the whole run; no shorter sequence shows it
    const ChaosShrunk shrunk = ShrinkChaos(ran, failure, options, a.shrinkMinutes);
    WriteChaosScript(stem + "-shrunk.txt", {origin + "# shrunk: " + shrunk.failure.violation.detail + "\n", shrunk.steps});
    std::printf("chaos: shrunk in %zu trials%s to %zu steps (%s-shrunk.txt), which break \"%s\": %s\n", shrunk.trials,
                shrunk.timedOut ? " (time cap reached)" : "", shrunk.steps.size(), stem.c_str(),
                shrunk.failure.violation.invariant.c_str(), shrunk.failure.violation.detail.c_str());
    PrintScript(shrunk.steps);
    return 1;
}

int Replay(const Arguments& a, const ChaosOptions& options)
{
    ChaosScript script;
    std::string why;
    if (!ReadChaosScript(a.replay, script, why)) {
        std::fprintf(stderr, "ovx_chaos: %s\n", why.c_str());
        return 2;
    }
    size_t index = 0;
    std::vector<ChaosStep> ran;
    CChaosRun run(options);
    const auto failure = run.Run([&](ChaosStep& step) {
        if (index == script.steps.size())
            return false;
        step = script.steps[index++];
        return true;
    }, ran);
    if (failure) {
        std::printf("chaos: %s broke \"%s\" at step %zu: %s\n", a.replay.c_str(), failure->violation.invariant.c_str(),
                    failure->step, failure->violation.detail.c_str());
        return 1;
    }
    std::printf("chaos: %s, %zu steps, no invariant broken\n", a.replay.c_str(), ran.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    Arguments a;
    if (!Read(argc, argv, a)) {
        std::fprintf(stderr, "usage: ovx_chaos [--seed S] [--steps N] [--minutes M] [--out DIR] [--shrink-minutes M]\n"
                             "                 [--bounds \"NAME LIMIT ...\"] [--verbose] | --replay FILE\n");
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ChaosOptions options;
    options.tracePath = a.out + "\\chaos-trace.txt";
    options.snapshotPath = a.out + "\\chaos-snapshot.json";
    options.bounds = a.bounds;
    options.verbose = a.verbose;
    if (!a.replay.empty())
        return Replay(a, options);
    if (!a.seeded)
        a.seed = ::GetTickCount64() ^ (static_cast<uint64_t>(::GetCurrentProcessId()) << 32);
    std::printf("chaos: seed %llu, %s\n", static_cast<unsigned long long>(a.seed),
                a.minutes ? (std::to_string(a.minutes) + " minutes").c_str() : (std::to_string(a.steps) + " steps").c_str());
    options.measure = true;
    options.warmupSteps = a.minutes ? 100 : std::min<size_t>(100, a.steps / 4);
    options.restEvery = a.minutes ? 250 : std::max<size_t>(a.steps / 3, 1);
    CChaosGenerator generator(a.seed);
    const ULONGLONG deadline = ::GetTickCount64() + a.minutes * 60000ull;
    size_t generated = 0;
    std::vector<ChaosStep> ran;
    CChaosRun run(options);
    const auto failure = run.Run([&](ChaosStep& step) {
        if (a.minutes ? ::GetTickCount64() >= deadline : generated == a.steps)
            return false;
        step = generator.Next();
        ++generated;
        return true;
    }, ran);
    if (failure)
        return Failed(a, options, ran, *failure);
    std::printf("chaos: seed %llu, %zu steps (%zu generated), no invariant broken\n", static_cast<unsigned long long>(a.seed),
                ran.size(), generated);
    return 0;
}

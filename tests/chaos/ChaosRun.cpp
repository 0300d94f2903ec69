#include "tests/chaos/ChaosRun.h"

#include <windows.h>
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <map>
#include <sstream>

#include <nlohmann/json.hpp>

#include "sim/SimStatements.h"
#include "sim/SimWords.h"
#include "tests/chaos/ChaosHistory.h"
#include "tests/chaos/ChaosPanel.h"
#include "tests/chaos/ChaosTrace.h"
#include "tests/chaos/ChaosUser.h"
#include "tests/chaos/ChaosView.h"

namespace {

using nlohmann::json;

constexpr DWORD kSettleMs = 30000;
constexpr DWORD kAnswerMs = 1000;   // the panel answers within a second at a quiet point

long long Figure(const std::string& stats, const std::string& name)
{
    std::istringstream words(stats);
    for (std::string word, value; words >> word >> value;) {
        if (word == name)
            return std::stoll(value);
    }
    return 0;
}

class CTrial {
public:
    CTrial(const ChaosOptions& options) : m_options(options), m_trace(options.tracePath), m_user(m_panel, m_history, options.snapshotPath) {}

    bool Start(ChaosViolation& violation);
    bool Step(const ChaosStep& step, ChaosViolation& violation);
    bool End(ChaosViolation& violation);
    std::string Stats() { return m_panel.Statement("stats").text; }
    size_t FileNamesChosen() const { return m_user.FileNamesChosen(); }
    bool Connected() const { return m_history.Latest().value("connections", 0) > 0; }
    // The counts once the panel has painted and its window system's caches settled: each
    // figure's least over a few seconds, since a leak never shrinks.
    std::string RestingStats();

private:
    bool Fail(ChaosViolation& violation, const char* invariant, const std::string& detail)
    {
        violation = {invariant, detail};
        return false;
    }
    std::string Resolve(const std::string& statement) const;
    bool BusStep(const std::string& statement, ChaosViolation& violation);
    bool Settle(json& state, ChaosViolation& violation);

    const ChaosOptions& m_options;
    CChaosPanel m_panel;
    CChaosTrace m_trace;
    CChaosHistory m_history;
    CChaosUser m_user;
    bool m_dirty = false;            // a fault may have left a page showing a failed read
    bool m_faultsActive = false;
    bool m_eventsFaulted = false;    // GetNextEvent failed: events may wait for the next signal
    bool m_refreshed = false;        // the step made the panel refresh every page
    bool m_driverUnloaded = false;
    bool m_arrived = false;          // the step loaded the driver again: the panel reconnects
    ChaosLeeway m_leeway;
};

bool CTrial::Start(ChaosViolation& violation)
{
    std::remove(m_options.tracePath.c_str());
    std::string why;
    if (!m_panel.Start(m_options.tracePath, why))
        return Fail(violation, "the panel starts", why);
    json state;
    if (!Settle(state, violation))
        return false;
    m_history.Note(state);
    m_trace.Since();
    return true;
}

// "@K" stands for the id of the K-th device the driver lists (counted round).
std::string CTrial::Resolve(const std::string& statement) const
{
    const size_t at = statement.find('@');
    if (at == std::string::npos)
        return statement;
    const json& devices = m_history.Latest()["devices"];
    const size_t k = std::strtoul(statement.c_str() + at + 1, nullptr, 10);
    const uint32_t id = devices.empty() ? 0 : devices[k % devices.size()]["id"].get<uint32_t>();
    return statement.substr(0, at) + std::to_string(id);
}

bool CTrial::BusStep(const std::string& text, ChaosViolation& violation)
{
    const std::string statement = Resolve(text);
    const ChaosAnswer answer = m_panel.Statement(statement);
    if (!answer.delivered)
        return Fail(violation, "the panel answers", "the bus window did not take \"" + statement + "\" within 30 s");
    if (m_options.verbose)
        std::printf("    %s: %s\n", answer.applied ? "applied" : "refused", answer.text.substr(0, answer.text.find('\n')).c_str());
    std::vector<std::string> words;
    SplitSimWords(statement, words);
    const SimStatement* row = FindSimStatement(words);
    if (!answer.applied || !row)
        return true;
    const std::string verb = words[0];
    if (verb == "fail" || verb == "delay" || verb == "malform" || verb == "endless-events") {
        m_dirty = true;
        m_eventsFaulted = m_eventsFaulted || statement.find("GetNextEvent") != std::string::npos || verb == "endless-events";
    }
    if (verb == "asio-name-option" || verb == "bus")
        m_leeway.optionByBus = true;
    const bool load = verb == "driver" && words.size() > 1 && words[1] == "load";
    // The panel hears of a change only on a connection with its event registered. One
    // that could not open the driver (a fault at the last arrival) reads it again at the
    // driver's next arrival, and at nothing else.
    const bool heard = m_history.Latest().value("listening", 0) > 0;
    m_arrived = load && m_driverUnloaded;
    m_refreshed = m_arrived || (heard && (row->changesConfiguration || verb == "plug-state" ||
                                          (verb == "event" && words.size() > 1 && (words[1] == "2" || words[1] == "3"))));
    if (verb == "driver")
        m_driverUnloaded = !load;
    return true;
}

bool CTrial::Settle(json& state, ChaosViolation& violation)
{
    // Settled: no event waits for the panel. A slow driver may keep it draining for a
    // long time; it has stopped only when no event was fetched for 30 s.
    ULONGLONG progress = ::GetTickCount64();
    size_t pending = SIZE_MAX;
    const DWORD patience = m_eventsFaulted ? 2000 : kSettleMs;
    for (;;) {
        const ChaosAnswer faults = m_panel.Statement("faults", kSettleMs);
        const ChaosAnswer answer = m_panel.Statement("state", kSettleMs);
        if (!faults.delivered || !answer.delivered)
            return Fail(violation, "the panel answers", "the bus window did not answer within 30 s");
        state = json::parse(answer.text, nullptr, false);
        if (state.is_discarded())
            return Fail(violation, "the state statement answers JSON", answer.text.substr(0, 200));
        m_faultsActive = faults.text != "no faults";
        const size_t now = state["pendingEvents"];
        if (now == 0)
            break;
        if (now < pending)
            progress = ::GetTickCount64();
        pending = now;
        if (::GetTickCount64() - progress > patience) {
            if (!m_eventsFaulted)
                return Fail(violation, "the bus settles", std::to_string(now) + " events wait for the panel, none fetched for 30 s");
            m_dirty = true;   // they wait for the driver's next signal
            break;
        }
        ::Sleep(10);
    }
    if (!m_panel.Answers(kAnswerMs))
        return Fail(violation, "the panel answers within a second", "no answer to WM_NULL within 1 s at a quiet point");
    if (state["pendingEvents"] == 0)
        m_eventsFaulted = m_eventsFaulted && m_faultsActive;
    return true;
}

bool CTrial::Step(const ChaosStep& step, ChaosViolation& violation)
{
    ChaosExpect expect;
    m_refreshed = false;
    m_arrived = false;
    // A refresh clears what a fault left on the pages only when no fault was listed at
    // the quiet point before it (a fault that fires once is listed until it fires).
    const bool faultFree = !m_faultsActive;
    if (step.kind == ChaosStep::Kind::Bus) {
        if (!BusStep(step.text, violation))
            return false;
    } else {
        const ChaosOutcome outcome = m_user.Do(step.text);
        if (outcome.broken) {
            violation = outcome.violation;
            return false;
        }
        if (m_options.verbose && !outcome.skipped.empty())
            std::printf("    skipped: %s\n", outcome.skipped.c_str());
        if (outcome.skipped.empty() && step.text == "include")
            m_leeway.optionByBus = false;
        expect = outcome.expect;
    }
    if (!m_panel.Running())
        return Fail(violation, "the panel runs", "the panel's process ended");
    json state;
    if (!Settle(state, violation))
        return false;
    if (!CheckChaosWrites(m_trace.Since(), expect, m_history, violation))
        return false;
    if (m_arrived && faultFree && !m_faultsActive && state.value("listening", 0) == 0)
        return Fail(violation, "the panel reconnects when the driver arrives",
                    "no connection of the panel hears the driver after it was loaded again");
    m_history.Note(state);
    if (m_refreshed) {
        m_user.DevicesRebuilt();
        if (faultFree && !m_faultsActive)
            m_dirty = false;
    }
    if (m_faultsActive)
        m_dirty = true;
    m_leeway.devicesMoved = m_user.DevicesMoved();
    if (m_dirty || m_faultsActive)
        return true;
    return CheckChaosView(m_panel, state, m_leeway, violation);
}

bool CTrial::End(ChaosViolation& violation)
{
    std::string why;
    if (!m_panel.Quit(why))
        return Fail(violation, "the panel ends on Quit", why);
    return true;
}

std::string CTrial::RestingStats()
{
    std::map<std::string, long long> least;
    std::vector<std::string> order;
    for (int sample = 0; sample < 6; ++sample) {
        ::Sleep(500);
        const std::string stats = Stats();
        if (m_options.verbose)
            std::printf("    resting: %s\n", stats.c_str());
        std::istringstream words(stats);
        for (std::string name, value; words >> name >> value;) {
            const long long figure = std::stoll(value);
            if (!least.count(name))
                order.push_back(name);
            least[name] = least.count(name) ? std::min(least[name], figure) : figure;
        }
    }
    std::string line;
    for (const std::string& name : order)
        line += (line.empty() ? "" : " ") + name + " " + std::to_string(least[name]);
    return line;
}

}  // namespace

std::vector<ChaosStep> ChaosRestSteps(bool first)
{
    using K = ChaosStep::Kind;
    std::vector<ChaosStep> steps = {{K::User, "cancel"}, {K::User, "cancel"}, {K::User, "cancel"}, {K::Bus, "clear faults"},
                                    {K::Bus, "endless-events off"}, {K::Bus, "driver load"}, {K::Bus, "bus default"}};
    // Before the first count, a tour of what the window system caches once for good (the
    // controls a device as clock master disables, each modal box, the file dialogs and the
    // shell they load), so that the counts compare like with like.
    if (first) {
        // Enough devices that every list scrolls (a scroll bar's first showing is such a cache).
        steps.push_back({K::User, "show"});
        for (int device = 1; device <= 12; ++device)
            steps.push_back({K::Bus, "add-device \"Tour " + std::to_string(device) + "\" \"CX-" + std::to_string(90000 + device) + "\" 4 4"});
        for (const char* page : {"page 0", "page 1", "page 2", "page 3", "page 4"})
            steps.push_back({K::User, page});
        steps.insert(steps.end(), {{K::Bus, "bus default"}, {K::User, "page 4"}, {K::Bus, "clock 1 @0"},
                                   {K::User, "page 3"}, {K::User, "double-click 1"}, {K::User, "cancel"}, {K::Bus, "clock 0 0"},
                                   {K::User, "page 1"}, {K::User, "double-click 0"}, {K::User, "cancel"},
                                   {K::User, "page 0"}, {K::User, "double-click 0"}, {K::User, "cancel"},
                                   {K::User, "about"}, {K::User, "cancel"}});
        // Each kind of message box loads its icon once for good: the second save asks
        // whether to replace the file (the exclamation mark), the restore of what was
        // just saved has nothing to do (the information sign).
        for (const char* action : {"save", "ok", "ok", "save", "ok", "ok", "restore", "ok", "cancel", "cancel"})
            steps.push_back({K::User, action});
        steps.push_back({K::Bus, "bus default"});
    }
    steps.insert(steps.end(), {{K::Bus, "clear trace"}, {K::User, "show"}, {K::User, "page 4"}, {K::User, "page 3"},
                               {K::User, "page 2"}, {K::User, "page 1"}, {K::User, "page 0"}});
    return steps;
}

bool CChaosRun::WithinBounds(ChaosViolation& violation) const
{
    // A leak grows with the steps; what the window system caches on a first use (a list's
    // first state image, a control's first disabled look) does not, and chaos reaches
    // such firsts late. With three rests or more, the growth is taken from the second.
    const Rest& first = m_counts[m_counts.size() >= 3 ? 1 : 0];
    const Rest& last = m_counts.back();
    for (const auto& [name, bound] : m_options.bounds) {
        long long allowed = bound;
        // Wine 8's GetSaveFileNameA and GetOpenFileNameA keep one handle open each time
        // they end with OK, in any program (six calls in a bare test program: six handles).
        if (name == "handles")
            allowed += static_cast<long long>(last.fileNamesChosen - first.fileNamesChosen);
        const long long growth = Figure(last.stats, name) - Figure(first.stats, name);
        if (growth > allowed) {
            violation = {"resource counts within the soak's bounds",
                         name + " grew by " + std::to_string(growth) + " (bound +" + std::to_string(allowed) + ")"};
            return false;
        }
    }
    return true;
}

std::optional<ChaosFailure> CChaosRun::Run(const std::function<bool(ChaosStep&)>& next, std::vector<ChaosStep>& ran)
{
    CTrial trial(m_options);
    ChaosFailure failure;
    if (!trial.Start(failure.violation))
        return failure;
    const auto rest = [&](size_t at) {
        const auto take = [&](const std::vector<ChaosStep>& steps) {
            for (const ChaosStep& step : steps) {
                ran.push_back(step);
                if (!trial.Step(step, failure.violation))
                    return false;
            }
            return true;
        };
        if (!take(ChaosRestSteps(m_counts.empty())))
            return false;
        // A panel whose last open met a fault waits for the driver's next arrival.
        if (!trial.Connected() && !take({{ChaosStep::Kind::Bus, "driver unload"}, {ChaosStep::Kind::Bus, "driver load"}}))
            return false;
        m_counts.push_back({at, trial.RestingStats(), trial.FileNamesChosen()});
        // A long run shows it is alive at every rest.
        std::printf("chaos: resources at rest after step %zu: %s\n", at, m_counts.back().stats.c_str());
        return true;
    };
    ChaosStep step;
    for (size_t done = 0; next(step); ++done) {
        if (m_options.measure && (done == m_options.warmupSteps ||
                                  (m_options.restEvery && done > m_options.warmupSteps &&
                                   (done - m_options.warmupSteps) % m_options.restEvery == 0)) && !rest(ran.size())) {
            failure.step = ran.size();
            return failure;
        }
        ran.push_back(step);
        if (m_options.verbose)
            std::printf("%6zu %s\n", ran.size(), step.Line().c_str());
        if (!trial.Step(step, failure.violation)) {
            failure.step = ran.size();
            return failure;
        }
        if (m_options.verbose)
            std::printf("    %s\n", trial.Stats().c_str());
    }
    if (m_options.measure) {
        if (!rest(ran.size())) {
            failure.step = ran.size();
            return failure;
        }
        if (!WithinBounds(failure.violation))
            return failure;
    }
    if (!trial.End(failure.violation))
        return failure;
    return std::nullopt;
}

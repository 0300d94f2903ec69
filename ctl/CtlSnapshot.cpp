#include "ctl/CtlSnapshot.h"

#include <memory>

#include "ctl/CtlArguments.h"
#include "ctl/CtlPlanText.h"
#include "snapshot/RestoreApplier.h"
#include "snapshot/SnapshotFile.h"
#include "snapshot/SnapshotJson.h"
#include "snapshot/StudioReader.h"
#include "text/ControlText.h"

namespace {

// A driver that cannot be read is trouble to diff, as a bad file is: exit code 2.
CtlOutcome ReadFailed(const RequestFailure& read, int exitCode = CtlExit_Refused)
{
    CtlOutcome failed = CtlRefused(read);
    failed.exitCode = exitCode;
    return failed;
}

// The file read and checked whole, before anything reaches the driver; shown is its
// name in the driver's code page, for the messages.
CtlOutcome ReadSnapshotFile(const std::string& shown, const FilePath& file, Snapshot& snapshot)
{
    std::string text;
    if (const FileOutcome read = ReadWholeFile(file, text); !read.ok)
        return CtlUsage(QuotedPath(shown) + " cannot be read: " + read.why);
    if (const SnapshotFault fault = ReadSnapshotJson(text, snapshot); !fault.Ok())
        return CtlUsage(QuotedPath(shown) + " is refused: " + fault.Message());
    return CtlDone();
}

// The driver now and the plan that would bring the file's settings back.
CtlOutcome Plan(CtlSession& session, const Snapshot& file, StudioState& state, RestorePlan& plan, int troubleExit)
{
    if (const RequestFailure read = CStudioReader(session.drv).Read(state, false); !read.Ok())
        return ReadFailed(read, troubleExit);
    plan = MakeRestorePlan(file, state);
    return CtlDone();
}

CtlOutcome Save(CtlSession& session, const std::string& shown, const FilePath& file)
{
    StudioState state;
    if (const RequestFailure read = CStudioReader(session.drv).Read(state, true); !read.Ok())
        return ReadFailed(read);
    if (const FileOutcome written = WriteFileAtomically(file, WriteSnapshotJson(state.snapshot)); !written.ok)
        return {CtlExit_Output,
                QuotedPath(shown) + " was not saved, and a file there before is unchanged: " + written.why};
    session.out << "saved " << state.snapshot.devices.size() << " devices, " << state.snapshot.inputs.size() << " + "
                << state.snapshot.outputs.size() << " channels to " << EscapeControlCharacters(shown) << '\n';
    const std::vector<PlanItem> unrestorable = FindUnrestorable(state.snapshot);
    if (!unrestorable.empty()) {
        session.out << "a restore cannot give back exactly:\n";
        for (const PlanItem& item : unrestorable)
            session.out << "  " << UnrestorableLine(item) << '\n';
    }
    return CtlDone();
}

CtlOutcome Diff(CtlSession& session, const Snapshot& file)
{
    StudioState state;
    RestorePlan plan;
    if (CtlOutcome planned = Plan(session, file, state, plan, CtlExit_Usage); planned.Failed())
        return planned;
    for (const PlanItem& item : plan.items)
        session.out << PlanItemLine(item) << '\n';
    // Differences are an answer, not a failure: as diff(1), exit code 1 says there were some.
    return plan.items.empty() ? CtlDone() : CtlOutcome{CtlExit_Refused, ""};
}

void PrintPlan(std::ostream& out, const RestorePlan& plan)
{
    for (const PlanItem& item : plan.items)
        out << "  " << PlanItemLine(item) << '\n';
    out << "plan: " << plan.Changes() << " changes, " << plan.Skips() << " skipped\n";
}

CtlOutcome Restore(CtlSession& session, const Snapshot& file, bool dryRun)
{
    StudioState state;
    RestorePlan plan;
    if (CtlOutcome planned = Plan(session, file, state, plan, CtlExit_Refused); planned.Failed())
        return planned;
    PrintPlan(session.out, plan);
    const CtlOutcome skipped{CtlExit_Refused, "the driver cannot take all of the file: see the skipped items above"};
    if (plan.Changes() == 0 && plan.FileSkips() == 0)
        return CtlDone();
    if (dryRun)
        return {CtlExit_Refused, ""};
    if (plan.Changes() == 0)
        return skipped;
    const RestoreReport report = CRestoreApplier(session.drv).Apply(file, plan, state);
    for (size_t i = 0; i < plan.items.size(); ++i)
        session.out << OutcomeLine(plan.items[i], report.items[i]) << '\n';
    session.out << "restored: " << report.Count(ItemOutcome::Applied) << " applied, "
                << report.Count(ItemOutcome::Refused) << " refused, " << report.Count(ItemOutcome::NotHeld)
                << " not held, " << report.Count(ItemOutcome::Skipped) << " skipped\n";
    std::string trouble;
    if (report.StreamingLeftStopped())
        trouble += CtlRefused(report.restart).message + "; streaming is stopped\novxctl: ";
    if (!report.readBack.Ok())
        trouble += "the settings could not be read back: " + ReadFailed(report.readBack).message + "\novxctl: ";
    if (report.HoldsAll(plan))   // a stopped restart or a failed read back is never all
        return CtlDone();
    if (!report.Complete())
        return {CtlExit_Refused, trouble + "the restore is incomplete: see the refused and not held items above"};
    return {CtlExit_Refused, trouble + skipped.message};
}

}  // namespace

CtlOutcome PrepareSave(const CtlWords& arguments, const CtlPaths& paths, CtlAction& action)
{
    if (paths[0].empty())
        return CtlUsage("save expects the name of the file to write");
    action = [shown = arguments[0], file = paths[0]](CtlSession& session) { return Save(session, shown, file); };
    return CtlDone();
}

CtlOutcome PrepareDiff(const CtlWords& arguments, const CtlPaths& paths, CtlAction& action)
{
    auto snapshot = std::make_shared<Snapshot>();
    if (CtlOutcome read = ReadSnapshotFile(arguments[0], paths[0], *snapshot); read.Failed())
        return read;
    action = [snapshot](CtlSession& session) { return Diff(session, *snapshot); };
    return CtlDone();
}

CtlOutcome PrepareRestore(const CtlWords& arguments, const CtlPaths& paths, CtlAction& action)
{
    bool dryRun = false;
    size_t file = arguments.size();
    for (size_t i = 0; i < arguments.size(); ++i) {
        const bool flag = arguments[i] == "--dry-run";
        if (flag && !dryRun)
            dryRun = true;
        else if (flag || file != arguments.size())
            return CtlUsage("restore expects FILE [--dry-run], not " + Quoted(arguments[i]));
        else if (!paths[i].empty())
            file = i;
    }
    if (file == arguments.size())
        return CtlUsage("restore expects the snapshot's file");
    auto snapshot = std::make_shared<Snapshot>();
    if (CtlOutcome read = ReadSnapshotFile(arguments[file], paths[file], *snapshot); read.Failed())
        return read;
    action = [snapshot, dryRun](CtlSession& session) { return Restore(session, *snapshot, dryRun); };
    return CtlDone();
}

#include "app/StudioSnapshot.h"

#include <algorithm>
#include <chrono>

#include "app/OVX_CPL.h"
#include "app/OVX_CPLView.h"
#include "driver/Drv.h"
#include "pages/PlanItemText.h"
#include "pages/SubDlgRestorePlan.h"
#include "res/resource.h"
#include "snapshot/RestoreApplier.h"
#include "snapshot/SnapshotFile.h"
#include "snapshot/SnapshotJson.h"
#include "text/CodePage.h"
#include "text/DriverErrorText.h"
#include "text/FormatText.h"
#include "ui/Dialog.h"
#include "ui/FileDialog.h"
#include "ui/ResourceText.h"

namespace {

// A message lists at most this many items; the rest are counted.
constexpr size_t kMessageLines = 12;

const char* CodeText(DrvResult code)
{
    const DriverErrorText* known = FindDriverErrorText(code);
    return known ? known->text : "";
}

// The file name the user chose, or an empty path when they cancelled. The wide dialog
// hands it over as the file system takes it, whatever the ANSI code page holds.
FilePath AskFileName(CWnd* owner, bool save)
{
    return PromptFilePath(owner ? owner->m_hWnd : nullptr, save, LoadResStringW(IDS_SNAP_FILTER), L"json");
}

bool ReadStudio(StudioState& state, bool withInformation)
{
    const RequestFailure read = CStudioReader(theDrv).Read(state, withInformation);
    if (read.Ok())
        return true;
    const std::string message =
        FormatResString(IDS_SNAP_READ_FAILED, {read.RequestName(), ResultCodeText(read.code), CodeText(read.code)});
    AfxMessageBox(message.c_str(), MB_ICONEXCLAMATION);
    return false;
}

bool ReadFile(const FilePath& path, Snapshot& file)
{
    std::string text;
    const FileOutcome read = ReadWholeFile(path, text);
    SnapshotFault fault;
    if (!read.ok)
        fault.expected = read.why;
    else
        fault = ReadSnapshotJson(text, file);
    if (!fault.Ok())
        AfxMessageBox(FormatResString(IDS_SNAP_BAD_FILE, {AnsiFromUtf8Replacing(fault.Message())}).c_str(),
                      MB_ICONEXCLAMATION);
    return fault.Ok();
}

// A plan of the driver as it is now, or false after saying why there is none.
bool PlanNow(const Snapshot& file, StudioState& state, RestorePlan& plan)
{
    if (!ReadStudio(state, false))
        return false;
    plan = MakeRestorePlan(file, state);
    return true;
}

std::string OutcomeLine(const PlanItem& item, const ItemResult& result)
{
    const std::string what = PlanSettingText(item);
    switch (result.outcome) {
    case ItemOutcome::Refused:
        return FormatResString(IDS_SNAP_REFUSED_LINE, {what, result.refused.RequestName(),
                                                       ResultCodeText(result.refused.code), CodeText(result.refused.code)});
    case ItemOutcome::NotHeld:
        if (item.kind == PlanKind::Ranking)
            return FormatResString(IDS_SNAP_RANKING_HELD, {what, AnsiFromUtf8Replacing(result.heldOrder)});
        return FormatResString(IDS_SNAP_NOT_HELD_LINE, {what});
    case ItemOutcome::Skipped: return FormatResString(IDS_SNAP_SKIPPED_LINE, {what, PlanSkipText(item)});
    default: return std::string();
    }
}

// What was refused, not held or skipped, if anything, in one message.
void ReportOutcome(const RestorePlan& plan, const RestoreReport& report)
{
    std::string lines;
    size_t listed = 0, more = 0;
    for (size_t i = 0; i < plan.items.size(); ++i) {
        const std::string line = OutcomeLine(plan.items[i], report.items[i]);
        if (line.empty())
            continue;
        if (listed++ < kMessageLines)
            lines += line + "\n";
        else
            ++more;
    }
    if (more > 0)
        lines += FormatResString(IDS_SNAP_MORE_LINES, {DecimalText(more)}) + "\n";
    if (report.StreamingLeftStopped()) {
        lines += FormatResString(IDS_SNAP_RESTART_FAILED,
                                 {ResultCodeText(report.restart.code), CodeText(report.restart.code)}) + "\n";
    }
    if (!report.readBack.Ok()) {
        const RequestFailure& failed = report.readBack;
        lines += FormatResString(IDS_SNAP_READ_BACK_FAILED,
                                 {failed.RequestName(), ResultCodeText(failed.code), CodeText(failed.code)}) + "\n";
    }
    if (!lines.empty())
        AfxMessageBox(FormatResString(IDS_SNAP_INCOMPLETE, {lines}).c_str(), MB_ICONINFORMATION);
}

// The history keeps each restore with its summary, before the refresh notes what it changed.
void NoteRestoreInHistory(const RestoreReport& report)
{
    COVX_CPLApp* app = ThePanelApp();
    if (!app)
        return;
    HistoryEntry entry;
    entry.when = std::chrono::system_clock::now();
    entry.kind = HistoryKind::SnapshotRestored;
    entry.byPanel = true;
    entry.detail = FormatResString(IDS_SNAP_RESTORED_SUMMARY,
                                   {DecimalText(report.Count(ItemOutcome::Applied)),
                                    DecimalText(report.Count(ItemOutcome::Refused)),
                                    DecimalText(report.Count(ItemOutcome::NotHeld)),
                                    DecimalText(report.Count(ItemOutcome::Skipped))});
    if (report.StreamingLeftStopped())
        entry.detail += FormatResString(IDS_SNAP_RESTORED_STOPPED, {});
    app->NoteInHistory(std::move(entry));
}

}  // namespace

void CStudioSnapshot::Save(CWnd* owner)
{
    const FilePath path = AskFileName(owner, true);
    StudioState state;
    if (path.empty() || !ReadStudio(state, true))
        return;
    const FileOutcome written = WriteFileAtomically(path, WriteSnapshotJson(state.snapshot));
    if (!written.ok) {
        AfxMessageBox(FormatResString(IDS_SNAP_SAVE_FAILED, {written.why}).c_str(), MB_ICONEXCLAMATION);
        return;
    }
    std::string lines;
    for (const PlanItem& item : FindUnrestorable(state.snapshot))
        lines += FormatResString(IDS_SNAP_SKIPPED_LINE, {PlanSettingText(item), PlanSkipText(item)}) + "\n";
    if (!lines.empty())
        AfxMessageBox(FormatResString(IDS_SNAP_SAVED_INEXACT, {lines}).c_str(), MB_ICONINFORMATION);
}

void CStudioSnapshot::Restore(CWnd* owner, COVX_CPLView* view)
{
    const FilePath path = AskFileName(owner, false);
    Snapshot file;
    StudioState state;
    RestorePlan plan;
    if (path.empty() || !ReadFile(path, file) || !PlanNow(file, state, plan))
        return;
    if (plan.items.empty()) {
        AfxMessageBox(IDS_SNAP_NOTHING_TO_RESTORE, MB_ICONINFORMATION);
        return;
    }
    for (;;) {
        CSubDlgRestorePlan dialog(plan, owner);
        if (dialog.DoModal() != IDOK)
            return;
        // The dialog's loop ran the driver's events: the plan must still be what was shown.
        RestorePlan shown = std::move(plan);
        if (!PlanNow(file, state, plan))
            return;
        if (plan == shown)
            break;
        AfxMessageBox(IDS_SNAP_CHANGED, MB_ICONINFORMATION);
    }
    const RestoreReport report = CRestoreApplier(theDrv).Apply(file, plan, state);
    // The option as read back: the model's word is what the channel pages show.
    if (report.readBack.Ok())
        theDrv.m_nAsioNameOption = state.asioNameOption;
    NoteRestoreInHistory(report);
    if (view)
        view->RefreshAfterOwnWrites();
    ReportOutcome(plan, report);
}

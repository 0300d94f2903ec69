#include "ctl/CtlCommandTable.h"

#include <cstdint>

#include "ctl/CtlArguments.h"
#include "ctl/CtlJsonPrinter.h"
#include "ctl/CtlReportReader.h"
#include "ctl/CtlSettings.h"
#include "ctl/CtlSnapshot.h"
#include "ctl/CtlSupportReport.h"
#include "ctl/CtlTablePrinter.h"
#include "ctl/CtlWatch.h"

namespace {

// One read of the driver into the report's records, then one printer over them. As the
// pages show what the driver answered, the report is printed even when a request
// failed, and the command then names it and ends with exit code 1.
template <typename Report>
CtlAction ReportAction(Report report = {})
{
    return [report](CtlSession& session) mutable {
        const RequestFailure failure = ReadReport(session.drv, report);
        if (session.json)
            PrintJson(session.out, report);
        else
            PrintTable(session.out, report);
        return failure.Ok() ? CtlDone() : CtlRefused(failure);
    };
}

template <typename Report>
CtlOutcome PrepareReport(const CtlWords&, CtlAction& action)
{
    action = ReportAction<Report>();
    return CtlDone();
}

// "in" or "out"; anything else is refused with what command expected it.
CtlOutcome ReadDirection(const char* command, const std::string& word, bool& output)
{
    if (word != "in" && word != "out")
        return CtlUsage(std::string(command) + " expects in or out, not " + Quoted(word));
    output = word == "out";
    return CtlDone();
}

CtlOutcome PrepareChannels(const CtlWords& arguments, CtlAction& action)
{
    CtlChannelsReport report;
    if (CtlOutcome read = ReadDirection("channels", arguments[0], report.output); read.Failed())
        return read;
    action = ReportAction(report);
    return CtlDone();
}

CtlOutcome PrepareSetRate(const CtlWords& arguments, CtlAction& action)
{
    uint32_t hz = 0;
    if (!ParseUnsigned(arguments[0], hz))
        return CtlUsage("set-rate expects a sampling rate in Hz, not " + Quoted(arguments[0]));
    action = [hz](CtlSession& session) { return CCtlSettings(session.drv).SetRate(hz); };
    return CtlDone();
}

CtlOutcome PrepareSetClock(const CtlWords& arguments, CtlAction& action)
{
    action = [master = arguments[0]](CtlSession& session) { return CCtlSettings(session.drv).SetClock(master); };
    return CtlDone();
}

CtlOutcome PrepareSetSync(const CtlWords& arguments, CtlAction& action)
{
    action = [device = arguments[0], mode = arguments[1]](CtlSession& session) {
        return CCtlSettings(session.drv).SetSync(device, mode);
    };
    return CtlDone();
}

CtlOutcome PrepareSetBuffer(const CtlWords& arguments, CtlAction& action)
{
    BufferKind buffer = BufferKind::Stream;
    for (const BufferKind candidate : {BufferKind::Stream, BufferKind::Asio, BufferKind::Wdm}) {
        if (arguments[0] == CtlBufferName(candidate))
            buffer = candidate;
    }
    if (arguments[0] != CtlBufferName(buffer))
        return CtlUsage("set-buffer expects stream, asio or wdm, not " + Quoted(arguments[0]));
    uint32_t depth = 0;
    if (!ParseUnsigned(arguments[1], depth))
        return CtlUsage("set-buffer expects a depth in microseconds, not " + Quoted(arguments[1]));
    action = [buffer, depth](CtlSession& session) { return CCtlSettings(session.drv).SetBuffer(buffer, depth); };
    return CtlDone();
}

CtlOutcome PrepareRenameDevice(const CtlWords& arguments, CtlAction& action)
{
    if (CtlOutcome checked = CheckNameArgument(arguments[1]); checked.Failed())
        return checked;
    action = [device = arguments[0], name = arguments[1]](CtlSession& session) {
        return CCtlSettings(session.drv).RenameDevice(device, name);
    };
    return CtlDone();
}

CtlOutcome PrepareRenameChannel(const CtlWords& arguments, CtlAction& action)
{
    bool output = false;
    if (CtlOutcome read = ReadDirection("rename-channel", arguments[0], output); read.Failed())
        return read;
    if (CtlOutcome checked = CheckNameArgument(arguments[2]); checked.Failed())
        return checked;
    action = [output, channel = arguments[1], name = arguments[2]](CtlSession& session) {
        return CCtlSettings(session.drv).RenameChannel(output, channel, name);
    };
    return CtlDone();
}

CtlOutcome PrepareSetAsioNames(const CtlWords& arguments, CtlAction& action)
{
    if (arguments[0] != "on" && arguments[0] != "off")
        return CtlUsage("set-asio-names expects on or off, not " + Quoted(arguments[0]));
    action = [on = arguments[0] == "on"](CtlSession& session) { return CCtlSettings(session.drv).SetAsioNames(on); };
    return CtlDone();
}

CtlOutcome PrepareRank(const CtlWords& arguments, CtlAction& action)
{
    action = [arguments](CtlSession& session) { return CCtlSettings(session.drv).Rank(arguments); };
    return CtlDone();
}

CtlOutcome PrepareWatch(const CtlWords&, CtlAction& action)
{
    action = [](CtlSession& session) { return CCtlWatch(session.drv, session.json, session.out).Run(); };
    return CtlDone();
}

constexpr CtlCommandRow kCommands[] = {
    {"status", "", 0, 0, false,
     "versions, devices, sampling rate, clock master,\nstreaming state and buffer depths",
     &PrepareReport<CtlStatusReport>},
    {"devices", "", 0, 0, false, "the devices in the driver's order", &PrepareReport<CtlDevicesReport>},
    {"channels", "in|out", 1, 1, false, "the input or output channels", &PrepareChannels},
    {"sync", "", 0, 0, false, "clock master, sampling rates, synchronisation modes", &PrepareReport<CtlSyncReport>},
    {"streams", "", 0, 0, false, "the devices' isochronous plugs", &PrepareReport<CtlStreamsReport>},
    {"buffers", "", 0, 0, false, "stream, ASIO and WDM buffer depths, ASIO drop outs",
     &PrepareReport<CtlBuffersReport>},
    {"set-rate", "HZ", 1, 1, true,
     "the sampling rate, one of those the driver offers;\nonly while the rate is set manually", &PrepareSetRate},
    {"set-clock", "pc|DEVICE", 1, 1, false, "the clock master (restarts streaming)", &PrepareSetClock},
    {"set-sync", "DEVICE MODE", 2, 2, false,
     "a device's synchronisation mode, by its position in\n"
     "the device's offered modes or by its name (restarts streaming)",
     &PrepareSetSync},
    {"set-buffer", "stream|asio|wdm MICROSECONDS", 2, 2, false,
     "a buffer depth (stream and wdm restart streaming)", &PrepareSetBuffer},
    {"rename-device", "DEVICE NAME", 2, 2, false, "at most 39 characters", &PrepareRenameDevice},
    {"rename-channel", "in|out CHANNEL NAME", 3, 3, false,
     "CHANNEL: its position in the channels listing, its name or\nits hardware name; NAME at most 39 characters",
     &PrepareRenameChannel},
    {"set-asio-names", "on|off", 1, 1, false, "whether ASIO display names include the device name",
     &PrepareSetAsioNames},
    {"rank", "DEVICE...", 1, SIZE_MAX, false, "the ranking: the devices named first, in that order", &PrepareRank},
    {"save", "FILE", 1, 1, true, "a studio snapshot of every setting into FILE", nullptr, &PrepareSave},
    {"diff", "FILE", 1, 1, false,
     "each difference between a snapshot and the driver; exit code\n0: the same, 1: different, 2: trouble (a bad file or\n"
     "arguments, a driver that could not be read)",
     nullptr, &PrepareDiff, CtlExit_Usage},
    {"restore", "FILE [--dry-run]", 1, 2, false,
     "the plan of what differs, then its writes (none with\n--dry-run); exit code 0: the driver holds all the file\n"
     "says, 1: something was skipped, refused or not held (with\n--dry-run: something would change or be skipped),\n"
     "2: a bad file or arguments (nothing sent)",
     nullptr, &PrepareRestore},
    {"watch", "", 0, 0, true,
     "a line for each change the driver's events bring, as\nthey come (--json: one object a line), until Ctrl+C\n"
     "(exit code 0) or until the driver leaves (1)",
     &PrepareWatch},
    {"report", "[FILE] [--with-names]", 0, 2, true,
     "a support report of everything above, the failed requests\nand the system, into FILE or printed; the computer's and\n"
     "the user's names only with --with-names. Written even\nwhen a read fails, which then ends it with exit code 1",
     nullptr, &PrepareSupportReport, CtlExit_Refused, true},
};

}  // namespace

std::span<const CtlCommandRow> CtlCommands() { return kCommands; }

const CtlCommandRow* FindCtlCommand(std::string_view name)
{
    for (const CtlCommandRow& row : kCommands) {
        if (name == row.name)
            return &row;
    }
    return nullptr;
}

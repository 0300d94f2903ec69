#include "ctl/CtlCommand.h"

#include <algorithm>

#include "ctl/CtlArguments.h"
#include "ctl/CtlCommandTable.h"
#include "driver/Ovx1394Driver.h"

namespace {

constexpr size_t kHelpColumn = 33;

const char kUsageHead[] =
    "usage: ovxctl [--sim [SCENARIO] | --sim-bus] [--json] [--] COMMAND [ARGUMENTS]\n"
    "\n"
    "Shows and changes the settings of the Tormalin Zemra 1394 driver.\n";

const char kUsageTail[] =
    "\n"
    "DEVICE is the device's position in the devices listing (1 first), its serial number\n"
    "or its name, tried in that order; case is ignored.\n"
    "\n"
    "Options, read only before COMMAND (-- ends them):\n"
    "  --json         print a report as JSON\n"
    "  --sim [FILE]   run on the simulated driver, with the bus of a scenario file\n"
    "  --sim-bus      run on the simulated bus of the running OVX_CPL_Sim.exe\n"
    "  --help         this text\n"
    "\n"
    "Control characters in the driver's texts are shown as \\xNN.\n"
    "Exit codes: 0 done, 1 the driver refused a request, 2 usage error,\n"
    "3 the output could not be written; diff, restore and watch say more above.\n";

void AppendUsageRow(std::string& text, const CtlCommandRow& row)
{
    std::string head = std::string("  ") + row.name + (*row.arguments ? " " : "") + row.arguments;
    text += head;
    if (head.size() < kHelpColumn)
        text.append(kHelpColumn - head.size(), ' ');
    else
        text += "\n" + std::string(kHelpColumn, ' ');
    const std::string_view help = row.help;
    for (size_t start = 0; start < help.size();) {
        const size_t end = std::min(help.find('\n', start), help.size());
        if (start > 0)
            text.append(kHelpColumn, ' ');
        text += std::string(help.substr(start, end - start)) + "\n";
        start = end + 1;
    }
}

std::string CommandNames()
{
    std::string names;
    for (const CtlCommandRow& row : CtlCommands())
        names += (names.empty() ? "" : ", ") + std::string(row.name);
    return names;
}

int Failed(std::ostream& err, const CtlOutcome& outcome)
{
    // An outcome without a message is an answer (diff's differences), not an error.
    if (!outcome.message.empty())
        err << "ovxctl: " << outcome.message << '\n';
    return outcome.exitCode;
}

// Everything printed must reach its file or pipe: a report cut short by a full disk or
// a closed pipe is not a success.
int Flushed(std::ostream& out, std::ostream& err, int exitCode)
{
    if (out.flush())
        return exitCode;
    err << "ovxctl: the output could not be written\n";
    return CtlExit_Output;
}

}  // namespace

std::string CtlUsageText()
{
    std::string text = kUsageHead;
    for (const CtlCommandRow& row : CtlCommands()) {
        if (&row == &CtlCommands().front() || row.startsGroup)
            text += "\n";
        AppendUsageRow(text, row);
    }
    return text + kUsageTail;
}

int RunCtlCommandLine(CDrv& drv, const CtlCommandLine& line, std::ostream& out, std::ostream& err)
{
    if (line.help) {
        out << CtlUsageText();
        return Flushed(out, err, CtlExit_Done);
    }
    if (line.words.empty()) {
        err << "ovxctl: expected a command\n" << CtlUsageText();
        return CtlExit_Usage;
    }
    const CtlWord& command = line.words[0];
    if (!command.refusal.empty())
        return Failed(err, CtlUsage(command.refusal));
    const CtlCommandRow* row = FindCtlCommand(command.ansi);
    if (!row) {
        return Failed(err, CtlUsage("unknown command " + Quoted(command.ansi) + "; expected one of " +
                                    CommandNames() + " (ovxctl --help)"));
    }
    CtlWords arguments;
    CtlPaths paths;
    for (auto word = line.words.begin() + 1; word != line.words.end(); ++word) {
        if (!word->refusal.empty() && !row->prepareFiles)
            return Failed(err, CtlUsage(word->refusal));
        arguments.push_back(word->ansi);
        paths.push_back(word->path);
    }
    if (arguments.size() < row->minArguments || arguments.size() > row->maxArguments)
        return Failed(err, CtlUsage(std::string(row->name) + " expects " +
                                    (*row->arguments ? row->arguments : "no arguments")));
    CtlAction action;
    const CtlOutcome prepared = row->prepareFiles ? row->prepareFiles(arguments, paths, action)
                                                  : row->prepare(arguments, action);
    if (prepared.Failed())
        return Failed(err, prepared);

    const DrvResult opened = drv.Open(kOvxDeviceName);
    if (opened != DRV_OK && !row->runsUnopened) {
        CtlOutcome refused = CtlRefused("opening the driver", opened);
        refused.exitCode = row->troubleExit;
        return Failed(err, refused);
    }
    CtlSession session{drv, line.json, out, opened};
    const CtlOutcome outcome = action(session);
    drv.Close();
    if (outcome.Failed())
        return Flushed(out, err, Failed(err, outcome));
    return Flushed(out, err, CtlExit_Done);
}

int RunCtlCommand(CDrv& drv, const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    return RunCtlCommandLine(drv, ReadCtlCommandLine(args), out, err);
}

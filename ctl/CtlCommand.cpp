#include "ctl/CtlCommand.h"

#include <algorithm>

#include "ctl/CtlReports.h"
#include "ctl/CtlSettings.h"
#include "driver/Ovx1394Driver.h"

const char kCtlUsage[] =
    "usage: ovxctl [--sim [SCENARIO]] [--json] COMMAND [ARGUMENTS]\n"
    "\n"
    "Shows and changes the settings of the Tormalin Zemra 1394 driver.\n"
    "\n"
    "  status                         versions, devices, sampling rate, clock master,\n"
    "                                 streaming state and buffer depths\n"
    "  devices                        the devices in the driver's order\n"
    "  channels in|out                the input or output channels\n"
    "  sync                           clock master, sampling rates, synchronisation modes\n"
    "  streams                        the devices' isochronous plugs\n"
    "  buffers                        stream, ASIO and WDM buffer depths, ASIO drop outs\n"
    "\n"
    "  set-rate HZ                    the sampling rate, one of those the driver offers\n"
    "  set-clock pc|DEVICE            the clock master (restarts streaming)\n"
    "  set-sync DEVICE MODE           a device's synchronisation mode, by its position in\n"
    "                                 the device's offered modes or by its name (restarts streaming)\n"
    "  set-buffer stream|asio|wdm US  a buffer depth in microseconds (stream and wdm restart streaming)\n"
    "  rename-device DEVICE NAME      at most 39 characters\n"
    "  rename-channel in|out CHANNEL NAME\n"
    "                                 CHANNEL: its position in the channels listing, its name or\n"
    "                                 its hardware name; NAME at most 39 characters\n"
    "  set-asio-names on|off          whether ASIO display names include the device name\n"
    "  rank DEVICE...                 the ranking: the devices named first, in that order\n"
    "\n"
    "DEVICE is the device's position in the devices listing (1 first), its serial number\n"
    "or its name, tried in that order; case is ignored.\n"
    "\n"
    "  --json         print a report as JSON\n"
    "  --sim [FILE]   run on the simulated driver, with the bus of a scenario file\n"
    "\n"
    "Exit codes: 0 done, 1 the driver refused a request, 2 usage error.\n";

namespace {

struct CommandShape {
    const char* name;
    size_t minArgs;
    size_t maxArgs;   // SIZE_MAX: any number
    const char* arguments;
};

constexpr CommandShape kCommands[] = {
    {"status", 0, 0, ""},
    {"devices", 0, 0, ""},
    {"channels", 1, 1, "in|out"},
    {"sync", 0, 0, ""},
    {"streams", 0, 0, ""},
    {"buffers", 0, 0, ""},
    {"set-rate", 1, 1, "HZ"},
    {"set-clock", 1, 1, "pc|DEVICE"},
    {"set-sync", 2, 2, "DEVICE MODE"},
    {"set-buffer", 2, 2, "stream|asio|wdm MICROSECONDS"},
    {"rename-device", 2, 2, "DEVICE NAME"},
    {"rename-channel", 3, 3, "in|out CHANNEL NAME"},
    {"set-asio-names", 1, 1, "on|off"},
    {"rank", 1, SIZE_MAX, "DEVICE..."},
};

const CommandShape* FindCommand(const std::string& word)
{
    for (const CommandShape& shape : kCommands) {
        if (word == shape.name)
            return &shape;
    }
    return nullptr;
}

CtlOutcome Dispatch(CDrv& drv, const std::string& command, const std::vector<std::string>& a, bool json,
                    std::ostream& out)
{
    CCtlReports reports(drv, json, out);
    CCtlSettings settings(drv);
    if (command == "status") return reports.Status();
    if (command == "devices") return reports.Devices();
    if (command == "channels") {
        if (a[0] != "in" && a[0] != "out")
            return CtlUsage("channels expects in or out, not \"" + a[0] + "\"");
        return reports.Channels(a[0] == "out");
    }
    if (command == "sync") return reports.Sync();
    if (command == "streams") return reports.Streams();
    if (command == "buffers") return reports.Buffers();
    if (command == "set-rate") return settings.SetRate(a[0]);
    if (command == "set-clock") return settings.SetClock(a[0]);
    if (command == "set-sync") return settings.SetSync(a[0], a[1]);
    if (command == "set-buffer") return settings.SetBuffer(a[0], a[1]);
    if (command == "rename-device") return settings.RenameDevice(a[0], a[1]);
    if (command == "rename-channel") return settings.RenameChannel(a[0], a[1], a[2]);
    if (command == "set-asio-names") return settings.SetAsioNames(a[0]);
    return settings.Rank(a);
}

}  // namespace

bool IsCtlCommand(const std::string& word) { return FindCommand(word) != nullptr; }

int RunCtlCommand(CDrv& drv, const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    bool json = false;
    std::vector<std::string> words;
    for (const std::string& arg : args) {
        if (arg == "--json") {
            json = true;
        } else if (arg == "--help" || arg == "-h" || arg == "/?") {
            out << kCtlUsage;
            return CtlExit_Done;
        } else {
            words.push_back(arg);
        }
    }
    if (words.empty()) {
        err << "ovxctl: expected a command\n" << kCtlUsage;
        return CtlExit_Usage;
    }
    const CommandShape* shape = FindCommand(words[0]);
    if (!shape) {
        err << "ovxctl: unknown command \"" << words[0] << "\"; expected one of status, devices, channels, sync, "
            << "streams, buffers, set-rate, set-clock, set-sync, set-buffer, rename-device, rename-channel, "
            << "set-asio-names, rank (ovxctl --help)\n";
        return CtlExit_Usage;
    }
    const std::vector<std::string> arguments(words.begin() + 1, words.end());
    if (arguments.size() < shape->minArgs || arguments.size() > shape->maxArgs) {
        err << "ovxctl: " << shape->name << " expects " << (*shape->arguments ? shape->arguments : "no arguments")
            << "\n";
        return CtlExit_Usage;
    }
    if (const DrvResult opened = drv.Open(kOvxDeviceName)) {
        err << "ovxctl: " << CtlRefused("opening the driver", opened).message << '\n';
        return CtlExit_Refused;
    }
    const CtlOutcome outcome = Dispatch(drv, shape->name, arguments, json, out);
    drv.Close();
    if (outcome.Failed())
        err << "ovxctl: " << outcome.message << '\n';
    return outcome.exitCode;
}

#include "ctl/CtlOptions.h"

#include "ctl/CtlCommandTable.h"

namespace {

bool IsHelp(const std::string& word) { return word == "--help" || word == "-h" || word == "/?"; }

bool IsOption(const std::string& word)
{
    return word == "--" || word == "--json" || word == "--sim" || word == "--sim-bus" || IsHelp(word);
}

}  // namespace

CtlCommandLine ReadCtlCommandLine(const std::vector<std::string>& args)
{
    CtlCommandLine line;
    size_t next = 0;
    while (next < args.size()) {
        const std::string& word = args[next];
        if (!IsOption(word))
            break;
        ++next;
        if (word == "--")
            break;
        if (word == "--json") {
            line.json = true;
        } else if (word == "--sim") {
            line.sim = true;
            // The scenario is optional: "--sim status" runs the default studio.
            if (next < args.size() && !IsOption(args[next]) && !FindCtlCommand(args[next]))
                line.scenario = args[next++];
        } else if (word == "--sim-bus") {
            line.simBus = true;
        } else {
            line.help = true;
        }
    }
    line.words.assign(args.begin() + static_cast<std::ptrdiff_t>(next), args.end());
    return line;
}

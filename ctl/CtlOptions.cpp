#include "ctl/CtlOptions.h"

#include <iterator>

#include "ctl/CtlCommandTable.h"

namespace {

bool IsHelp(const std::string& word) { return word == "--help" || word == "-h" || word == "/?"; }

bool IsOption(const CtlWord& word)
{
    const std::string& text = word.ansi;
    return word.refusal.empty() &&
           (text == "--" || text == "--json" || text == "--sim" || text == "--sim-bus" || IsHelp(text));
}

}  // namespace

CtlCommandLine ReadCtlCommandLine(std::vector<CtlWord> args)
{
    CtlCommandLine line;
    size_t next = 0;
    while (next < args.size()) {
        const std::string word = args[next].ansi;
        if (!IsOption(args[next]))
            break;
        ++next;
        if (word == "--")
            break;
        if (word == "--json") {
            line.json = true;
        } else if (word == "--sim") {
            line.sim = true;
            // The scenario is optional: "--sim status" runs the default studio.
            if (next < args.size() && !IsOption(args[next]) && !FindCtlCommand(args[next].ansi))
                line.scenario = std::move(args[next++]);
        } else if (word == "--sim-bus") {
            line.simBus = true;
        } else {
            line.help = true;
        }
    }
    line.words.assign(std::make_move_iterator(args.begin() + static_cast<std::ptrdiff_t>(next)),
                      std::make_move_iterator(args.end()));
    return line;
}

CtlCommandLine ReadCtlCommandLine(const std::vector<std::string>& args)
{
    std::vector<CtlWord> words;
    for (const std::string& arg : args)
        words.push_back({arg, FilePathFromAnsi(arg), {}});
    return ReadCtlCommandLine(std::move(words));
}

// ovxsim.exe: hands statements to the simulated bus of a running OVX_CPL_Sim.exe, one
// statement an argument, in order, and prints each answer. It stops at the first
// statement refused. Exit code 0: all applied; 1: one was refused (its answer says
// why); 2: a usage error, or no simulated bus is running or answering.
#include <windows.h>
#include <cstdio>
#include <string>

#include "simapp/SimReplyWindow.h"
#include "simapp/SimStatementMessage.h"

namespace {

constexpr UINT kPatienceMs = 30000;

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: ovxsim \"STATEMENT\" ...   e.g. ovxsim \"event 3 3\" \"unplug 2\"\n");
        return 2;
    }
    HWND bus = FindSimBusWindow();
    if (!bus) {
        std::fprintf(stderr, "ovxsim: no simulated bus is running (no window \"%s\")\n", kSimWindowTitle);
        return 2;
    }
    CSimReplyWindow reply;
    if (!reply.Created()) {
        std::fprintf(stderr, "ovxsim: cannot create a window for the answers\n");
        return 2;
    }
    int exitCode = 0;
    for (int i = 1; i < argc && exitCode == 0; ++i) {
        const std::string statement = argv[i];
        LRESULT result = 0;
        if (!reply.Exchange(bus, kSimStatementData, statement.data(), statement.size(), kSimAnswerData, kPatienceMs,
                            result) ||
            (result != kSimApplied && result != kSimRefused)) {
            std::fprintf(stderr, "ovxsim: the simulated bus did not answer \"%s\"\n", statement.c_str());
            exitCode = 2;
            break;
        }
        std::printf("%s\n", reply.Reply().c_str());
        if (result == kSimRefused)
            exitCode = 1;
    }
    std::fflush(stdout);
    return exitCode;
}

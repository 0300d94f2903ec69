// ovxsim.exe: hands statements to the simulated bus of a running OVX_CPL_Sim.exe, one
// statement an argument, in order, and prints each answer. It stops at the first
// statement refused. Exit code 0: all applied; 1: one was refused (its answer says
// why); 2: a usage error, or no simulated bus is running or answering.
#include <windows.h>
#include <cstdio>
#include <string>

#include "simapp/SimStatementMessage.h"

namespace {

constexpr UINT kPatienceMs = 30000;
std::string g_answer;

LRESULT CALLBACK ReplyProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data && data->dwData == kSimAnswerData && data->cbData <= kSimStatementLimit &&
            (data->cbData == 0 || data->lpData)) {
            g_answer.assign(static_cast<const char*>(data->lpData), data->cbData);
            return TRUE;
        }
        return FALSE;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

// The window the answers come back to: message-only, never shown.
HWND CreateReplyWindow()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ReplyProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "OvxSimReply";
    ::RegisterClassA(&windowClass);
    return ::CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             windowClass.hInstance, nullptr);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: ovxsim \"STATEMENT\" ...   e.g. ovxsim \"event 3 3\" \"unplug 2\"\n");
        return 2;
    }
    // The bus window is a dialog: by its class as well as its title, no other program's
    // window of that title is handed the statements.
    HWND bus = ::FindWindowA(kSimWindowClass, kSimWindowTitle);
    if (!bus) {
        std::fprintf(stderr, "ovxsim: no simulated bus is running (no window \"%s\")\n", kSimWindowTitle);
        return 2;
    }
    HWND reply = CreateReplyWindow();
    if (!reply) {
        std::fprintf(stderr, "ovxsim: cannot create a window for the answers\n");
        return 2;
    }
    int exitCode = 0;
    for (int i = 1; i < argc && exitCode == 0; ++i) {
        const std::string statement = argv[i];
        COPYDATASTRUCT data{kSimStatementData, static_cast<DWORD>(statement.size()),
                            const_cast<char*>(statement.data())};
        g_answer.clear();
        DWORD_PTR result = 0;
        if (!::SendMessageTimeoutA(bus, WM_COPYDATA, reinterpret_cast<WPARAM>(reply), reinterpret_cast<LPARAM>(&data),
                                   SMTO_NORMAL, kPatienceMs, &result) ||
            (result != kSimApplied && result != kSimRefused)) {
            std::fprintf(stderr, "ovxsim: the simulated bus did not answer \"%s\"\n", statement.c_str());
            exitCode = 2;
            break;
        }
        std::printf("%s\n", g_answer.c_str());
        if (result == kSimRefused)
            exitCode = 1;
    }
    std::fflush(stdout);
    ::DestroyWindow(reply);
    return exitCode;
}

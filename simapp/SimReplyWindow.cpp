#include "simapp/SimReplyWindow.h"

#include "simapp/SimStatementMessage.h"

namespace {

constexpr char kReplyClass[] = "OvxSimReply";
constexpr DWORD kReplyLimit = 1024 * 1024;

}  // namespace

CSimReplyWindow::CSimReplyWindow()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kReplyClass;
    ::RegisterClassA(&windowClass);   // fails harmlessly when a second window registers it again
    m_hWnd = ::CreateWindowExA(0, kReplyClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, this);
}

CSimReplyWindow::~CSimReplyWindow()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

bool CSimReplyWindow::Exchange(HWND target, uintptr_t kind, const void* bytes, size_t size, uintptr_t answerKind,
                               UINT patienceMs, LRESULT& result)
{
    m_reply.clear();
    m_answerKind = answerKind;
    COPYDATASTRUCT data{kind, static_cast<DWORD>(size), const_cast<void*>(bytes)};
    DWORD_PTR answer = 0;
    const bool taken = ::SendMessageTimeoutA(target, WM_COPYDATA, reinterpret_cast<WPARAM>(m_hWnd),
                                             reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, patienceMs, &answer) != 0;
    m_answerKind = 0;
    result = static_cast<LRESULT>(answer);
    return taken;
}

LRESULT CALLBACK CSimReplyWindow::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == WM_COPYDATA) {
        // Only the class's own windows run this procedure, so the pointer is ours.
        auto* self = reinterpret_cast<CSimReplyWindow*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!self || !data || self->m_answerKind == 0 || data->dwData != self->m_answerKind ||
            data->cbData > kReplyLimit || (data->cbData > 0 && !data->lpData))
            return FALSE;
        self->m_reply.assign(static_cast<const char*>(data->lpData), data->cbData);
        return TRUE;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

void SendSimAnswer(HWND from, HWND to, uintptr_t kind, const void* bytes, size_t size)
{
    if (!to || !::IsWindow(to))
        return;
    COPYDATASTRUCT reply{kind, static_cast<DWORD>(size), const_cast<void*>(bytes)};
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&reply),
                          SMTO_ABORTIFHUNG, 5000, &ignored);
}

HWND FindSimBusWindow()
{
    return ::FindWindowA(kSimWindowClass, kSimWindowTitle);
}

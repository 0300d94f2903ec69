#include "tests/harness/TestMessageTarget.h"

#ifdef _WIN32

namespace {
constexpr wchar_t kClassName[] = L"OvxTestMessageTarget";
}

CTestMessageTarget::CTestMessageTarget()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &CTestMessageTarget::WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);   // fails harmlessly when already registered
    m_hwnd = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             windowClass.hInstance, nullptr);
    SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CTestMessageTarget::~CTestMessageTarget()
{
    DestroyWindow(m_hwnd);
}

LRESULT CALLBACK CTestMessageTarget::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CTestMessageTarget*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && message >= WM_APP)
        self->m_received.push_back({message, wParam, lParam});
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

OsSync::WindowHandle CTestMessageTarget::Handle() const
{
    return m_hwnd;
}

void CTestMessageTarget::Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, m_hwnd, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

std::vector<ReceivedMessage> CTestMessageTarget::Received()
{
    Pump();
    return m_received;
}

bool CTestMessageTarget::WaitForCount(size_t count, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        Pump();
        if (m_received.size() >= count)
            return true;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left.count()), QS_POSTMESSAGE);
    }
}

#else

CTestMessageTarget::CTestMessageTarget() = default;
CTestMessageTarget::~CTestMessageTarget() = default;

OsSync::WindowHandle CTestMessageTarget::Handle() const
{
    return const_cast<CPortableWindow*>(&m_window);
}

std::vector<ReceivedMessage> CTestMessageTarget::Received()
{
    std::vector<ReceivedMessage> received;
    for (const PortableMessage& message : m_window.Messages())
        received.push_back({message.message, message.wParam, message.lParam});
    return received;
}

bool CTestMessageTarget::WaitForCount(size_t count, std::chrono::milliseconds timeout)
{
    return m_window.WaitForCount(count, timeout);
}

#endif

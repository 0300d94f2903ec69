// A receiver of the notifier's posted messages for tests: a real message-only window
// pumped on the test's thread under Windows, a portable window elsewhere.
#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

#include "driver/OsSync.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "driver/PortableWindow.h"
#endif

struct ReceivedMessage {
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
};

class CTestMessageTarget {
public:
    CTestMessageTarget();
    ~CTestMessageTarget();
    CTestMessageTarget(const CTestMessageTarget&) = delete;
    CTestMessageTarget& operator=(const CTestMessageTarget&) = delete;

    OsSync::WindowHandle Handle() const;
    // Everything delivered so far (pumping what is queued for the window first).
    std::vector<ReceivedMessage> Received();
    // Waits, delivering messages, until at least count have arrived or the time is up.
    bool WaitForCount(size_t count, std::chrono::milliseconds timeout);

private:
#ifdef _WIN32
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Pump();
    HWND m_hwnd = nullptr;
    std::vector<ReceivedMessage> m_received;
#else
    CPortableWindow m_window;
#endif
};

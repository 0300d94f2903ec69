// The sender's side of a WM_COPYDATA exchange with the bus window: a message-only window
// that the bus window sends its answer to before its own send returns. While this
// thread waits in SendMessageTimeout, the system delivers that answer to this window.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>

class CSimReplyWindow {
public:
    CSimReplyWindow();
    ~CSimReplyWindow();
    CSimReplyWindow(const CSimReplyWindow&) = delete;
    CSimReplyWindow& operator=(const CSimReplyWindow&) = delete;

    bool Created() const { return m_hWnd != nullptr; }

    // Sends size bytes of kind to target and waits for it. False when the target did not
    // take the message in time; otherwise result is the target's return value and
    // Reply() the answer it sent back as answerKind (empty when none came).
    bool Exchange(HWND target, uintptr_t kind, const void* bytes, size_t size, uintptr_t answerKind, UINT patienceMs,
                  LRESULT& result);
    const std::string& Reply() const { return m_reply; }

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    uintptr_t m_answerKind = 0;
    std::string m_reply;
};

// The bus window of a running OVX_CPL_Sim.exe, or null. By the dialog class as well as
// the title, so that no other program's window of that title is taken for it.
HWND FindSimBusWindow();

// The bus window's side: sends an answer of kind back to the sender's reply window, if
// it is still there. A sender that stopped answering must not stop the panel with it.
void SendSimAnswer(HWND from, HWND to, uintptr_t kind, const void* bytes, size_t size);

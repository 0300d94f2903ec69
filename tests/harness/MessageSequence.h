// Ordered message sequences, in the manner of Wine's comctl32 conformance tests: a
// parent records the notifications its controls send it, a control records the
// messages a test cares about; a test clears the record, acts, and compares what was
// recorded with a table of expected entries, some of which may be absent.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>

namespace Seq {
enum Flags : unsigned {
    sent = 0x01,       // reached the window's procedure (the tests send, none posts)
    parent = 0x02,     // recorded by the parent, not by the control
    wparam = 0x04,     // wParam must match
    lparam = 0x08,     // lParam must match
    optional = 0x10,   // may be absent: present on one platform, not on another
    // The notification code must match: WM_NOTIFY's NMHDR code, WM_COMMAND's
    // HIWORD(wParam), a scroll message's LOWORD(wParam), the message a
    // TTM_RELAYEVENT relays.
    code = 0x20,
};
}  // namespace Seq

struct SeqMessage {
    UINT message;
    unsigned flags;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    UINT code = 0;
};

class CMessageSequence {
public:
    CMessageSequence() = default;
    ~CMessageSequence();
    CMessageSequence(const CMessageSequence&) = delete;
    CMessageSequence& operator=(const CMessageSequence&) = delete;

    // Records what a parent gets from its controls: WM_NOTIFY, WM_COMMAND and the
    // scroll messages.
    void WatchParent(HWND parent) { Watch(parent, true, {WM_NOTIFY, WM_COMMAND, WM_HSCROLL, WM_VSCROLL}); }
    // Records the named messages of a control.
    void WatchControl(HWND control, std::vector<UINT> messages) { Watch(control, false, std::move(messages)); }
    void Clear() { m_recorded.clear(); }

    // Walks the expected entries and the record together, passing over optional
    // entries that are absent; names the first mismatch with its index.
    testing::AssertionResult Matches(const std::vector<SeqMessage>& expected) const;

private:
    struct Watched {
        HWND window;
        bool parent;
        std::vector<UINT> messages;
    };
    static LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR self);
    void Watch(HWND window, bool parent, std::vector<UINT> messages);
    testing::AssertionResult Mismatch(size_t index, const std::string& what) const;

    std::vector<Watched> m_watched;
    std::vector<SeqMessage> m_recorded;
};

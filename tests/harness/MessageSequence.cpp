#include "tests/harness/MessageSequence.h"

#include <commctrl.h>
#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr UINT_PTR kSubclassId = 0x5E0;

UINT CodeOf(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NOTIFY: return reinterpret_cast<const NMHDR*>(lParam)->code;
    case WM_COMMAND: return HIWORD(wParam);
    case WM_HSCROLL:
    case WM_VSCROLL: return LOWORD(wParam);
    case TTM_RELAYEVENT: return lParam ? reinterpret_cast<const MSG*>(lParam)->message : 0;
    default: return 0;
    }
}

std::string Describe(const SeqMessage& entry)
{
    char text[160];
    std::snprintf(text, sizeof text, "message 0x%04x%s, code 0x%x, wParam 0x%llx, lParam 0x%llx", entry.message,
                  entry.flags & Seq::parent ? " to the parent" : "", entry.code,
                  static_cast<unsigned long long>(entry.wParam), static_cast<unsigned long long>(entry.lParam));
    return text;
}

bool Same(const SeqMessage& expected, const SeqMessage& got)
{
    constexpr unsigned kKind = Seq::sent | Seq::parent;
    return expected.message == got.message && (expected.flags & kKind) == (got.flags & kKind) &&
           (!(expected.flags & Seq::wparam) || expected.wParam == got.wParam) &&
           (!(expected.flags & Seq::lparam) || expected.lParam == got.lParam) &&
           (!(expected.flags & Seq::code) || expected.code == got.code);
}

}  // namespace

CMessageSequence::~CMessageSequence()
{
    for (const Watched& watched : m_watched)
        if (::IsWindow(watched.window))
            ::RemoveWindowSubclass(watched.window, &CMessageSequence::Record, kSubclassId);
}

void CMessageSequence::Watch(HWND window, bool parent, std::vector<UINT> messages)
{
    m_watched.push_back({window, parent, std::move(messages)});
    ::SetWindowSubclass(window, &CMessageSequence::Record, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK CMessageSequence::Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self)
{
    auto& sequence = *reinterpret_cast<CMessageSequence*>(self);
    for (const Watched& watched : sequence.m_watched) {
        if (watched.window != window)
            continue;
        const auto& wanted = watched.messages;
        if (std::find(wanted.begin(), wanted.end(), message) != wanted.end()) {
            const unsigned flags = Seq::sent | (watched.parent ? Seq::parent : 0u);
            sequence.m_recorded.push_back({message, flags, wParam, lParam, CodeOf(message, wParam, lParam)});
        }
        break;
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

testing::AssertionResult CMessageSequence::Matches(const std::vector<SeqMessage>& expected) const
{
    size_t want = 0, got = 0;
    while (want < expected.size() && got < m_recorded.size()) {
        if (Same(expected[want], m_recorded[got])) {
            ++want;
            ++got;
        } else if (expected[want].flags & Seq::optional) {
            ++want;
        } else {
            return Mismatch(want, "expected " + Describe(expected[want]) + ", got " + Describe(m_recorded[got]));
        }
    }
    for (; want < expected.size(); ++want)
        if (!(expected[want].flags & Seq::optional))
            return Mismatch(want, "expected " + Describe(expected[want]) + ", got nothing more");
    if (got < m_recorded.size())
        return Mismatch(want, "expected nothing more, got " + Describe(m_recorded[got]));
    return testing::AssertionSuccess();
}

testing::AssertionResult CMessageSequence::Mismatch(size_t index, const std::string& what) const
{
    testing::AssertionResult failure = testing::AssertionFailure();
    failure << "entry " << index << ": " << what << "\nrecorded:";
    for (const SeqMessage& entry : m_recorded)
        failure << "\n  " << Describe(entry);
    return failure;
}

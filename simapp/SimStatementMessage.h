// How another program hands the simulated bus window a statement: WM_COPYDATA with
// the statement's text (no terminator needed) and the sender's reply window in wParam.
// Before it returns, the window sends the answer's text back to that window as
// WM_COPYDATA; the send itself returns kSimApplied or kSimRefused (0: not taken).
#pragma once
#include <cstdint>

constexpr char kSimWindowTitle[] = "Simulated FireWire Bus";
constexpr char kSimWindowClass[] = "#32770";   // the system's dialog class
constexpr uintptr_t kSimStatementData = 0x4F565853;   // "OVXS"
constexpr uintptr_t kSimAnswerData = 0x4F565841;      // "OVXA"
constexpr uint32_t kSimStatementLimit = 64 * 1024;    // longer texts are refused unread
constexpr intptr_t kSimApplied = 1;
constexpr intptr_t kSimRefused = 2;

// The clipboard as a program that copies text uses it.
#pragma once
#include <windows.h>
#include <string_view>

// Replaces what the clipboard holds with the text, as CF_UNICODETEXT (the system makes
// the ANSI and OEM forms from it when a program asks for them). False when another
// program holds the clipboard open or memory runs short.
bool PutTextOnClipboard(HWND owner, std::wstring_view text);

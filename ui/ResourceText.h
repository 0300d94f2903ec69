// Texts from the program's string table.
#pragma once
#include <windows.h>
#include <initializer_list>
#include <string>
#include <string_view>

// The whole string, or an empty one when the table has no such id.
std::string LoadResString(UINT id);
// The part before the first line feed: a command's status bar prompt.
std::string LoadPromptString(UINT id);
// The string as the table holds it, UTF-16, for the wide calls.
std::wstring LoadResStringW(UINT id);
// A format of the table filled in by the one rule of text/FormatText.h: each %s in
// order by the next value.
std::string FormatResString(UINT id, std::initializer_list<std::string_view> values);

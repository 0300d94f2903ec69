// Texts from the program's string table.
#pragma once
#include <windows.h>
#include <string>

// The whole string, or an empty one when the table has no such id.
std::string LoadResString(UINT id);
// The part before the first line feed: a command's status bar prompt.
std::string LoadPromptString(UINT id);

// What the platform answers for text/CodePage.h: Win32's conversions through the ANSI
// code page on Windows (CodePage_win32.cpp), a table of code page 1252 elsewhere
// (CodePage_1252.cpp). Only text/CodePage.cpp includes this.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

unsigned SystemAnsiCodePage();

// The length in bytes of the first character of ansi (not empty): 1, or more in a
// code page of double-byte characters; never more than ansi.size().
size_t SystemAnsiCharacterLength(std::string_view ansi);

// False when the code page does not define a character of ansi.
bool SystemUtf8FromAnsi(std::string_view ansi, std::string& utf8);

// What the code page puts where a character cannot cross: one or two bytes.
std::string SystemAnsiDefaultCharacter();

enum class SystemAnsiResult { Ok, InvalidUtf8, NotInCodePage };
SystemAnsiResult SystemAnsiFromUtf8(std::string_view utf8, std::string& ansi);

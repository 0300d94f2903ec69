// UTF-16, the text of the wide Win32 calls (file names, accessible names, the command
// line), to and from UTF-8 and the driver's ANSI code page. Strict forms refuse what
// cannot cross and say where; the ...Replacing forms put U+FFFD, or the code page's
// default character, in its place. UTF-16 is std::wstring on Windows, whose wchar_t
// is 16 bits; the host build's wchar_t is 32 bits, so it keeps the same code units in
// char16_t and the conversions are built and tested there too.
#pragma once

#include <string>
#include <string_view>

#include "text/CodePage.h"

#ifdef _WIN32
using Utf16Unit = wchar_t;
#else
using Utf16Unit = char16_t;
#endif
using Utf16String = std::basic_string<Utf16Unit>;
using Utf16View = std::basic_string_view<Utf16Unit>;
using Utf16Text = ConvertedText<Utf16String>;

// Offsets of a refused UTF-8 or ANSI input count bytes; of a refused UTF-16 input, code units.
Utf16Text Utf16FromUtf8(std::string_view utf8);
Utf16String Utf16FromUtf8Replacing(std::string_view utf8);
CodePageText Utf8FromUtf16(Utf16View utf16);
std::string Utf8FromUtf16Replacing(Utf16View utf16);

Utf16Text Utf16FromAnsi(std::string_view ansi);
Utf16String Utf16FromAnsiReplacing(std::string_view ansi);
// No best fit: a character the code page lacks is refused (or replaced by its default character).
CodePageText AnsiFromUtf16(Utf16View utf16);
std::string AnsiFromUtf16Replacing(Utf16View utf16);

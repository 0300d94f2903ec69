// Control characters in the driver's 8-bit texts. A device named with an escape
// sequence must not reach a terminal as one (it could retitle the window or clear
// the screen), and a name typed with one is refused.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The offset of the first control character of an ANSI text, or npos: a C0 control,
// DEL, a character the code page maps to a C1 control (U+0080 to U+009F), or a byte it
// does not define (whose meaning is up to whoever shows it).
size_t FindControlCharacter(std::string_view ansi);

// The text with every byte of each control character written as \xNN (two upper-case
// hexadecimal digits), so that it shows what the driver holds and does nothing.
std::string EscapeControlCharacters(std::string_view ansi);

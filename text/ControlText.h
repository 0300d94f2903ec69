// Control characters in the texts that are shown. A device named with an escape sequence
// must not reach a terminal as one (it could retitle the window or clear the screen), a
// name typed with one is refused, and a file's text quoted in a message does nothing
// either. One rule for the driver's ANSI texts and for UTF-8 (files, JSON): a control
// character is a C0 control, DEL, a C1 control (U+0080 to U+009F), or no character at
// all (an ANSI byte the code page leaves undefined, a byte of malformed UTF-8), and it is
// shown as \xNN for each of its bytes (two upper-case hexadecimal digits), so that the
// text shows what it holds and does nothing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The offset of the first control character of an ANSI text, or npos.
size_t FindControlCharacter(std::string_view ansi);

// The whole text, each control character escaped.
std::string EscapeControlCharacters(std::string_view ansi);
// The same for a text of UTF-8 (a system's text already converted): malformed bytes
// and controls escaped, every other character kept.
std::string EscapeUtf8ControlCharacters(std::string_view utf8);

// A text quoted in a message: in double quotes, escaped as above, and at most
// maxCharacters of its characters. A longer text is cut after them, never inside a
// character or an escape, and the cut says how long the text is: "Zemra St..." (412
// characters). A value from a file or a command line can be of any length; a path is
// quoted whole (npos), since its end names the file.
constexpr size_t kQuotedCharacters = 60;
std::string QuoteAnsi(std::string_view ansi, size_t maxCharacters = kQuotedCharacters);
std::string QuoteUtf8(std::string_view utf8, size_t maxCharacters = kQuotedCharacters);

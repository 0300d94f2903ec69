// The driver's texts are 8-bit characters in the system's ANSI code page; files, JSON
// and the command line carry Unicode. These functions cross between the two through
// that code page and refuse what it cannot carry: a character it has no byte for is
// never replaced by a look-alike (Windows' "best fit" would turn a full-width quotation
// mark into '"'), and a byte it leaves undefined is never guessed. Where a text must be
// shown whatever it holds, the ...Replacing forms put a mark in place of what cannot
// cross instead. The host build has no ANSI code page; it answers for code page 1252
// from a table, so that the tests and fuzzers run there too. UTF-16 is text/Utf16.h.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

enum class CodePageFault {
    None,
    UndefinedByte,   // ANSI input: a byte (or byte pair) the code page does not define
    InvalidUtf8,     // UTF-8 input: not a well-formed UTF-8 sequence
    InvalidUtf16,    // UTF-16 input: a surrogate without its other half
    NotInCodePage,   // UTF-8 input: a character the code page cannot hold
    TooLong,         // the ANSI text needs more bytes than the room it is meant for
};

// Where and why a conversion stopped, whatever it converted to.
struct CodePageRefusal {
    CodePageFault fault = CodePageFault::None;
    size_t offset = 0;       // where in the input, in its own units (bytes, or UTF-16 code units)
    char32_t character = 0;  // NotInCodePage: the character refused; InvalidUtf16: the lone surrogate
    size_t limit = 0;        // TooLong: the bytes that fit

    bool Ok() const { return fault == CodePageFault::None; }
};

// A converted text, or where and why the conversion stopped.
template <typename String>
struct ConvertedText : CodePageRefusal {
    String text;             // the whole converted text when Ok() or TooLong, else empty
};
using CodePageText = ConvertedText<std::string>;

// The system's ANSI code page: GetACP() on Windows, 1252 in the host build.
unsigned AnsiCodePage();

CodePageText Utf8FromAnsi(std::string_view ansi);

// For showing a driver's text where it cannot be refused: each character the code page
// does not define becomes U+FFFD, the replacement character.
std::string Utf8FromAnsiReplacing(std::string_view ansi);

// A text longer than maxBytes once converted is refused as TooLong, never cut: a name
// field of the driver holds 39 bytes and its terminator.
CodePageText AnsiFromUtf8(std::string_view utf8, size_t maxBytes = std::string_view::npos);

// For showing a text of Unicode where only the code page can be shown (a message box of
// the ANSI panel): each character the code page cannot hold, and each byte of malformed
// UTF-8, becomes the code page's default character ('?' in 1252), never a look-alike.
std::string AnsiFromUtf8Replacing(std::string_view utf8);

// Why a conversion failed, for a message: "U+FF02 has no place in code page 1252".
std::string DescribeCodePageFault(const CodePageText& result);

// The first character of an ANSI text (which must not be empty): its length in bytes,
// and its code point when the code page defines it.
struct AnsiCharacter {
    size_t length = 1;
    bool defined = false;
    char32_t codePoint = 0;
};
AnsiCharacter FirstAnsiCharacter(std::string_view ansi);

// The whole characters of an ANSI text that fit in maxBytes: a double-byte character
// is never cut in two.
std::string_view AnsiPrefix(std::string_view ansi, size_t maxBytes);

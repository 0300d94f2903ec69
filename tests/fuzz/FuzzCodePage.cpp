// The code page conversions with arbitrary bytes, read once as ANSI and once as UTF-8:
// a text the code page defines crosses to UTF-8 and back exactly, UTF-8 that converts
// comes back unchanged, a refusal points into its input, a limit refuses rather than
// cuts, and an escaped text holds no control character.
#include <cstdlib>
#include <string>
#include <string_view>

#include "text/CodePage.h"
#include "text/ControlText.h"

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckAnsi(std::string_view ansi)
{
    const CodePageText utf8 = Utf8FromAnsi(ansi);
    if (utf8.Ok()) {
        const CodePageText back = AnsiFromUtf8(utf8.text);
        Require(back.Ok() && back.text == ansi);
        Require(Utf8FromAnsiReplacing(ansi) == utf8.text);
    } else {
        Require(utf8.fault == CodePageFault::UndefinedByte && utf8.offset < ansi.size() && utf8.text.empty());
        // What replaces the undefined bytes is well-formed UTF-8.
        Require(AnsiFromUtf8(Utf8FromAnsiReplacing(ansi)).fault != CodePageFault::InvalidUtf8);
    }
    const std::string escaped = EscapeControlCharacters(ansi);
    Require(FindControlCharacter(escaped) == std::string_view::npos);
    Require((escaped == ansi) == (FindControlCharacter(ansi) == std::string_view::npos));
}

void CheckUtf8(std::string_view utf8, size_t limit)
{
    const CodePageText ansi = AnsiFromUtf8(utf8);
    if (ansi.Ok()) {
        const CodePageText back = Utf8FromAnsi(ansi.text);
        Require(back.Ok() && back.text == utf8);
    } else {
        Require(ansi.fault == CodePageFault::InvalidUtf8 || ansi.fault == CodePageFault::NotInCodePage);
        Require(ansi.offset < utf8.size() && ansi.text.empty());
        Require(!DescribeCodePageFault(ansi).empty());
    }
    const CodePageText limited = AnsiFromUtf8(utf8, limit);
    Require(limited.fault == (ansi.Ok() && ansi.text.size() > limit ? CodePageFault::TooLong : ansi.fault));
    Require(limited.Ok() || limited.fault != CodePageFault::TooLong || limited.text == ansi.text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckAnsi(bytes);
    CheckUtf8(bytes, size % 41);
    return 0;
}

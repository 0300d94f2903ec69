#include "text/CodePage.h"

#include <algorithm>
#include <cstdio>

#include "text/CodePageSystem.h"
#include "text/Utf8.h"

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Calls visit(offset, character) for each ANSI character in turn until it returns false.
template <typename Visit>
void ForEachAnsiCharacter(std::string_view ansi, Visit visit)
{
    for (size_t offset = 0; offset < ansi.size();) {
        const size_t length = SystemAnsiCharacterLength(ansi.substr(offset));
        if (!visit(offset, ansi.substr(offset, length)))
            return;
        offset += length;
    }
}

// The first character of a UTF-8 text that does not convert, and why.
CodePageText LocateUtf8Fault(std::string_view utf8)
{
    CodePageText result;
    std::string ignored;
    for (size_t offset = 0; offset < utf8.size();) {
        const size_t announced = Utf8SequenceLength(static_cast<unsigned char>(utf8[offset]));
        const size_t length = std::min(announced, utf8.size() - offset);
        const std::string_view character = utf8.substr(offset, length);
        const SystemAnsiResult converted = SystemAnsiFromUtf8(character, ignored);
        if (converted != SystemAnsiResult::Ok) {
            size_t position = 0;
            const bool wellFormed = DecodeUtf8(character, position, result.character);
            result.fault = converted == SystemAnsiResult::NotInCodePage && wellFormed ? CodePageFault::NotInCodePage
                                                                                      : CodePageFault::InvalidUtf8;
            result.offset = offset;
            return result;
        }
        offset += length;
    }
    // Every character converts alone, but not together: a sequence the system refuses as a whole.
    result.fault = CodePageFault::InvalidUtf8;
    return result;
}

}  // namespace

unsigned AnsiCodePage() { return SystemAnsiCodePage(); }

AnsiCharacter FirstAnsiCharacter(std::string_view ansi)
{
    AnsiCharacter first;
    first.length = SystemAnsiCharacterLength(ansi);
    std::string utf8;
    size_t position = 0;
    first.defined = SystemUtf8FromAnsi(ansi.substr(0, first.length), utf8) &&
                    DecodeUtf8(utf8, position, first.codePoint);
    return first;
}

std::string_view AnsiPrefix(std::string_view ansi, size_t maxBytes)
{
    size_t fits = 0;
    ForEachAnsiCharacter(ansi, [&](size_t offset, std::string_view character) {
        if (offset + character.size() > maxBytes)
            return false;
        fits = offset + character.size();
        return true;
    });
    return ansi.substr(0, fits);
}

CodePageText Utf8FromAnsi(std::string_view ansi)
{
    CodePageText result;
    if (SystemUtf8FromAnsi(ansi, result.text))
        return result;
    result.text.clear();
    result.fault = CodePageFault::UndefinedByte;
    ForEachAnsiCharacter(ansi, [&](size_t offset, std::string_view character) {
        std::string ignored;
        if (SystemUtf8FromAnsi(character, ignored))
            return true;
        result.offset = offset;
        return false;
    });
    return result;
}

std::string Utf8FromAnsiReplacing(std::string_view ansi)
{
    std::string utf8;
    if (SystemUtf8FromAnsi(ansi, utf8))
        return utf8;
    utf8.clear();
    ForEachAnsiCharacter(ansi, [&](size_t, std::string_view character) {
        std::string converted;
        if (SystemUtf8FromAnsi(character, converted))
            utf8 += converted;
        else
            AppendUtf8(utf8, kReplacementCharacter);
        return true;
    });
    return utf8;
}

CodePageText AnsiFromUtf8(std::string_view utf8, size_t maxBytes)
{
    CodePageText result;
    if (SystemAnsiFromUtf8(utf8, result.text) != SystemAnsiResult::Ok)
        return LocateUtf8Fault(utf8);
    if (result.text.size() > maxBytes) {
        result.fault = CodePageFault::TooLong;
        result.limit = maxBytes;
    }
    return result;
}

std::string AnsiFromUtf8Replacing(std::string_view utf8)
{
    std::string ansi;
    if (SystemAnsiFromUtf8(utf8, ansi) == SystemAnsiResult::Ok)
        return ansi;
    ansi.clear();
    const std::string replacement = SystemAnsiDefaultCharacter();
    for (size_t offset = 0; offset < utf8.size();) {
        size_t next = offset;
        char32_t ignored = 0;
        if (!DecodeUtf8(utf8, next, ignored))
            next = offset + 1;   // each byte of malformed UTF-8 is replaced on its own
        std::string converted;
        const bool crosses = SystemAnsiFromUtf8(utf8.substr(offset, next - offset), converted) == SystemAnsiResult::Ok;
        ansi += crosses ? converted : replacement;
        offset = next;
    }
    return ansi;
}

std::string DescribeCodePageFault(const CodePageText& result)
{
    char text[160];
    const unsigned codePage = AnsiCodePage();
    switch (result.fault) {
    case CodePageFault::None:
        return "";
    case CodePageFault::UndefinedByte:
        std::snprintf(text, sizeof text, "the byte at %zu is no character of code page %u", result.offset, codePage);
        break;
    case CodePageFault::InvalidUtf8:
        std::snprintf(text, sizeof text, "the text is not UTF-8 at byte %zu", result.offset);
        break;
    case CodePageFault::InvalidUtf16:
        std::snprintf(text, sizeof text, "the text is not UTF-16 at unit %zu (a lone surrogate U+%04X)",
                      result.offset, static_cast<unsigned>(result.character));
        break;
    case CodePageFault::NotInCodePage:
        std::snprintf(text, sizeof text, "U+%04X has no place in code page %u", static_cast<unsigned>(result.character),
                      codePage);
        break;
    case CodePageFault::TooLong:
        std::snprintf(text, sizeof text, "it takes %zu bytes in code page %u; at most %zu fit", result.text.size(),
                      codePage, result.limit);
        break;
    }
    return text;
}

#include "text/Utf16.h"

#include "text/Utf8.h"

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Reads the character at utf16[position] and moves position past it. False, with
// position left where it was, for a surrogate without its other half.
bool DecodeUtf16(Utf16View utf16, size_t& position, char32_t& character)
{
    const char32_t unit = utf16[position];
    if (!IsHighSurrogate(unit) && !IsLowSurrogate(unit)) {
        character = unit;
        ++position;
        return true;
    }
    if (!IsHighSurrogate(unit) || position + 1 >= utf16.size() || !IsLowSurrogate(utf16[position + 1]))
        return false;
    character = 0x10000 + ((unit - 0xD800) << 10) + (static_cast<char32_t>(utf16[position + 1]) - 0xDC00);
    position += 2;
    return true;
}

void AppendUtf16(Utf16String& text, char32_t character)
{
    if (character < 0x10000) {
        text += static_cast<Utf16Unit>(character);
        return;
    }
    const char32_t bits = character - 0x10000;
    text += static_cast<Utf16Unit>(0xD800 + (bits >> 10));
    text += static_cast<Utf16Unit>(0xDC00 + (bits & 0x3FF));
}

}  // namespace

Utf16Text Utf16FromUtf8(std::string_view utf8)
{
    Utf16Text result;
    for (size_t position = 0; position < utf8.size();) {
        char32_t character = 0;
        if (!DecodeUtf8(utf8, position, character)) {
            result.text.clear();
            result.fault = CodePageFault::InvalidUtf8;
            result.offset = position;
            return result;
        }
        AppendUtf16(result.text, character);
    }
    return result;
}

Utf16String Utf16FromUtf8Replacing(std::string_view utf8)
{
    Utf16String text;
    for (size_t position = 0; position < utf8.size();) {
        char32_t character = 0;
        if (!DecodeUtf8(utf8, position, character)) {
            character = kReplacementCharacter;   // each byte of malformed UTF-8 on its own
            ++position;
        }
        AppendUtf16(text, character);
    }
    return text;
}

CodePageText Utf8FromUtf16(Utf16View utf16)
{
    CodePageText result;
    for (size_t position = 0; position < utf16.size();) {
        char32_t character = 0;
        if (!DecodeUtf16(utf16, position, character)) {
            result.text.clear();
            result.fault = CodePageFault::InvalidUtf16;
            result.offset = position;
            result.character = utf16[position];
            return result;
        }
        AppendUtf8(result.text, character);
    }
    return result;
}

std::string Utf8FromUtf16Replacing(Utf16View utf16)
{
    std::string text;
    for (size_t position = 0; position < utf16.size();) {
        char32_t character = 0;
        if (!DecodeUtf16(utf16, position, character)) {
            character = kReplacementCharacter;
            ++position;
        }
        AppendUtf8(text, character);
    }
    return text;
}

Utf16Text Utf16FromAnsi(std::string_view ansi)
{
    const CodePageText utf8 = Utf8FromAnsi(ansi);
    if (utf8.Ok())
        return Utf16FromUtf8(utf8.text);
    Utf16Text refused;
    static_cast<CodePageRefusal&>(refused) = utf8;
    return refused;
}

Utf16String Utf16FromAnsiReplacing(std::string_view ansi)
{
    return Utf16FromUtf8Replacing(Utf8FromAnsiReplacing(ansi));
}

CodePageText AnsiFromUtf16(Utf16View utf16)
{
    const CodePageText utf8 = Utf8FromUtf16(utf16);
    if (!utf8.Ok())
        return utf8;
    CodePageText ansi = AnsiFromUtf8(utf8.text);
    // The refusal's place in UTF-16 units: as many as the UTF-8 before it takes.
    if (!ansi.Ok())
        ansi.offset = Utf16FromUtf8(std::string_view(utf8.text).substr(0, ansi.offset)).text.size();
    return ansi;
}

std::string AnsiFromUtf16Replacing(Utf16View utf16)
{
    return AnsiFromUtf8Replacing(Utf8FromUtf16Replacing(utf16));
}

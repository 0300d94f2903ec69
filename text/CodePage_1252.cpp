// Code page 1252 (Windows Western European) as Windows defines it, for the host
// build: bytes below 0x80 are ASCII, bytes from 0xA0 are Latin-1, and the block
// between holds typographic characters and five bytes that the code page leaves
// undefined.
#include <algorithm>
#include <iterator>

#include "text/CodePageSystem.h"
#include "text/Utf8.h"

namespace {

// 0x80 to 0x9F; 0 for the five undefined bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D.
constexpr char32_t kBlock80[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

bool ByteOf(char32_t character, char& byte)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        byte = static_cast<char>(character);
        return true;
    }
    const auto* found = std::find(std::begin(kBlock80), std::end(kBlock80), character);
    if (found == std::end(kBlock80))
        return false;
    byte = static_cast<char>(0x80 + (found - std::begin(kBlock80)));
    return true;
}

}  // namespace

unsigned SystemAnsiCodePage() { return 1252; }

size_t SystemAnsiCharacterLength(std::string_view) { return 1; }

std::string SystemAnsiDefaultCharacter() { return "?"; }

bool SystemUtf8FromAnsi(std::string_view ansi, std::string& utf8)
{
    utf8.clear();
    for (const char c : ansi) {
        const auto byte = static_cast<unsigned char>(c);
        const char32_t character = byte >= 0x80 && byte < 0xA0 ? kBlock80[byte - 0x80] : byte;
        if (byte >= 0x80 && character == 0)
            return false;
        AppendUtf8(utf8, character);
    }
    return true;
}

SystemAnsiResult SystemAnsiFromUtf8(std::string_view utf8, std::string& ansi)
{
    ansi.clear();
    for (size_t position = 0; position < utf8.size();) {
        char32_t character = 0;
        if (!DecodeUtf8(utf8, position, character))
            return SystemAnsiResult::InvalidUtf8;
        char byte = 0;
        if (!ByteOf(character, byte))
            return SystemAnsiResult::NotInCodePage;
        ansi += byte;
    }
    return SystemAnsiResult::Ok;
}

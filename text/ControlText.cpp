#include "text/ControlText.h"

#include <cstdio>

#include "text/CodePage.h"
#include "text/Utf8.h"

namespace {

struct Character {
    size_t length = 1;
    bool defined = false;   // false: a byte that is no character of the text's encoding
    char32_t codePoint = 0;
};

// A byte below 0x80 is a character of its own in every ANSI code page (lead bytes of
// double-byte characters lie above it), so only the others ask the system.
Character FirstAnsi(std::string_view ansi)
{
    const auto byte = static_cast<unsigned char>(ansi.front());
    if (byte < 0x80)
        return {1, true, byte};
    const AnsiCharacter character = FirstAnsiCharacter(ansi);
    return {character.length, character.defined, character.codePoint};
}

Character FirstUtf8(std::string_view utf8)
{
    size_t length = 0;
    char32_t codePoint = 0;
    if (DecodeUtf8(utf8, length, codePoint))
        return {length, true, codePoint};
    return {};
}

bool IsControl(const Character& character)
{
    const char32_t c = character.codePoint;
    return !character.defined || c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// Calls visit(character, offset) for each character of the text until it returns false.
template <typename First, typename Visit>
void ForEachCharacter(std::string_view text, First first, Visit visit)
{
    for (size_t offset = 0; offset < text.size();) {
        const Character character = first(text.substr(offset));
        if (!visit(character, offset))
            return;
        offset += character.length;
    }
}

void AppendShown(std::string& shown, std::string_view bytes, const Character& character)
{
    if (!IsControl(character)) {
        shown += bytes;
        return;
    }
    for (const char byte : bytes) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(byte));
        shown += escape;
    }
}

template <typename First>
std::string Escape(std::string_view text, First first)
{
    std::string shown;
    ForEachCharacter(text, first, [&](const Character& character, size_t offset) {
        AppendShown(shown, text.substr(offset, character.length), character);
        return true;
    });
    return shown;
}

template <typename First>
std::string Quote(std::string_view text, size_t maxCharacters, First first)
{
    std::string quoted = "\"";
    size_t characters = 0;
    ForEachCharacter(text, first, [&](const Character& character, size_t offset) {
        if (characters++ < maxCharacters)
            AppendShown(quoted, text.substr(offset, character.length), character);
        return true;
    });
    if (characters <= maxCharacters)
        return quoted + "\"";
    return quoted + "...\" (" + std::to_string(characters) + " characters)";
}

}  // namespace

size_t FindControlCharacter(std::string_view ansi)
{
    size_t found = std::string_view::npos;
    ForEachCharacter(ansi, FirstAnsi, [&](const Character& character, size_t offset) {
        if (IsControl(character))
            found = offset;
        return found == std::string_view::npos;
    });
    return found;
}

std::string EscapeControlCharacters(std::string_view ansi)
{
    if (FindControlCharacter(ansi) == std::string_view::npos)
        return std::string(ansi);
    return Escape(ansi, FirstAnsi);
}

std::string EscapeUtf8ControlCharacters(std::string_view utf8) { return Escape(utf8, FirstUtf8); }

std::string QuoteAnsi(std::string_view ansi, size_t maxCharacters) { return Quote(ansi, maxCharacters, FirstAnsi); }

std::string QuoteUtf8(std::string_view utf8, size_t maxCharacters) { return Quote(utf8, maxCharacters, FirstUtf8); }

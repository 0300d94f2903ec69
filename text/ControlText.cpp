#include "text/ControlText.h"

#include <cstdio>

#include "text/CodePage.h"

namespace {

bool IsControl(const AnsiCharacter& character)
{
    if (!character.defined)
        return true;
    const char32_t c = character.codePoint;
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// Calls visit(character, offset) for each character of the text until it returns
// false. A byte below 0x80 is a character of its own in every ANSI code page (lead
// bytes of double-byte characters lie above it), so only the others ask the system.
template <typename Visit>
void ForEachCharacter(std::string_view ansi, Visit visit)
{
    for (size_t offset = 0; offset < ansi.size();) {
        const auto byte = static_cast<unsigned char>(ansi[offset]);
        const AnsiCharacter character =
            byte < 0x80 ? AnsiCharacter{1, true, byte} : FirstAnsiCharacter(ansi.substr(offset));
        if (!visit(character, offset))
            return;
        offset += character.length;
    }
}

}  // namespace

size_t FindControlCharacter(std::string_view ansi)
{
    size_t found = std::string_view::npos;
    ForEachCharacter(ansi, [&](const AnsiCharacter& character, size_t offset) {
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
    std::string shown;
    ForEachCharacter(ansi, [&](const AnsiCharacter& character, size_t offset) {
        const std::string_view bytes = ansi.substr(offset, character.length);
        if (!IsControl(character)) {
            shown += bytes;
            return true;
        }
        for (const char byte : bytes) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(byte));
            shown += escape;
        }
        return true;
    });
    return shown;
}

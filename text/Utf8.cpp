#include "text/Utf8.h"

size_t Utf8SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    if (lead >= 0xE0 && lead < 0xF0)
        return 3;
    if (lead >= 0xC2 && lead < 0xE0)
        return 2;
    return 1;
}

bool DecodeUtf8(std::string_view text, size_t& position, char32_t& character)
{
    if (position >= text.size())
        return false;
    const auto lead = static_cast<unsigned char>(text[position]);
    if (lead < 0x80) {
        character = lead;
        ++position;
        return true;
    }
    const size_t length = Utf8SequenceLength(lead);
    if (length == 1 || text.size() - position < length)
        return false;
    char32_t value = lead & (0xFFu >> (length + 1));
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[position + i]);
        if ((next & 0xC0) != 0x80)
            return false;
        value = (value << 6) | (next & 0x3Fu);
    }
    constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return false;
    character = value;
    position += length;
    return true;
}

void AppendUtf8(std::string& text, char32_t character)
{
    const auto unit = [](char32_t bits) { return static_cast<char>(bits); };
    if (character < 0x80) {
        text += unit(character);
    } else if (character < 0x800) {
        text += unit(0xC0 | (character >> 6));
        text += unit(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        text += unit(0xE0 | (character >> 12));
        text += unit(0x80 | ((character >> 6) & 0x3F));
        text += unit(0x80 | (character & 0x3F));
    } else {
        text += unit(0xF0 | (character >> 18));
        text += unit(0x80 | ((character >> 12) & 0x3F));
        text += unit(0x80 | ((character >> 6) & 0x3F));
        text += unit(0x80 | (character & 0x3F));
    }
}

// UTF-8 by hand, for the host build's code page table, which has no system to ask,
// and for naming the one character a conversion refused.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The length a UTF-8 lead byte announces: 1 to 4, or 1 for a byte that cannot lead.
size_t Utf8SequenceLength(unsigned char lead);

// Reads the character at text[position] and moves position past it. False for
// anything but a well-formed sequence: no overlong forms, surrogates or values
// above U+10FFFF (RFC 3629).
bool DecodeUtf8(std::string_view text, size_t& position, char32_t& character);

// Appends a Unicode scalar value (not a surrogate, at most U+10FFFF).
void AppendUtf8(std::string& text, char32_t character);

// The one way a format of the string table is filled in. Its texts are translations
// and are not trusted with printf: a format holds only %s placeholders, each replaced
// in order by the next value, and the numbers are made into texts before they go in.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// A placeholder beyond the values stays as it is written, a value beyond the
// placeholders is left out, and a value is never read as a format itself.
std::string FillFormat(std::string_view format, std::initializer_list<std::string_view> values);

// "48000"
std::string DecimalText(uint64_t value);
// "48,000": thousands grouped with commas, for the counts of the English texts.
std::string GroupedDecimalText(uint64_t value);
// A result code as the messages show it: "0xE0000022".
std::string ResultCodeText(uint32_t code);

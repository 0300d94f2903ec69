#include "text/FormatText.h"

#include <cstdio>

namespace {

constexpr std::string_view kPlaceholder = "%s";

}  // namespace

std::string FillFormat(std::string_view format, std::initializer_list<std::string_view> values)
{
    std::string text;
    size_t from = 0;
    for (const std::string_view value : values) {
        const size_t at = format.find(kPlaceholder, from);
        if (at == std::string_view::npos)
            break;
        text.append(format.substr(from, at - from)).append(value);
        from = at + kPlaceholder.size();
    }
    return text.append(format.substr(from));
}

std::string DecimalText(uint64_t value) { return std::to_string(value); }

std::string GroupedDecimalText(uint64_t value)
{
    const std::string digits = DecimalText(value);
    std::string text;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text;
}

std::string ResultCodeText(uint32_t code)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
    return text;
}

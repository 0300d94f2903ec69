// The texts made by the one filling rule of the string table's formats, and the
// driver's version as every window and ovxctl show it.
#include <gtest/gtest.h>

#include <climits>

#include "text/FormatText.h"
#include "text/VersionText.h"

namespace {

TEST(FormatText, EachPlaceholderTakesTheNextValueAndNothingElseIsRead)
{
    using Values = std::initializer_list<std::string_view>;
    const struct { std::string_view format; Values values; std::string out; } cases[] = {
        {"%s, %s, %s", {"48.0 kHz", "streaming", "3"}, "48.0 kHz, streaming, 3"},
        {"only %s", {"a", "b"}, "only a"},         // a value beyond the placeholders is left out
        {"%s and %s", {"a"}, "a and %s"},          // a placeholder beyond the values stays
        {"%s!", {"%s %d %n"}, "%s %d %n!"},        // a value is never a format
        {"100% %d %u %", {"x"}, "100% %d %u %"},   // only %s is a placeholder
    };
    for (const auto& c : cases)
        EXPECT_EQ(FillFormat(c.format, c.values), c.out) << c.format;
    EXPECT_EQ(DecimalText(4294967295u), "4294967295");
    for (const auto& [value, grouped] : {std::pair<uint64_t, const char*>{0, "0"}, {999, "999"}, {1000, "1,000"},
                                         {123456, "123,456"}, {1234567, "1,234,567"}})
        EXPECT_EQ(GroupedDecimalText(value), grouped);
    EXPECT_EQ(ResultCodeText(0xE0000022), "0xE0000022");
    EXPECT_EQ(ResultCodeText(7), "0x00000007");
}

TEST(VersionText, EveryPartIsUnsigned)
{
    const struct { _DRIVER_VERSION_INFO version; const char* interfaceText; const char* driverText; } cases[] = {
        {{2, 14, 1, 1, 517, 0}, "2.14", "1.1.517"},
        {{255, 255, 255, 255, UINT_MAX, 0}, "255.255", "255.255.4294967295"},   // a build above INT_MAX
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InterfaceVersionText(c.version), c.interfaceText);
        EXPECT_EQ(DriverVersionText(c.version), c.driverText);
    }
}

}  // namespace

// The driver's 8-bit texts across the ANSI code page, UTF-8 and UTF-16, and their
// control characters. The host build answers for code page 1252; under Wine the
// prefix's code page is 1252 as well, and the tests that depend on it say so when it is not.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "text/CodePage.h"
#include "text/ControlText.h"
#include "text/Utf16.h"

namespace {

// UTF-16 as a test writes it, in the platform's own unit.
Utf16String U16(std::u16string_view text) { return Utf16String(text.begin(), text.end()); }

std::string Repeated(std::string_view text, size_t times)
{
    std::string repeated;
    while (times-- > 0)
        repeated += text;
    return repeated;
}

class CodePage1252 : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (AnsiCodePage() != 1252)
            GTEST_SKIP() << "the ANSI code page is " << AnsiCodePage();
    }
};

TEST_F(CodePage1252, EveryCharacterCrossesToUtf8AndBack)
{
    EXPECT_EQ(Utf8FromAnsi("Caf\xE9 \x80 \x9F").text, "Caf\u00E9 \u20AC \u0178");
    EXPECT_EQ(AnsiFromUtf8("\u201CStage\u201D \u2122").text, "\x93Stage\x94 \x99");
    for (int byte = 1; byte < 256; ++byte) {
        const std::string ansi(1, static_cast<char>(byte));
        const CodePageText utf8 = Utf8FromAnsi(ansi);
        if (!utf8.Ok())
            continue;   // the host table's undefined bytes, below
        EXPECT_EQ(AnsiFromUtf8(utf8.text).text, ansi) << byte;
    }
}

TEST_F(CodePage1252, ACharacterTheCodePageLacksIsRefusedNotApproximated)
{
    // Best fit would send '"' for the full-width quotation mark and 'A' for U+0100.
    for (const auto& [utf8, character] : {std::pair{"Say \uFF02hi", 0xFF02}, std::pair{"Say \u0100", 0x100}}) {
        const CodePageText ansi = AnsiFromUtf8(utf8);
        EXPECT_EQ(ansi.fault, CodePageFault::NotInCodePage) << utf8;
        EXPECT_EQ(ansi.offset, 4u);
        EXPECT_EQ(ansi.character, static_cast<char32_t>(character));
        EXPECT_TRUE(ansi.text.empty());
    }
    EXPECT_EQ(DescribeCodePageFault(AnsiFromUtf8("\uFF02")), "U+FF02 has no place in code page 1252");
}

TEST_F(CodePage1252, AnAnsiTextLongerThanItsRoomIsRefusedNotCut)
{
    std::string accents;
    for (int i = 0; i < 39; ++i)
        accents += "\u00E9";
    EXPECT_TRUE(AnsiFromUtf8(accents, 39).Ok());
    const CodePageText tooLong = AnsiFromUtf8(accents + "e", 39);
    EXPECT_EQ(tooLong.fault, CodePageFault::TooLong);
    EXPECT_EQ(DescribeCodePageFault(tooLong), "it takes 40 bytes in code page 1252; at most 39 fit");
}

TEST(CodePage, MalformedUtf8IsRefusedWhereItStarts)
{
    // A cut sequence, a surrogate, an overlong '/', a value beyond U+10FFFF.
    for (const auto& [utf8, offset] : {std::pair{"ab\xC3", 2}, std::pair{"a\xED\xA0\x80", 1},
                                       std::pair{"\xC0\xAF", 0}, std::pair{"x\xF4\x90\x80\x80", 1}}) {
        const CodePageText ansi = AnsiFromUtf8(utf8);
        EXPECT_EQ(ansi.fault, CodePageFault::InvalidUtf8) << utf8;
        EXPECT_EQ(ansi.offset, static_cast<size_t>(offset)) << utf8;
    }
}

#ifndef _WIN32
// Windows' own table maps these five bytes to C1 controls; the host table leaves them undefined.
TEST(CodePageTable, TheFiveUndefinedBytesAreRefusedOrReplaced)
{
    for (const char byte : {'\x81', '\x8D', '\x8F', '\x90', '\x9D'}) {
        const CodePageText utf8 = Utf8FromAnsi(std::string("ok") + byte);
        EXPECT_EQ(utf8.fault, CodePageFault::UndefinedByte);
        EXPECT_EQ(utf8.offset, 2u);
        EXPECT_EQ(Utf8FromAnsiReplacing(std::string("ok") + byte), "ok\uFFFD");
        EXPECT_EQ(AnsiFromUtf8("\u0081").fault, CodePageFault::NotInCodePage);
    }
}
#endif

TEST(Utf16, CrossesToUtf8AndBackAndRefusesWhatIsNotUtfWhereItIs)
{
    for (const auto& [utf16, utf8] : {std::pair{u"", ""}, {u"Caf\u00E9 \u4E2D\u6587", "Caf\u00E9 \u4E2D\u6587"},
                                      {u"\U0001F3B9 keys", "\U0001F3B9 keys"}}) {
        EXPECT_EQ(Utf8FromUtf16(U16(utf16)).text, utf8);
        EXPECT_EQ(Utf16FromUtf8(utf8).text, U16(utf16));
    }
    // A high surrogate at the end, a low one alone.
    for (const auto& [utf16, offset, replaced] :
         {std::tuple{u"ab\xD800", 2, "ab\uFFFD"}, {u"a\xDC00z", 1, "a\uFFFDz"}}) {
        const CodePageText refused = Utf8FromUtf16(U16(utf16));
        EXPECT_EQ(refused.fault, CodePageFault::InvalidUtf16);
        EXPECT_EQ(refused.offset, static_cast<size_t>(offset));
        EXPECT_EQ(Utf8FromUtf16Replacing(U16(utf16)), replaced);
    }
    const Utf16Text cut = Utf16FromUtf8("ab\xC3");
    EXPECT_EQ(cut.fault, CodePageFault::InvalidUtf8);
    EXPECT_EQ(cut.offset, 2u);
    EXPECT_EQ(Utf16FromUtf8Replacing("ab\xC3"), U16(u"ab\uFFFD"));
}

TEST_F(CodePage1252, Utf16CrossesTheCodePageStrictlyOrWithItsDefaultCharacter)
{
    EXPECT_EQ(Utf16FromAnsi("Caf\xE9 \x80").text, U16(u"Caf\u00E9 \u20AC"));
    EXPECT_EQ(Utf16FromAnsiReplacing("Caf\xE9 \x80"), U16(u"Caf\u00E9 \u20AC"));
    const struct { std::u16string utf16; CodePageFault fault; size_t offset; std::string replaced; } cases[] = {
        {u"Caf\u00E9 \u20AC", CodePageFault::None, 0, "Caf\xE9 \x80"},
        {u"\u0416\u0443\u043A.json", CodePageFault::NotInCodePage, 0, "???.json"},   // Cyrillic
        {u"x\U0001F3B9\u5F55", CodePageFault::NotInCodePage, 1, "x??"},             // beyond the BMP, CJK
        {u"x\xD800", CodePageFault::InvalidUtf16, 1, "x?"},
    };
    for (const auto& c : cases) {
        const CodePageText ansi = AnsiFromUtf16(U16(c.utf16));
        EXPECT_EQ(ansi.fault, c.fault) << c.replaced;
        EXPECT_EQ(ansi.offset, c.offset) << c.replaced;
        EXPECT_EQ(ansi.text, ansi.Ok() ? c.replaced : "");
        EXPECT_EQ(AnsiFromUtf16Replacing(U16(c.utf16)), c.replaced);
    }
    EXPECT_EQ(AnsiFromUtf8Replacing("Caf\u00E9 \u4E2D\xFF"), "Caf\xE9 ??");
    EXPECT_EQ(DescribeCodePageFault(AnsiFromUtf16(U16(u"x\xD800"))),
              "the text is not UTF-16 at unit 1 (a lone surrogate U+D800)");
}

TEST_F(CodePage1252, OneRuleEscapesTheControlCharactersOfAnsiAndUtf8)
{
    // Windows' own table maps 0x8D to a C1 control, the host's leaves it undefined: both are escaped.
    const struct { std::string ansi, ansiShown, utf8, utf8Shown; } cases[] = {
        {"\x1B]0;x\x07", "\\x1B]0;x\\x07", "\x1B]0;x\x07", "\\x1B]0;x\\x07"},   // C0
        {"a\x7F", "a\\x7F", "a\x7F", "a\\x7F"},                                   // DEL
        {"\x8D\x81", "\\x8D\\x81", "\u0085", "\\xC2\\x85"},                     // C1, or no character
        {"\\x41", "\\x41", "\xFF", "\\xFF"},                                       // no UTF-8 character
        {"Caf\xE9 \x80", "Caf\xE9 \x80", "Caf\u00E9 \u20AC", "Caf\u00E9 \u20AC"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapeControlCharacters(c.ansi), c.ansiShown);
        EXPECT_EQ(QuoteAnsi(c.ansi), "\"" + c.ansiShown + "\"");
        EXPECT_EQ(QuoteUtf8(c.utf8), "\"" + c.utf8Shown + "\"");
        EXPECT_EQ(EscapeUtf8ControlCharacters(c.utf8), c.utf8Shown);
        EXPECT_EQ(FindControlCharacter(c.ansi) == std::string_view::npos, c.ansi == c.ansiShown) << c.ansiShown;
    }
    EXPECT_EQ(FindControlCharacter("Left\tRight"), 4u);
}

TEST(ControlText, AQuotedTextIsCutAfterSixtyCharactersNeverInsideOne)
{
    const std::string x59(59, 'x');
    const struct { std::string text; bool utf8; std::string quoted; } cases[] = {
        {x59 + "y", false, "\"" + x59 + "y\""},
        {x59 + "yz", false, "\"" + x59 + "y...\" (61 characters)"},
        {x59 + "\x1B\x1B", false, "\"" + x59 + "\\x1B...\" (61 characters)"},
        {Repeated("\u00E9", 61), true, "\"" + Repeated("\u00E9", 60) + "...\" (61 characters)"},
        {x59 + "\u0085\u0085", true, "\"" + x59 + "\\xC2\\x85...\" (61 characters)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.utf8 ? QuoteUtf8(c.text) : QuoteAnsi(c.text), c.quoted);
    EXPECT_EQ(QuoteAnsi(x59 + "yz", std::string_view::npos), "\"" + x59 + "yz\"");
}

}  // namespace

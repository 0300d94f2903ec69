#include <gtest/gtest.h>

#include "app/CommandLine.h"

TEST(CommandLineOption, MatchesWholeTokensIgnoringCase)
{
    struct Case {
        const char* commandLine;
        const char* option;
        bool found;
    };
    const Case cases[] = {
        {"-asio", kOptionAsio, true},
        {"-ASIO", kOptionAsio, true},
        {"-AsIo", kOptionAsio, true},
        {"  -hide   -asio ", kOptionAsio, true},
        {"-asio -exit", kOptionExit, true},
        {"-exit -asio", kOptionExit, true},
        {"project.ovx\t-hide", kOptionHide, true},
        {"a\n-hide\rb", kOptionHide, true},
        {"x\v-hide\fy", kOptionHide, true},
        {"-asio1", kOptionAsio, false},
        {"--asio", kOptionAsio, false},
        {"x-asio", kOptionAsio, false},
        {"/asio", kOptionAsio, false},
        {"\"-asio\"", kOptionAsio, false},
        {"-asio", kOptionHide, false},
        {"", kOptionAsio, false},
        {"   \t ", kOptionAsio, false},
        {"-as io", kOptionAsio, false},
        {"-hide -QUIET", kOptionQuiet, true},
        {"-quieter", kOptionQuiet, false},
        // A byte of 0x80 or above is part of the token, never a separator.
        {"-asio\xA0", kOptionAsio, false},
        {"\xA0-asio", kOptionAsio, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine);
        EXPECT_EQ(FindCommandLineOption(c.commandLine, c.option), c.found);
    }
    EXPECT_FALSE(FindCommandLineOption(nullptr, kOptionAsio));
}

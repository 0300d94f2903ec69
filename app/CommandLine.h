// The panel's command-line options: whole tokens separated by the classic locale's
// white space, compared ignoring letter case; quotes mean nothing.
#pragma once

inline constexpr char kOptionExit[] = "-exit";
inline constexpr char kOptionAsio[] = "-asio";
inline constexpr char kOptionHide[] = "-hide";
inline constexpr char kOptionQuiet[] = "-quiet";   // no balloons for this run

// True when option occurs as a whole token of commandLine (the text after the
// program name). A null command line holds no option.
bool FindCommandLineOption(const char* commandLine, const char* option);

// What a device or channel name may be, for every way one reaches the driver (the
// panel's editors, ovxctl, a studio snapshot's restore): at most 39 characters of the
// driver's ANSI code page, none of them a control character. An empty name is a name,
// as the editors have always stored it. A control character would reach a terminal or
// a log as an escape sequence, and a zero would end the name early, so that the driver
// never holds what was sent.
#pragma once

#include <string_view>

#include "protocol/WriteOutcome.h"

// None, or the rule the ANSI text breaks.
WriteRule CheckName(std::string_view ansi);

// The same for a name given in UTF-8 (a file's, a command line's), crossed into ANSI
// into `ansi` when it passes.
WriteRule CheckNameFromUtf8(std::string_view utf8, std::string& ansi);

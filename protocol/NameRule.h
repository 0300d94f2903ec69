// What a device or channel name may be, for every way one reaches the driver (the
// panel's editors, ovxctl, a studio snapshot's restore): 1 to 39 characters of the
// driver's ANSI code page, none of them a control character. A name with a control
// character would reach a terminal or a log as an escape sequence; an empty one
// leaves the device or channel without a name in every ASIO host.
#pragma once

#include <string_view>

#include "protocol/WriteOutcome.h"

// None, or the rule the ANSI text breaks.
WriteRule CheckName(std::string_view ansi);

// The same for a name given in UTF-8 (a file's, a command line's), crossed into ANSI
// into `ansi` when it passes.
WriteRule CheckNameFromUtf8(std::string_view utf8, std::string& ansi);

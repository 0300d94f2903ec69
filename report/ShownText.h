// How a support report shows the texts it did not write itself, in the text and the
// JSON alike: the driver's ANSI texts crossed to UTF-8 with their control characters
// escaped first (text/ControlText.h), so that neither file can carry an escape
// sequence to a terminal or an editor.
#pragma once

#include <string>
#include <string_view>

#include "driver/RequestFailure.h"
#include "driver/ResultCodes.h"

// A driver's text, or one made from it (a plug's state, a history entry), as UTF-8.
std::string ShownText(std::string_view ansi);
// A result code's explanation on one line (text/DriverErrorText.h), UTF-8; empty for
// a code without one.
std::string ShownResult(DrvResult code);
// "GetClockSource, 0xE0000022 Negative response for an FCP request."
std::string ShownFailure(const RequestFailure& failure);

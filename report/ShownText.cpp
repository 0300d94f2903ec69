#include "report/ShownText.h"

#include <algorithm>

#include "text/CodePage.h"
#include "text/ControlText.h"
#include "text/DriverErrorText.h"
#include "text/FormatText.h"

std::string ShownText(std::string_view ansi)
{
    // Escaped while still ANSI: a byte the code page leaves undefined shows as \xNN
    // rather than as the replacement character.
    return Utf8FromAnsiReplacing(EscapeControlCharacters(ansi));
}

std::string ShownResult(DrvResult code)
{
    // An explanation of two lines is one sentence in a report's line.
    std::string text = ResultText(code);
    std::replace(text.begin(), text.end(), '\n', ' ');
    return ShownText(text);
}

std::string ShownFailure(const RequestFailure& failure)
{
    const std::string explanation = ShownResult(failure.code);
    return std::string(failure.RequestName()) + ", " + ResultCodeText(failure.code) +
           (explanation.empty() ? "" : " " + explanation);
}

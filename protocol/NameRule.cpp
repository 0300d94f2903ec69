#include "protocol/NameRule.h"

#include <string>

#include "driver/DriverRecords.h"
#include "text/CodePage.h"
#include "text/ControlText.h"

WriteRule CheckName(std::string_view ansi)
{
    if (FindControlCharacter(ansi) != std::string_view::npos)
        return WriteRule::NameControlCharacter;
    if (ansi.size() > kNameFieldSize - 1)
        return WriteRule::NameTooLong;
    return WriteRule::None;
}

WriteRule CheckNameFromUtf8(std::string_view utf8, std::string& ansi)
{
    const CodePageText converted = AnsiFromUtf8(utf8);
    if (!converted.Ok())
        return WriteRule::NameNotInCodePage;
    if (const WriteRule broken = CheckName(converted.text); broken != WriteRule::None)
        return broken;
    ansi = converted.text;
    return WriteRule::None;
}

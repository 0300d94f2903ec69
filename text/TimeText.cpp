#include "text/TimeText.h"

#include <ctime>

namespace {

std::string Formatted(std::chrono::system_clock::time_point when, bool local, const char* format)
{
    const std::time_t time = std::chrono::system_clock::to_time_t(when);
    std::tm parts{};
#ifdef _WIN32
    if (local)
        localtime_s(&parts, &time);
    else
        gmtime_s(&parts, &time);
#else
    if (local)
        localtime_r(&time, &parts);
    else
        gmtime_r(&time, &parts);
#endif
    char text[32];
    return std::strftime(text, sizeof text, format, &parts) ? text : "";
}

}  // namespace

std::string LocalTimeText(std::chrono::system_clock::time_point when)
{
    return Formatted(when, true, "%Y-%m-%d %H:%M:%S");
}

std::string LocalDateText(std::chrono::system_clock::time_point when) { return Formatted(when, true, "%Y-%m-%d"); }

std::string UtcTimeText(std::chrono::system_clock::time_point when)
{
    return Formatted(when, false, "%Y-%m-%dT%H:%M:%SZ");
}

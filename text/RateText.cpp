#include "text/RateText.h"

#include <cstdio>

std::string FormatSampleRate(uint32_t rateHz)
{
    char text[32];
    std::snprintf(text, sizeof text, "%u.%u kHz", rateHz / 1000, (rateHz % 1000) / 100);
    return text;
}

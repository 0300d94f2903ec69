#include "text/StreamText.h"

#include <algorithm>
#include <cstdio>
#include "driver/ResultCodes.h"
#include "text/DriverErrorText.h"
#include "res/StreamTexts.h"

const char* const kPlugLabels[4] = {"AudioOutPlug", "AudioInPlug", "SynchOutPlug", "SynchInPlug"};

namespace {

// The rates a plug can report by name; any other is not shown as a number.
constexpr uint32_t kNamedRates[] = {32000, 44100, 48000, 88200, 96000, 176400, 192000};

std::string RateText(uint32_t rate)
{
    if (std::find(std::begin(kNamedRates), std::end(kNamedRates), rate) == std::end(kNamedRates))
        return TXT_UNKNOWN_RATE;
    return std::to_string(rate);
}

}  // namespace

const _PLUG_STATUS& PlugOf(const _STREAM_INFO& info, int index)
{
    switch (index) {
    case 0: return info.audioOut;
    case 1: return info.audioIn;
    case 2: return info.synchOut;
    default: return info.synchIn;
    }
}

std::string FormatStreamError(uint32_t code)
{
    // The explanations of a plug's failure; the busy WDM device is a sampling rate's.
    const DriverErrorText* known = code != ERROR_DRV_WDM_DEVICE_IN_USE ? FindDriverErrorText(code) : nullptr;
    char text[160];
    std::snprintf(text, sizeof text, "%s 0x%08X: %s", TXT_ERROR_CODE, code, known ? known->text : "");
    return text;
}

std::string FormatSupportedRates(uint32_t rateCount, const uint32_t (&rates)[kMaxSampleRates], uint32_t markedRate)
{
    std::string text = TXT_SUPPORTED_RATES;
    const uint32_t count = std::min<uint32_t>(rateCount, kMaxSampleRates);
    for (uint32_t i = 0; i < count; ++i) {
        const bool marked = rates[i] == markedRate;
        text += (marked ? "[" : "") + RateText(rates[i]) + (marked ? "]" : "") + "  ";
    }
    return text;
}

std::string FormatPlugState(const _PLUG_STATUS& plug)
{
    switch (plug.state) {
    case PlugState_Connected:
        return TXT_CONNECTED " (" + std::to_string(plug.streamNumber) + ")";
    case PlugState_ConnectFailed:
        return TXT_CONNECT_FAILED;
    default:
        return {};
    }
}

std::string FormatPlugDetails(const _PLUG_STATUS& plug, const char* label)
{
    char number[16];
    switch (plug.state) {
    case PlugState_Connected:
        std::snprintf(number, sizeof number, "%d", static_cast<int>(plug.streamNumber));
        return std::string(label) + ": " TXT_SUCCESSFULLY_CONNECTED "\n   " TXT_STREAM_NUMBER ": " + number +
               "\n   " + FormatSupportedRates(plug.rateCount, plug.rates, plug.currentRate);
    case PlugState_ConnectFailed:
        return std::string(label) + ": " TXT_CONNECT_FAILED " (" + FormatStreamError(plug.error) + ")\n   " +
               FormatSupportedRates(plug.rateCount, plug.rates, 0);
    default:
        return {};
    }
}

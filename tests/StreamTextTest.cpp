#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "res/StreamTexts.h"
#include "text/StreamText.h"
#include "text/StreamingVerdict.h"

namespace {

_PLUG_STATUS Plug(uint32_t state, std::initializer_list<uint32_t> rates, uint32_t current = 0, uint32_t error = 0,
                  uint32_t stream = 0)
{
    _PLUG_STATUS plug{state, error, stream, current, static_cast<uint32_t>(rates.size()), {}};
    uint32_t i = 0;
    for (uint32_t rate : rates)
        plug.rates[i++] = rate;
    return plug;
}

}  // namespace

TEST(StreamText, PlugStatesInTheList)
{
    EXPECT_EQ(FormatPlugState(Plug(3, {}, 0, 0, 5)), "connected (5)");
    EXPECT_EQ(FormatPlugState(Plug(3, {}, 0, 0, 0xFFFFFFFF)), "connected (4294967295)");
    EXPECT_EQ(FormatPlugState(Plug(4, {})), "connect failed");
    EXPECT_EQ(FormatPlugState(Plug(0, {})), "");
    EXPECT_EQ(FormatPlugState(Plug(7, {})), "");
}

TEST(StreamText, ErrorsNameTheirCodeAndExplainTheKnownOnes)
{
    EXPECT_EQ(FormatStreamError(0xE0000073), "Error code 0xE0000073: Bandwidth allocation failed.");
    EXPECT_EQ(FormatStreamError(0xE0000080), "Error code 0xE0000080: Selected sampling rate not supported.");
    EXPECT_EQ(FormatStreamError(0xE00000AB), "Error code 0xE00000AB: ");
    EXPECT_EQ(FormatStreamError(0xE0000047), "Error code 0xE0000047: ");
}

TEST(StreamText, SupportedRatesMarkTheCurrentOneAndHideUnnamedOnes)
{
    const _PLUG_STATUS plug = Plug(3, {44100, 48000, 12345}, 48000);
    EXPECT_EQ(FormatSupportedRates(plug.rateCount, plug.rates, 48000),
              "Supported sampling rates (Hz): 44100  [48000]  unknown    ");
    EXPECT_EQ(FormatSupportedRates(0, plug.rates, 48000), "Supported sampling rates (Hz): ");
    // A count beyond the record's room reads only the eight rates it holds.
    _PLUG_STATUS full = Plug(3, {32000, 44100, 48000, 88200, 96000, 176400, 192000, 32000});
    full.rateCount = 1000;
    EXPECT_EQ(FormatSupportedRates(full.rateCount, full.rates, 0),
              "Supported sampling rates (Hz): 32000  44100  48000  88200  96000  176400  192000  32000  ");
}

TEST(StreamText, DetailsOfConnectedFailedAndIdlePlugs)
{
    EXPECT_EQ(FormatPlugDetails(Plug(3, {44100, 48000}, 48000, 0, 5), "AudioOutPlug"),
              "AudioOutPlug: successfully connected\n   Isochronous stream number: 5\n"
              "   Supported sampling rates (Hz): 44100  [48000]  ");
    EXPECT_EQ(FormatPlugDetails(Plug(4, {48000}, 48000, 0xE0000073), "AudioInPlug"),
              "AudioInPlug: connect failed (Error code 0xE0000073: Bandwidth allocation failed.)\n"
              "   Supported sampling rates (Hz): 48000  ");
    EXPECT_EQ(FormatPlugDetails(Plug(2, {48000}), "SynchInPlug"), "");
}

TEST(StreamingVerdict, EveryReadDeviceWithBothAudioPlugsConnectedIsStreaming)
{
    _STREAM_INFO connected{};
    connected.audioOut = connected.audioIn = Plug(PlugState_Connected, {});
    _STREAM_INFO failed = connected;
    failed.audioIn = Plug(PlugState_ConnectFailed, {});
    _STREAM_INFO idle{};   // neither plug connected nor failed
    // A null device: its status could not be read.
    const struct { std::vector<const _STREAM_INFO*> devices; StreamingState state; } cases[] = {
        {{}, StreamingState::NoStreams},
        {{nullptr}, StreamingState::Streaming},
        {{&connected, nullptr, &connected}, StreamingState::Streaming},
        {{&connected, &failed, &connected}, StreamingState::ConnectFailed},
        {{nullptr, &idle}, StreamingState::ConnectFailed},
    };
    for (const auto& c : cases) {
        CStreamingVerdict verdict;
        for (const _STREAM_INFO* device : c.devices)
            verdict.AddDevice(device);
        EXPECT_EQ(verdict.State(), c.state) << c.devices.size();
    }
    for (const auto& [state, text, id] : {std::tuple{StreamingState::Streaming, "streaming", IDS_STREAMING},
                                          {StreamingState::ConnectFailed, "connect failed", IDS_CONNECT_FAILED_STATE},
                                          {StreamingState::NoStreams, "no streams available", IDS_NO_STREAMS}}) {
        EXPECT_STREQ(StreamingStateText(state), text);
        EXPECT_EQ(StreamingStateTextId(state), static_cast<unsigned>(id));
    }
}

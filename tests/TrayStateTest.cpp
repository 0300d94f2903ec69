// The tray's state and balloons, decided from what two refreshes found.
#include <gtest/gtest.h>

#include "app/TrayState.h"

namespace {

const TrayTexts kTexts{"%s, %s, %s", "%s device(s)", "rate unknown", "no driver", "no device",
                       "driver gone", "driver back", "stopped: %s", "running again",
                       "rate %s -> %s", "connected: %s", "gone: %s"};

PanelFindings Studio()
{
    PanelFindings f;
    f.driverReached = true;
    f.devices = {{1, "Stage"}, {2, "Desk"}, {3, "Rack"}};
    f.sampleRate = 48000;
    f.rateText = "48.0 kHz";
    f.streaming = StreamingState::Streaming;
    f.streamingText = "streaming";
    return f;
}

PanelFindings Failing(PanelFindings f, const std::string& failure)
{
    f.streaming = StreamingState::ConnectFailed;
    f.streamingText = "connect failed";
    f.streamFailure = failure;
    return f;
}

PanelFindings AtRate(PanelFindings f, uint32_t rate, const std::string& text)
{
    f.sampleRate = rate;
    f.rateText = text;
    return f;
}

// The balloon text of the change from before to after.
std::string News(const PanelFindings& before, const PanelFindings& after, bool own = false)
{
    CTrayState state;
    state.Start(before);
    return state.Update(after, own, kTexts);
}

}  // namespace

TEST(TrayState, ARefreshThatFindsNothingNewSaysNothing)
{
    CTrayState state;
    state.Start(Studio());
    EXPECT_FALSE(state.NeedsAttention());
    EXPECT_EQ(state.Update(Studio(), false, kTexts), "");
    // A rename or a new ranking is the same devices.
    PanelFindings renamed = Studio();
    renamed.devices = {{3, "Rack"}, {1, "Main"}, {2, "Desk"}};
    EXPECT_EQ(state.Update(renamed, false, kTexts), "");
}

TEST(TrayState, EachChangeIsOneLine)
{
    PanelFindings unplugged = Studio();
    unplugged.devices.erase(unplugged.devices.begin() + 1);
    EXPECT_EQ(News(Studio(), unplugged), "gone: Desk");
    EXPECT_EQ(News(unplugged, Studio()), "connected: Desk");

    EXPECT_EQ(News(Studio(), Failing(Studio(), "Desk: Error code 0xE0000073: Bandwidth allocation failed.")),
              "stopped: Desk: Error code 0xE0000073: Bandwidth allocation failed.");
    // A plug that is merely absent has no failure of its own: the state says it.
    EXPECT_EQ(News(Studio(), Failing(Studio(), "")), "stopped: connect failed");
    EXPECT_EQ(News(Failing(Studio(), "x"), Studio()), "running again");
    // Failing in another way is still not streaming: no news.
    EXPECT_EQ(News(Failing(Studio(), "x"), Failing(Studio(), "y")), "");

    EXPECT_EQ(News(Studio(), AtRate(Studio(), 44100, "44.1 kHz")), "rate 48.0 kHz -> 44.1 kHz");
    // A rate that could not be read is no change of rate.
    EXPECT_EQ(News(Studio(), AtRate(Studio(), 0, "unknown")), "");
    EXPECT_EQ(News(AtRate(Studio(), 0, "unknown"), Studio()), "");
}

TEST(TrayState, TheDriversLossAndReturnAreTheOnlyNewsOfTheirRefresh)
{
    PanelFindings gone;
    gone.streamingText = "no streams available";
    EXPECT_EQ(News(Studio(), gone), "driver gone");
    EXPECT_EQ(News(gone, Failing(Studio(), "x")), "driver back");
    EXPECT_EQ(News(gone, gone), "");
}

TEST(TrayState, SeveralChangesShareOneBalloon)
{
    PanelFindings after = AtRate(Failing(Studio(), "Rack: failed"), 96000, "96.0 kHz");
    after.devices.push_back({4, "Pocket"});
    EXPECT_EQ(News(Studio(), after), "connected: Pocket\nstopped: Rack: failed\nrate 48.0 kHz -> 96.0 kHz");
}

TEST(TrayState, ThePanelsOwnChangesOfRateAndStreamingSayNothing)
{
    CTrayState state;
    state.Start(Studio());
    EXPECT_EQ(state.Update(AtRate(Failing(Studio(), "x"), 44100, "44.1 kHz"), true, kTexts), "");
    // What the panel did is the new normal: only a change from there is news.
    EXPECT_EQ(state.Update(AtRate(Failing(Studio(), "x"), 44100, "44.1 kHz"), false, kTexts), "");
    // Devices come and go only from outside, whatever the panel just did.
    PanelFindings unplugged = Studio();
    unplugged.devices.pop_back();
    EXPECT_EQ(state.Update(unplugged, true, kTexts), "gone: Rack");
}

TEST(TrayState, TheLookAndTheStateLine)
{
    CTrayState state;
    state.Start(Studio());
    EXPECT_EQ(state.StateLine(kTexts), "48.0 kHz, streaming, 3 device(s)");
    state.Start(AtRate(Failing(Studio(), "x"), 0, "unknown"));
    EXPECT_TRUE(state.NeedsAttention());
    EXPECT_EQ(state.StateLine(kTexts), "rate unknown, connect failed, 3 device(s)");

    PanelFindings empty = Studio();
    empty.devices.clear();
    state.Start(empty);
    EXPECT_TRUE(state.NeedsAttention());
    EXPECT_EQ(state.StateLine(kTexts), "no device");
    state.Start(PanelFindings{});
    EXPECT_TRUE(state.NeedsAttention());
    EXPECT_EQ(state.StateLine(kTexts), "no driver");
}

// The tray's state and balloons, decided from what two refreshes found.
#include <gtest/gtest.h>

#include "app/DropOutTally.h"
#include "app/TrayState.h"

namespace {

const TrayTexts kTexts{"%s, %s, %s", "%s device(s)", "rate unknown", "no driver", "no device",
                       "driver gone", "driver back", "stopped: %s", "running again",
                       "rate %s -> %s", "connected: %s", "gone: %s"};

PanelFindings Studio()
{
    PanelFindings f;
    f.driver.driverReached = true;
    f.driver.devices = {{1, "Stage", "S1"}, {2, "Desk", "S2"}, {3, "Rack", "S3"}};
    f.driver.sampleRate = 48000;
    f.rateText = "48.0 kHz";
    f.driver.streaming = StreamingState::Streaming;
    f.streamingText = "streaming";
    return f;
}

PanelFindings Failing(PanelFindings f, const std::string& failure)
{
    f.driver.streaming = StreamingState::ConnectFailed;
    f.streamingText = "connect failed";
    f.streamFailure = failure;
    return f;
}

PanelFindings AtRate(PanelFindings f, uint32_t rate, const std::string& text)
{
    f.driver.sampleRate = rate;
    f.rateText = text;
    return f;
}

// The balloon text of the change from before to after.
std::string News(const PanelFindings& before, const PanelFindings& after, const OwnWrites& own = {})
{
    CTrayState state;
    state.Start(before);
    state.Update(after);
    return state.TakeNews(own, kTexts);
}

}  // namespace

TEST(TrayState, ARefreshThatFindsNothingNewSaysNothing)
{
    CTrayState state;
    state.Start(Studio());
    EXPECT_FALSE(state.NeedsAttention());
    state.Update(Studio());
    EXPECT_EQ(state.TakeNews({}, kTexts), "");
    // A rename or a new ranking is the same devices.
    PanelFindings renamed = Studio();
    renamed.driver.devices = {{3, "Rack", "S3"}, {1, "Main", "S1"}, {2, "Desk", "S2"}};
    state.Update(renamed);
    EXPECT_EQ(state.TakeNews({}, kTexts), "");
}

TEST(TrayState, EachChangeIsOneLine)
{
    PanelFindings unplugged = Studio();
    unplugged.driver.devices.erase(unplugged.driver.devices.begin() + 1);
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
    after.driver.devices.push_back({4, "Pocket", "S4"});
    EXPECT_EQ(News(Studio(), after), "connected: Pocket\nstopped: Rack: failed\nrate 48.0 kHz -> 96.0 kHz");
}

TEST(TrayState, WhatThePanelWroteIsNoNewsButAnOutsideChangeBesideItIs)
{
    OwnWrites own;
    own.sampleRate = 44100;
    own.streamingStarted = false;   // its restart was refused
    EXPECT_EQ(News(Studio(), AtRate(Failing(Studio(), "x"), 44100, "44.1 kHz"), own), "");
    // The rate the panel wrote was not the one the driver ended with.
    EXPECT_EQ(News(Studio(), AtRate(Studio(), 96000, "96.0 kHz"), own), "rate 48.0 kHz -> 96.0 kHz");
    // Devices come and go only from outside, whatever the panel just did.
    PanelFindings unplugged = AtRate(Studio(), 44100, "44.1 kHz");
    unplugged.driver.devices.pop_back();
    EXPECT_EQ(News(Studio(), unplugged, own), "gone: Rack");
}

TEST(TrayState, NewsIsWhatChangedSinceTheLastTellingNotEachRefresh)
{
    CTrayState state;
    state.Start(Studio());
    PanelFindings unplugged = Studio();
    unplugged.driver.devices.pop_back();
    state.Update(unplugged);
    state.Update(Studio());   // plugged back before anything was told
    EXPECT_EQ(state.TakeNews({}, kTexts), "");
    state.Update(unplugged);
    EXPECT_EQ(state.TakeNews({}, kTexts), "gone: Rack");
    EXPECT_EQ(state.TakeNews({}, kTexts), "");
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
    empty.driver.devices.clear();
    state.Start(empty);
    EXPECT_TRUE(state.NeedsAttention());
    EXPECT_EQ(state.StateLine(kTexts), "no device");
    state.Start(PanelFindings{});
    EXPECT_TRUE(state.NeedsAttention());
    EXPECT_EQ(state.StateLine(kTexts), "no driver");
}

TEST(DropOutTally, RisesAreCountedFromTheFirstReadingAndToldOnceAMinute)
{
    using namespace std::chrono_literals;
    CDropOutTally tally;
    const auto t0 = CDropOutTally::Clock::time_point{} + 1h;
    EXPECT_EQ(tally.OnReading(40, t0), 0u);   // the count before the watch is no rise
    EXPECT_EQ(tally.OnReading(43, t0 + 5s), 3u);
    EXPECT_TRUE(tally.TakeBalloon(t0 + 5s));
    EXPECT_EQ(tally.OnReading(44, t0 + 10s), 1u);
    EXPECT_EQ(tally.InLastMinute(t0 + 10s), 4u);
    EXPECT_FALSE(tally.TakeBalloon(t0 + 10s));   // one balloon a minute
    EXPECT_EQ(tally.InLastMinute(t0 + 66s), 1u);
    EXPECT_TRUE(tally.TakeBalloon(t0 + 66s));
    EXPECT_EQ(tally.OnReading(2, t0 + 70s), 0u);   // a counter that started again
    tally.Pause();
    EXPECT_EQ(tally.OnReading(9, t0 + 200s), 0u);
    EXPECT_EQ(tally.InLastMinute(t0 + 200s), 0u);
    EXPECT_FALSE(tally.TakeBalloon(t0 + 200s));
}

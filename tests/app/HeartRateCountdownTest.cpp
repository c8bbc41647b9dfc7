// The count-down by itself: ticks delivered one by one, never by waiting.

#include "app/HeartRateCountdown.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The texts shown after each of n seconds.
std::vector<std::string> Seconds(HeartRateCountdown& c, int n) {
    std::vector<std::string> shown;
    for (int i = 0; i < n; ++i) {
        c.TickSecond();
        shown.push_back(c.Text());
    }
    return shown;
}

TEST(HeartRateCountdown, FifteenSecondsRunDownAndResetASecondAfterZero) {
    HeartRateCountdown c;
    c.Start(0, 15);
    EXPECT_EQ(c.Text(), "00:15");
    EXPECT_EQ(c.GaugeMaximum(), 140);
    const std::vector<std::string> shown = Seconds(c, 15);
    EXPECT_EQ(shown.front(), "00:14");
    EXPECT_EQ(shown.back(), "00:00");
    EXPECT_EQ(c.GetState(), HeartRateCountdown::State::Running);
    EXPECT_FALSE(c.TickSecond());
    EXPECT_EQ(c.Text(), "00:00");
    EXPECT_EQ(c.GetState(), HeartRateCountdown::State::Idle);
}

TEST(HeartRateCountdown, MinutesRollOverToFiftyNine) {
    HeartRateCountdown c;
    c.Start(1, 30);
    EXPECT_EQ(c.Text(), "01:30");
    EXPECT_EQ(c.GaugeMaximum(), 890);
    const std::vector<std::string> shown = Seconds(c, 31);
    EXPECT_EQ(shown[0], "01:29");
    EXPECT_EQ(shown[29], "01:00");
    EXPECT_EQ(shown[30], "00:59");
}

TEST(HeartRateCountdown, GaugeMaximaOfTheSixPeriods) {
    const struct {
        int minutes, seconds, maximum;
    } periods[] = {{0, 15, 140}, {0, 30, 290}, {1, 0, 590},
                   {1, 30, 890}, {2, 0, 1190}, {3, 0, 1790}};
    HeartRateCountdown c;
    for (const auto& p : periods) {
        c.Start(p.minutes, p.seconds);
        EXPECT_EQ(c.GaugeMaximum(), p.maximum) << p.minutes << ":" << p.seconds;
    }
}

TEST(HeartRateCountdown, StopFreezesAndAStartBeginsAfresh) {
    HeartRateCountdown c;
    c.Start(0, 30);
    c.TickTenth();
    c.TickSecond();
    c.Stop();
    EXPECT_TRUE(c.TickSecond()); // a late tick changes nothing
    EXPECT_EQ(c.TickTenth(), 1);
    EXPECT_EQ(c.Text(), "00:29");
    c.Start(3, 0);
    EXPECT_EQ(c.Text(), "03:00");
    EXPECT_EQ(c.Tenths(), 0);
    EXPECT_EQ(c.TickTenth(), 1);
    c.Reset();
    EXPECT_EQ(c.Text(), "00:00");
}

} // namespace

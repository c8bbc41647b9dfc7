// The heart-rate timer's window: opened through the client window, driven by delivering its
// two timers, never by waiting; the digits painted as mm:ss from the cells of 801.

#include "tools/HRateDialog.h"
#include "framework/TImageDC.h"
#include "framework/TResources.h"
#include "shell/CommandIds.h"

#include "PopupToolFixture.h"
#include "framework/UserInput.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

class HRateDialogTest : public PopupToolFixture {
protected:
    void SetUp() override {
        PopupToolFixture::SetUp();
        timer = Open<HRateDialog>(cmd::kHeartRate, res::kHRateDialog);
        ASSERT_NE(timer, nullptr);
    }
    // Ten tenths, then the second, as the two timers run side by side.
    void Seconds(int n) {
        for (int i = 0; i < n; ++i) {
            Tenths(10);
            timer->DeliverTimer(res::kCountdownTimer);
        }
    }
    void Tenths(int n) {
        for (int i = 0; i < n; ++i) {
            timer->DeliverTimer(res::kProgressTimer);
        }
    }
    std::string Shown() const { return timer->Countdown().Text(); }
    bool Running() const {
        return timer->HasTimer(res::kCountdownTimer) || timer->HasTimer(res::kProgressTimer);
    }
    void ExpectIdle() {
        EXPECT_EQ(Shown(), "00:00");
        EXPECT_FALSE(Running());
        EXPECT_EQ(timer->Gauge().GetValue(), 0);
        EXPECT_EQ(timer->Gauge().Color(), TColor::LightGray());
    }

    HRateDialog* timer = nullptr;
};

TEST_F(HRateDialogTest, FifteenSecondsFillTheBarASecondEarlyAndResetASecondAfterZero) {
    ExpectIdle();
    EXPECT_EQ(timer->Gauge().WindowRect(), TRect::OfSize(15, 152, 372, 21));
    UserInput::Click(*timer, HRateDialog::k15Seconds);
    EXPECT_EQ(timer->TimerPeriod(res::kCountdownTimer), 1000);
    EXPECT_EQ(timer->TimerPeriod(res::kProgressTimer), 100);
    EXPECT_EQ(timer->Gauge().Maximum(), 140);
    EXPECT_EQ(timer->Gauge().Color(), TColor::Purple());
    Seconds(14);
    EXPECT_EQ(Shown(), "00:01");
    EXPECT_EQ(timer->Gauge().GetValue(), 140);
    Seconds(1);
    EXPECT_EQ(Shown(), "00:00");
    EXPECT_EQ(timer->Gauge().GetValue(), 140);
    EXPECT_TRUE(Running());
    Seconds(1);
    ExpectIdle();
}

TEST_F(HRateDialogTest, StopFreezesAndResetEmptiesTheBar) {
    UserInput::Click(*timer, HRateDialog::k30Seconds);
    Seconds(2);
    Tenths(5);
    UserInput::Click(*timer, HRateDialog::kStop);
    EXPECT_FALSE(Running());
    EXPECT_EQ(Shown(), "00:28");
    EXPECT_EQ(timer->Gauge().GetValue(), 25);
    EXPECT_EQ(timer->Gauge().Color(), TColor::Purple());
    UserInput::Click(*timer, HRateDialog::kReset);
    ExpectIdle();
}

TEST_F(HRateDialogTest, AnotherPeriodRestartsWithItsOwnRange) {
    UserInput::Click(*timer, HRateDialog::k30Seconds);
    Seconds(3);
    UserInput::Click(*timer, HRateDialog::k3Minutes);
    EXPECT_EQ(Shown(), "03:00");
    EXPECT_EQ(timer->Gauge().Maximum(), 1790);
    EXPECT_EQ(timer->Gauge().GetValue(), 30); // until the first tenth
    Tenths(1);
    EXPECT_EQ(timer->Gauge().GetValue(), 1);
}

TEST_F(HRateDialogTest, DigitsReachTheScreenAsMinutesColonSecondsOverAnEmptyGreyBar) {
    UserInput::Click(*timer, HRateDialog::k90Seconds);
    Seconds(31);
    UserInput::Click(*timer, HRateDialog::kStop);
    // What the screen shows: the dialog's paint, its group frames and the gauge.
    TImageDC image = TImageDC::PaintWindow(*timer);
    const QImage shown = image.Finish();
    const QImage* strip = TResources::Bitmap(res::kHRateDigits);
    const int cells[] = {0, 0, 10, 5, 9};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(shown.copy(14 + 75 * i, 16, 75, 125), strip->copy(cells[i] * 75, 0, 75, 125))
            << "character " << i;
    }
    // The frame around the digits: grey, then white, just outside them.
    EXPECT_EQ(shown.pixel(12, 50), qRgb(128, 128, 128));
    EXPECT_EQ(shown.pixel(13, 50), qRgb(255, 255, 255));
    // The bar at 310 of 890 fills 128 of the well's 370 pixels from x 16.
    EXPECT_EQ(shown.pixel(16, 162), qRgb(128, 0, 128));
    EXPECT_EQ(shown.pixel(143, 162), qRgb(128, 0, 128));
    EXPECT_EQ(shown.pixel(144, 162), qRgb(192, 192, 192));

    UserInput::Click(*timer, HRateDialog::kReset);
    const QImage idle = TImageDC::PaintWindow(*timer).Finish();
    EXPECT_EQ(idle.pixel(16, 162), qRgb(192, 192, 192));
    EXPECT_EQ(idle.pixel(385, 171), qRgb(192, 192, 192));
    EXPECT_EQ(idle.copy(14, 16, 75, 125), strip->copy(0, 0, 75, 125));
}

} // namespace

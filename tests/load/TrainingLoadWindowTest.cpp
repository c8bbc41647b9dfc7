// The Training Load window in the running program: opened from the Tools menu, its profile
// boxes typed into and refused, its bars and grounds painted, its reload on a changed logbook.
#include "framework/PixelChecks.h"
#include "framework/TImageDC.h"
#include "framework/TMessageBox.h"
#include "framework/UserInput.h"
#include "load/LoadProfile.h"
#include "load/TrainingLoadDialog.h"
#include "shell/ClientWindow.h"
#include "shell/CommandIds.h"
#include "shell/ResourceIds.h"
#include "store/ActivityStore.h"
#include "views/SelectorIds.h"

#include "ShellFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

using UserInput::Click;
using UserInput::Enter;
using UserInput::Type;

class TrainingLoadWindowTest : public ShellFixture {
protected:
    void RegisterTools() override { Register<TrainingLoadDialog>(res::kTrainingLoadDialog); }
    // Three days before today a hard hour typed by hand; yesterday an imported run of an hour
    // at 150; today resting 50 and maximum 190, which the profile takes from the log.
    void StoreSeries() {
        Store(Day(Key(-3)).Time(3600).Difficulty('H'));
        Store(Day(Key(-1)).Time(3600));
        Store(Day(Key(0)).RestHeartRate(50).MaxHeartRate(190));
        ActivityRow run;
        run.day = Key(-1);
        run.start = 1767258000;
        run.sport = "Running";
        run.movingSeconds = 3600;
        run.avgHeartRate = 150;
        run.file = "run.fit";
        std::vector<ActivityRow> rows{run};
        ActivityStore store;
        store.Open(client->Database(), true);
        ASSERT_TRUE(store.Change({}, rows, "km").Ok());
    }
    TrainingLoadDialog* OpenLoad() {
        return Open<TrainingLoadDialog>(cmd::kTrainingLoad, res::kTrainingLoadDialog);
    }
    std::string Setting(const char* name) {
        ActivityStore store;
        store.Open(client->Database(), false);
        return store.Setting(name);
    }
    // Clears a box with the keyboard and types new text into it.
    static void Retype(TDialog& dialog, int box, const std::string& text) {
        Type(dialog, box, "");
        for (int i = 0; i < TrainingLoadDialog::kBoxLimit; ++i) {
            UserInput::Press(dialog, Qt::Key_Backspace);
        }
        UserInput::Keys(dialog, QString::fromStdString(text));
    }
    static std::unique_ptr<TImageDC> Painted(TWindow& window) {
        const TRect client = window.ClientRect();
        auto image =
            std::make_unique<TImageDC>(client.Width(), client.Height(), TColor::LightGray());
        window.PaintTo(image->DC(), true, client);
        image->Finish();
        return image;
    }
};

TEST_F(TrainingLoadWindowTest, TheProfileBoxesShowTheLogAndRefuseWhatDoesNotReadWhole) {
    StoreSeries();
    TrainingLoadDialog* load = OpenLoad();
    ASSERT_NE(load, nullptr);
    EXPECT_EQ(load->GetDlgItemText(TrainingLoadDialog::kMaxBox), "190");
    EXPECT_EQ(load->GetDlgItemText(TrainingLoadDialog::kRestBox), "50");
    EXPECT_EQ(load->GetDlgItemText(TrainingLoadDialog::kMaxSource), "(from your log)");

    TMessageBox::QueueAnswers({TMessageBox::kIdOk});
    Type(*load, TrainingLoadDialog::kMaxBox, "x");
    Enter(*load);
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages().back(), "The maximum heart rate must be a whole number from 100 to 240.");
    EXPECT_EQ(UserInput::FocusedId(*load), TrainingLoadDialog::kMaxBox);
    EXPECT_EQ(Setting(LoadProfile::kMaxHeartRateName), "");

    Retype(*load, TrainingLoadDialog::kMaxBox, "188");
    UserInput::Tab(*load);                 // to the resting box, left as the log's
    UserInput::Tab(*load);                 // to the sex
    UserInput::Press(*load, Qt::Key_Down); // male
    Enter(*load);
    EXPECT_EQ(Setting(LoadProfile::kMaxHeartRateName), "188");
    EXPECT_EQ(Setting(LoadProfile::kRestHeartRateName), "");
    EXPECT_EQ(Setting(LoadProfile::kSexName), "male");
    EXPECT_EQ(load->GetDlgItemText(TrainingLoadDialog::kMaxSource), "");
    EXPECT_EQ(load->GetDlgItemText(TrainingLoadDialog::kRestSource), "(from your log)");
    EXPECT_EQ(load->Load().Rates().max, 188);

    // A rest above the maximum is refused as a pair.
    TMessageBox::QueueAnswers({TMessageBox::kIdOk});
    Retype(*load, TrainingLoadDialog::kRestBox, "120");
    Retype(*load, TrainingLoadDialog::kMaxBox, "110");
    Click(*load, TrainingLoadDialog::kSet);
    EXPECT_EQ(Messages().back(), "The resting heart rate must be below the maximum heart rate.");
    EXPECT_EQ(Setting(LoadProfile::kMaxHeartRateName), "188");
    EXPECT_EQ(Setting(LoadProfile::kRestHeartRateName), "");

    TMessageBox::QueueAnswers({TMessageBox::kIdOk});
    Retype(*load, TrainingLoadDialog::kStartBox, "12.5");
    Enter(*load);
    EXPECT_EQ(Messages().back(), "The starting fitness must be a whole number from 0 to 300.");
    EXPECT_EQ(UserInput::FocusedId(*load), TrainingLoadDialog::kStartBox);

    // The time constants, shown as stored and set by typing; fatigue must be the shorter.
    EXPECT_EQ(load->GetDlgItemText(TrainingLoadDialog::kFitnessDaysBox), "42");
    EXPECT_EQ(load->GetDlgItemText(TrainingLoadDialog::kFatigueDaysBox), "7");
    Retype(*load, TrainingLoadDialog::kMaxBox, "188");
    Retype(*load, TrainingLoadDialog::kRestBox, "");
    Retype(*load, TrainingLoadDialog::kStartBox, "0");
    TMessageBox::QueueAnswers({TMessageBox::kIdOk});
    Retype(*load, TrainingLoadDialog::kFatigueDaysBox, "50");
    Enter(*load);
    EXPECT_EQ(Messages().back(), "The fatigue days must be fewer than the fitness days.");
    EXPECT_EQ(UserInput::FocusedId(*load), TrainingLoadDialog::kFatigueDaysBox);
    Retype(*load, TrainingLoadDialog::kFitnessDaysBox, "60");
    Enter(*load);
    EXPECT_EQ(Setting(LoadProfile::kFitnessDaysName), "60");
    EXPECT_EQ(Setting(LoadProfile::kFatigueDaysName), "50");
}

// The range is the 91 days to today; the log starts 3 days back, 87 columns in: column n of 91
// starts at 56 + 430 n / 91, so day -3 spans x 467..470, day -1 x 476..480. The hard hour,
// unset sex: 60 x 0.85 x 0.725 x e^(1.795 x 0.85) = 170.0, the tallest bar (246..298); the
// run at 150 of 190 and 50: 112.0, 52 x 112.0 / 170.0 = 34 pixels (from 264).
TEST_F(TrainingLoadWindowTest, EstimatedDaysAndBuildingUpAreMarked) {
    StoreSeries();
    TrainingLoadDialog* load = OpenLoad();
    ASSERT_NE(load, nullptr);
    const auto image = Painted(*load);
    EXPECT_EQ(image->Pixel(468, 290), TrainingLoadDialog::kEstimatedBar);
    EXPECT_EQ(image->Pixel(468, 247), TrainingLoadDialog::kEstimatedBar);
    EXPECT_EQ(image->Pixel(477, 290), TrainingLoadDialog::kLoadBar);
    EXPECT_EQ(image->Pixel(477, 265), TrainingLoadDialog::kLoadBar);
    EXPECT_NE(image->Pixel(477, 262), TrainingLoadDialog::kLoadBar);
    // The pale ground from the log's first day on, none before it.
    EXPECT_GT(Count(*image, TRect{467, 116, 486, 236}, TrainingLoadDialog::kBuildingUp), 0);
    EXPECT_EQ(Count(*image, TRect{56, 116, 466, 236}, TrainingLoadDialog::kBuildingUp), 0);
    if (const char* dump = std::getenv("VELORIA_DUMP")) {
        UserInput::Shown(*load->Widget()).save(dump);
    }
}

TEST_F(TrainingLoadWindowTest, ALogbookChangeReloadsAtOnceAndTheDateStepsAfterThePause) {
    StoreSeries();
    TrainingLoadDialog* load = OpenLoad();
    ASSERT_NE(load, nullptr);
    const int reloads = load->Reloads();
    Store(Day(Key(0)).RestHeartRate(48).MaxHeartRate(196));
    load->SendMessage(res::kLogBookChanged);
    EXPECT_EQ(load->Reloads(), reloads + 1);
    // Untouched boxes follow the log.
    EXPECT_EQ(load->GetDlgItemText(TrainingLoadDialog::kMaxBox), "196");
    EXPECT_EQ(load->GetDlgItemText(TrainingLoadDialog::kRestBox), "48");

    Click(*load, selector::kPreviousEnd);
    EXPECT_EQ(load->Reloads(), reloads + 1);
    ASSERT_TRUE(load->HasTimer(res::kTrainingLoadReloadTimer));
    load->DeliverTimer(res::kTrainingLoadReloadTimer);
    EXPECT_EQ(load->Reloads(), reloads + 2);
    EXPECT_EQ(load->Selection().DaysInRange(), 90);

    // The speed menu offers the date steps and the named ranges of every range window.
    EXPECT_EQ(
        UserInput::ChooseFromSpeedMenu(*load, QPoint(300, 200), "+ Start Date"),
        (std::vector<std::string>{"+ Start Date", "- Start Date", "+ End Date", "- End Date", "",
                                  "Dates...", "", "Today", "This Week", "Last Week", "Last 7 Days",
                                  "Last 4 Weeks", "This Month", "Last Month", "Last 3 Months",
                                  "Year to Date", "Last 365 Days", "Last Year", "All"}));
    load->DeliverTimer(res::kTrainingLoadReloadTimer);
    EXPECT_EQ(load->Selection().DaysInRange(), 89);
}

} // namespace

// The distance/time/pace calculator beside the Log Book: it takes the Log Book's boxes,
// reads its own as the Log Book reads them, calculates on Enter and applies its values.
// The arithmetic is DtpCalculationTest's, the refusals DayFormTest's.
#include "editor/DtpCalculation.h"

#include "EditorFixture.h"

#include <vector>

namespace {

class CalcDTPDialogTest : public EditorFixture {
protected:
    // Opened from the Log Book's Calculate button.
    CalcDTPDialog* OpenCalculator() {
        Click(LogBookDialog::kCalculate);
        return dynamic_cast<CalcDTPDialog*>(client->Tool(res::kCalcDTPDialog));
    }
};

TEST_F(CalcDTPDialogTest, WorksOutPaceAndAppliesIt) {
    Type(Box(DayForm::kDistance), "7");
    Type(Box(DayForm::kTime), "1:00:00");
    CalcDTPDialog* dtp = OpenCalculator();
    ASSERT_NE(dtp, nullptr);
    EXPECT_EQ(dtp->GetDlgItemText(CalcDTPDialog::kDistance), "7.00");
    EXPECT_EQ(dtp->GetDlgItemText(CalcDTPDialog::kTime), "01:00:00");
    EXPECT_FALSE(dtp->IsDlgItemEnabled(CalcDTPDialog::kSpeed));
    // Enter in a box calculates.
    UserInput::Click(*dtp, CalcDTPDialog::kPace);
    UserInput::Enter(*dtp);
    EXPECT_EQ(dtp->GetDlgItemText(CalcDTPDialog::kPace), "00:08:34");
    UserInput::Click(*dtp, CalcDTPDialog::kApply);
    EXPECT_EQ(Shows(Box(DayForm::kDistance)), "7.00");
    EXPECT_EQ(Shows(Box(DayForm::kSpeed)), "7.00");
    EXPECT_FALSE(editor->Cache().Changed()); // filled, not yet read
    Click(LogBookDialog::kSaveDay);
    EXPECT_EQ(Stored(0)->time, 3600);
    EXPECT_EQ(Stored(0)->pace, 514);

    UserInput::Click(*dtp, CalcDTPDialog::kClear);
    EXPECT_EQ(dtp->GetDlgItemText(CalcDTPDialog::kDistance), "");
    UserInput::Type(*dtp, CalcDTPDialog::kDistance, "10");
    UserInput::Click(*dtp, CalcDTPDialog::kCalculate);
    Click(LogBookDialog::kClose);
    UserInput::Click(*dtp, CalcDTPDialog::kApply);
    EXPECT_EQ(
        Messages(),
        (std::vector<std::string>{
            "\n\nERROR:  \"" + std::string(DtpCalculation::kTooFewValues).substr(0, 243) + "\"",
            "\n\nERROR:  \"" + std::string(DtpCalculation::kEditorClosed) + "\""}));
}

// What the Log Book would refuse is refused here too, before it is calculated or applied.
TEST_F(CalcDTPDialogTest, TextsThatDoNotReadWholeAreRefused) {
    Type(Box(DayForm::kDistance), "8,2");
    CalcDTPDialog* dtp = OpenCalculator();
    ASSERT_NE(dtp, nullptr);
    EXPECT_EQ(dtp->GetDlgItemText(CalcDTPDialog::kDistance), "8,2") << "taken as it stands";
    const struct {
        int id;
        const char* typed;
        int button;
        const char* refusal;
    } cases[] = {
        {CalcDTPDialog::kDistance, "8,2", CalcDTPDialog::kCalculate,
         "Distance: \"8,2\" is not a number like 8.2."},
        {CalcDTPDialog::kTime, "90", CalcDTPDialog::kApply,
         "Time: \"90\" is not a duration like 50:00 or 1:05:00 (minutes and seconds below 60)."},
        {CalcDTPDialog::kPace, "5.30", CalcDTPDialog::kCalculate,
         "Pace: \"5.30\" is not a duration like 5:30 or 0:05:30 (minutes and seconds below 60)."},
    };
    for (const auto& c : cases) {
        Retype(*dtp, CalcDTPDialog::kDistance, "10");
        Retype(*dtp, CalcDTPDialog::kTime, "50:00");
        Retype(*dtp, CalcDTPDialog::kPace, "");
        Retype(*dtp, c.id, c.typed);
        TMessageBox::History().clear();
        UserInput::Click(*dtp, c.button);
        EXPECT_EQ(Messages(), std::vector<std::string>{c.refusal});
        EXPECT_EQ(UserInput::FocusedId(*dtp), c.id);
        EXPECT_EQ(SelectedText(*dtp), c.typed);
        EXPECT_EQ(dtp->GetDlgItemText(CalcDTPDialog::kSpeed), "0.00");
    }
    EXPECT_EQ(Shows(Box(DayForm::kDistance)), "8,2") << "nothing was applied";
}

} // namespace

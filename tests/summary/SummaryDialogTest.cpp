// The Summary window in the running program, driven by menu choices, clicks and keys: which
// rows it loads, the chart it draws from them, and where its rows lead. The figures are
// SummaryTableTest's.
#include "summary/SummaryDialog.h"
#include "editor/LogBookDialog.h"
#include "framework/TImageDC.h"
#include "framework/TLocale.h"
#include "framework/TMessageBox.h"
#include "framework/UserInput.h"
#include "goals/GoalIds.h"
#include "goals/GoalsDialog.h"
#include "shell/CommandIds.h"
#include "shell/DatesDialog.h"
#include "shell/ResourceIds.h"
#include "shell/Settings.h"
#include "store/ActivityStore.h"
#include "store/GoalStore.h"
#include "summary/SummaryButtons.h"

#include "ShellFixture.h"

#include <QListWidget>
#include <QLocale>

#include <gtest/gtest.h>

namespace {

using UserInput::Click;
using UserInput::ClickRow;
using UserInput::Press;
using B = SummaryButtons;
using D = SummaryDialog;

class SummaryDialogTest : public ShellFixture {
protected:
    void RegisterTools() override {
        Register<SummaryDialog>(res::kSummaryDialog);
        Register<LogBookDialog>(res::kLogBookDialog);
    }
    void SetUp() override {
        ShellFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        SetWeekStart("mon");
    }
    void TearDown() override {
        QLocale::setDefault(QLocale::c());
        ShellFixture::TearDown();
    }
    void SetWeekStart(const char* word) {
        client->Profile().WriteString(Settings::kSection, Settings::kWeekStartKey, word);
    }
    void StoreDay(int days, float km, std::int32_t seconds) {
        Store(Day(Key(days)).Distance(km).Time(seconds));
    }
    D* OpenSummary() { return Open<D>(cmd::kSummary, res::kSummaryDialog); }
    static std::vector<std::string> Choose(const D& summary, const std::string& item) {
        return UserInput::ChooseFromSpeedMenu(summary, QPoint(560, 30), item);
    }
    static std::string Shown(const D& summary) { return summary.GetDlgItemText(D::kRangeText); }
    void StoreGoal(std::int32_t first, std::int32_t last, double metres) {
        Goal goal;
        goal.span = Goal::Span::Dates;
        goal.first = first;
        goal.last = last;
        goal.amount = metres;
        ActivityStore store;
        store.Open(client->Database(), true);
        ASSERT_TRUE(GoalStore(store).Add(goal).Ok());
    }
    std::string Cell(const D& summary, int row, int column) const {
        return summary.Table().CellText(summary.Table().Rows().at(std::size_t(row)), column);
    }
    static std::unique_ptr<TImageDC> Painted(TWindow& window) {
        const TRect r = window.ClientRect();
        auto image = std::make_unique<TImageDC>(r.Width(), r.Height(), TColor::LightGray());
        window.PaintTo(image->DC(), true, r);
        image->Finish();
        return image;
    }
    static TPoint Middle(const TRect& r) {
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
};

TEST_F(SummaryDialogTest, OpensOnTwelveWeeksAndChartsTodaysWeekInRed) {
    StoreDay(0, 10, 3000);
    StoreDay(-7, 5, 1500);
    D* summary = OpenSummary();
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary->GetDlgItemText(D::kKindText), "WEEKS");
    EXPECT_EQ(summary->GetDlgItemText(D::kQuantityText), "DISTANCE");
    ASSERT_EQ(summary->ListCount(D::kTable), 12);
    EXPECT_EQ(summary->ListSelection(D::kTable), 0);
    EXPECT_EQ(summary->ListText(D::kTable, 0), summary->Table().Line(summary->Table().Rows()[0]));
    EXPECT_EQ(Cell(*summary, 0, SummaryTable::kDistance), "10.00");
    EXPECT_EQ(Cell(*summary, 0, SummaryTable::kVersusPrevious), "+100%"); // 10 against 5
    EXPECT_EQ(summary->GetDlgItemText(D::kTableHeader).rfind("Period", 0), 0U);

    // The chart's inside is 76 pixels high (78 + 1 .. 156 - 1): 10 km fills it, 5 km half.
    EXPECT_EQ(summary->BarRect(0).Height(), 76);
    EXPECT_EQ(summary->BarRect(1).Height(), 38);
    EXPECT_EQ(summary->BarRect(2).Height(), 0);
    // Twelve bars over 466 pixels, newest on the right: 466 * 11 / 12 = 427, from x 19.
    EXPECT_EQ(summary->BarRect(0).left, 19 + 427);
    const auto image = Painted(*summary);
    const TPoint today = Middle(summary->BarRect(0));
    const TPoint before = Middle(summary->BarRect(1));
    EXPECT_EQ(image->Pixel(today.x, today.y), D::kTodayColor);
    EXPECT_EQ(image->Pixel(before.x, before.y), D::kBarColor);
    EXPECT_EQ(image->Pixel(before.x, summary->BarRect(1).top - 2), TColor::White());
    EXPECT_EQ(image->Pixel(D::kChartRect.left, D::kChartRect.top + 5), TColor::Gray());
}

TEST_F(SummaryDialogTest, ButtonsAndTheSpeedMenuCycleThePeriodsAndTheQuantity) {
    StoreDay(-800, 4, 1200); // three calendar years back at least
    D* summary = OpenSummary();
    ASSERT_NE(summary, nullptr);
    Click(*summary, B::kPeriod);
    EXPECT_EQ(summary->GetDlgItemText(D::kKindText), "MONTHS");
    EXPECT_EQ(summary->ListCount(D::kTable), 12);
    Click(*summary, B::kPeriod);
    EXPECT_EQ(summary->GetDlgItemText(D::kKindText), "YEARS");
    // Every year from that of the day 800 days back: 3 rows, or 4 late in a leap year's
    // neighbour; never fewer than 3.
    EXPECT_GE(summary->ListCount(D::kTable), 3);
    EXPECT_EQ(summary->ListSelection(D::kTable), 0);
    EXPECT_EQ(UserInput::ChooseFromSpeedMenu(*summary, QPoint(560, 30), "Week / Month / Year"),
              (std::vector<std::string>{"Week / Month / Year", "Chart Quantity", "Earlier Periods",
                                        "Later Periods", "", "Dates...", "", "Today", "This Week",
                                        "Last Week", "Last 7 Days", "Last 4 Weeks", "This Month",
                                        "Last Month", "Last 3 Months", "Year to Date",
                                        "Last 365 Days", "Last Year", "All"}));
    EXPECT_EQ(summary->GetDlgItemText(D::kKindText), "WEEKS");
    Click(*summary, B::kQuantity);
    EXPECT_EQ(summary->GetDlgItemText(D::kQuantityText), "TIME");
    EXPECT_EQ(summary->ChartQuantity(), SummaryTable::Quantity::Time);
    Click(*summary, B::kQuantity);
    EXPECT_EQ(summary->GetDlgItemText(D::kQuantityText), "ACTIVITIES");
    Click(*summary, B::kQuantity);
    EXPECT_EQ(summary->GetDlgItemText(D::kQuantityText), "DISTANCE");
}

TEST_F(SummaryDialogTest, EarlierAndLaterStepThePeriodsButNeverPastToday) {
    StoreDay(0, 10, 3000);
    D* summary = OpenSummary();
    ASSERT_NE(summary, nullptr);
    const std::string newest = Cell(*summary, 0, SummaryTable::kPeriod);
    Click(*summary, B::kLater);
    EXPECT_EQ(Cell(*summary, 0, SummaryTable::kPeriod), newest);
    EXPECT_EQ(summary->Table().TodayRow(), 0);
    Click(*summary, B::kEarlier);
    Click(*summary, B::kEarlier);
    EXPECT_EQ(summary->ListCount(D::kTable), 12);
    EXPECT_EQ(summary->Table().TodayRow(), -1);
    EXPECT_EQ(Cell(*summary, 0, SummaryTable::kDistance), "0.00");
    Click(*summary, B::kLater);
    Click(*summary, B::kLater);
    EXPECT_EQ(Cell(*summary, 0, SummaryTable::kPeriod), newest);
    EXPECT_EQ(summary->Table().TodayRow(), 0);
}

TEST_F(SummaryDialogTest, TheSportListFiltersTheRowsByTheArrowKeys) {
    std::vector<ActivityRow> rows(1);
    rows[0].day = Key(0);
    rows[0].start = 1796000000;
    rows[0].sport = "Cycling";
    rows[0].metres = 30000;
    rows[0].movingSeconds = 3600;
    ActivityStore store;
    store.Open(client->Database(), true);
    ASSERT_TRUE(store.Change({}, rows, "km").Ok());
    store.Close();
    StoreDay(0, 30, 3600);
    StoreDay(-7, 5, 1500); // typed: the default sport's, running
    D* summary = OpenSummary();
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary->ListText(D::kSport, 0), "All sports");
    EXPECT_EQ(summary->ListText(D::kSport, 1), "Run");
    EXPECT_EQ(Cell(*summary, 0, SummaryTable::kDistance), "30.00");
    Click(*summary, D::kTable);
    UserInput::BackTab(*summary);
    UserInput::BackTab(*summary);
    ASSERT_EQ(UserInput::FocusedId(*summary), D::kSport);
    Press(*summary, Qt::Key_Down);
    EXPECT_EQ(summary->Table().Chosen().sport, "Run");
    EXPECT_EQ(Cell(*summary, 0, SummaryTable::kDistance), "0.00");
    EXPECT_EQ(Cell(*summary, 1, SummaryTable::kDistance), "5.00");
    Press(*summary, Qt::Key_Down);
    EXPECT_EQ(summary->Table().Chosen().sport, "Ride");
    EXPECT_EQ(Cell(*summary, 0, SummaryTable::kDistance), "30.00");
    EXPECT_EQ(Cell(*summary, 1, SummaryTable::kDistance), "0.00");
}

TEST_F(SummaryDialogTest, EnterOrADoubleClickOnARowOpensTheLogBookOnItsFirstEntry) {
    StoreDay(0, 10, 3000);
    StoreDay(-7, 5, 1500);
    D* summary = OpenSummary();
    ASSERT_NE(summary, nullptr);
    ClickRow(*summary, D::kTable, 1);
    EXPECT_EQ(summary->ListSelection(D::kTable), 1);
    UserInput::Enter(*summary);
    auto* editor = dynamic_cast<LogBookDialog*>(client->Tool(res::kLogBookDialog));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(client->Dates().KeyOfDate(editor->CurrentDate()), Key(-7));

    // The Log Book now lies over the Summary: the menu brings the Summary back on top, and a
    // double click's first press selects the row, as the server sends it.
    ASSERT_TRUE(UserInput::ChooseMenuItem(*frame, cmd::kSummary));
    ClickRow(*summary, D::kTable, 0);
    EXPECT_EQ(summary->ListSelection(D::kTable), 0);
    auto* list = qobject_cast<QListWidget*>(summary->Control(D::kTable));
    ASSERT_NE(list, nullptr);
    const QPoint at =
        list->viewport()->mapTo(list->window(), list->visualItemRect(list->item(0)).center());
    QTest::mouseDClick(UserInput::ShownWindow(*list), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(client->Dates().KeyOfDate(editor->CurrentDate()), Key(0));
}

TEST_F(SummaryDialogTest, ReloadsWhenTheLogbookChanges) {
    D* summary = OpenSummary();
    ASSERT_NE(summary, nullptr);
    const int reloads = summary->Reloads();
    EXPECT_EQ(Cell(*summary, 0, SummaryTable::kDistance), "0.00");
    ClickRow(*summary, D::kTable, 2);
    StoreDay(0, 7.5F, 2400);
    client->RefreshToolWindows(false);
    EXPECT_EQ(summary->ListSelection(D::kTable), 2);
    EXPECT_EQ(summary->Reloads(), reloads + 1);
    EXPECT_EQ(Cell(*summary, 0, SummaryTable::kDistance), "7.50");
    EXPECT_NE(summary->ListText(D::kTable, 0).find("7.50"), std::string::npos);
}

TEST_F(SummaryDialogTest, WeeksBeginOnTheSettingsDayElseTheLocales) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(TLocale::FirstWeekday(), 7);
    EXPECT_EQ(Settings::WeekStartOfWeekday(7), WeekStart::Sunday);
    EXPECT_EQ(Settings::WeekStartOfWeekday(6), WeekStart::Saturday);
    EXPECT_EQ(Settings::WeekStartOfWeekday(5), WeekStart::Monday); // a Friday: taken as Monday
    SetWeekStart("");
    D* summary = OpenSummary();
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary->Table().Chosen().weekStart, WeekStart::Sunday);
    EXPECT_EQ(Cell(*summary, 0, SummaryTable::kPeriod).rfind("week of ", 0), 0U);
    SetWeekStart("sat");
    client->RefreshToolWindows(false);
    EXPECT_EQ(summary->Table().Chosen().weekStart, WeekStart::Saturday);
    SetWeekStart("mon");
    client->RefreshToolWindows(false);
    EXPECT_EQ(Cell(*summary, 0, SummaryTable::kPeriod).substr(4, 2), "-W");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    EXPECT_EQ(TLocale::FirstWeekday(), 1);
}

TEST_F(SummaryDialogTest, PrintingDrawsTheTablesLinesWhereTheListStands) {
    StoreDay(0, 10, 3000);
    D* summary = OpenSummary();
    ASSERT_NE(summary, nullptr);
    const TRect list = summary->ControlRect(D::kTable);
    TImageDC sheet(summary->ClientRect().Width(), summary->ClientRect().Height(), TColor::White());
    summary->PaintForPrinting(sheet.DC(), summary->ClientRect());
    sheet.Finish();
    int black = 0;
    for (int y = list.top; y < list.bottom; ++y) {
        for (int x = list.left; x < list.right; ++x) {
            black += sheet.Pixel(x, y) == TColor::Black();
        }
    }
    EXPECT_GT(black, 100);
    const TPoint bar = Middle(summary->BarRect(0));
    EXPECT_EQ(sheet.Pixel(bar.x, bar.y), D::kTodayColor);
    // File > Print takes that sheet to the printer, here a PDF file.
    ASSERT_TRUE(UserInput::ChooseMenuItem(*frame, cmd::kPrint));
    EXPECT_EQ(PrintFolder(), std::vector<std::string>{"Veloria Screen.pdf"});
}

// A chosen range shows every period that holds it, with no limit on its length, and the
// steps then move the same number of periods.
TEST_F(SummaryDialogTest, TheSpeedMenusRangesShowThePeriodsHoldingThem) {
    Store(Day(20100105).Distance(3));
    StoreDay(-1, 4, 1200);
    TMessageBox::QueueAnswers({});
    D* summary = OpenSummary();
    ASSERT_NE(summary, nullptr);
    Click(*summary, B::kPeriod);
    Click(*summary, B::kPeriod);
    Choose(*summary, "All");
    // 2010 .. 2026, the years of the first and the last day: 17 rows, over 6,000 days.
    EXPECT_EQ(summary->ListCount(D::kTable), 17);
    EXPECT_EQ(Shown(*summary), "2010  to  2026");
    EXPECT_EQ(StatusText().find("days:"), std::string::npos) << "nothing was cut";

    ASSERT_TRUE(WhenShown<DatesDialog>([&] { Choose(*summary, "Dates..."); },
                                       [](DatesDialog& dates) {
                                           UserInput::Keys(dates, "2024-01-01");
                                           UserInput::Tab(dates);
                                           UserInput::Keys(dates, "2024-01-31");
                                           UserInput::Enter(dates);
                                       }));
    EXPECT_EQ(Shown(*summary), "2024  to  2024");
    Click(*summary, B::kPeriod); // years to weeks
    // Monday weeks: 1 January 2024 is a Monday, 31 January in the week of the 29th.
    EXPECT_EQ(summary->ListCount(D::kTable), 5);
    EXPECT_EQ(Shown(*summary), "2024-W01  to  2024-W05");
    Click(*summary, B::kEarlier);
    EXPECT_EQ(Shown(*summary), "2023-W52  to  2024-W04");
    Click(*summary, B::kLater);
    Click(*summary, B::kLater);
    EXPECT_EQ(Shown(*summary), "2024-W02  to  2024-W06");
}

// Goals over past dates, so that the figures do not depend on today.
TEST_F(SummaryDialogTest, ThePanelUnderTheTableShowsEachGoalAndFollowsItsChanges) {
    // 10 + 30 + 15 = 55 km in the first ten days of March 2025, one day before them.
    for (const auto& [key, km] : {std::pair{20250228, 50.0F}, std::pair{20250301, 10.0F},
                                  std::pair{20250302, 30.0F}, std::pair{20250305, 15.0F}}) {
        Store(Day(key).Distance(km));
    }
    StoreGoal(20250301, 20250310, 100000);
    D* summary = OpenSummary();
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary->Goals().Lines(),
              std::vector<std::string>{"2025-03-01..2025-03-10: 55 of 100 km, 45 km behind pace"});
    EXPECT_GE(summary->ControlRect(D::kGoalsArea).top, summary->ControlRect(D::kTable).bottom)
        << "the panel stands under the table";
    // Message 1000 weighs the goals again: one stored meanwhile shows. 55 of 50 km is 5 ahead.
    StoreGoal(20250301, 20250310, 50000);
    client->RefreshToolWindows(false);
    ASSERT_EQ(summary->Goals().Lines().size(), 2U);
    EXPECT_EQ(summary->Goals().Lines()[1],
              "2025-03-01..2025-03-10: 55 of 50 km, 5 km ahead of pace");
    // Removed in the Goals dialog: the Summary follows once it closes.
    TMessageBox::QueueAnswers({TMessageBox::kIdYes});
    ASSERT_TRUE(WhenShown<GoalsDialog>(
        [&] { ASSERT_TRUE(UserInput::ChooseMenuItem(*frame, goals::kCommand)); },
        [](GoalsDialog& goals) {
            UserInput::ClickRow(goals, GoalsDialog::kList, 0);
            Click(goals, GoalsDialog::kRemove);
            UserInput::Escape(goals);
        }));
    EXPECT_EQ(summary->Goals().Lines(),
              std::vector<std::string>{"2025-03-01..2025-03-10: 55 of 50 km, 5 km ahead of pace"});
}

} // namespace

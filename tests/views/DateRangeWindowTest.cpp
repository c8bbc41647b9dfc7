// The named ranges, the Dates dialog and the held date steps of the windows with a date
// range, and the Calendar's week and month figures, driven by clicks and keys in the
// running program. The ranges' arithmetic is DateRangePresetTest's; here, the wiring.
#include "editor/LogBookDialog.h"
#include "framework/TImageDC.h"
#include "framework/TMessageBox.h"
#include "framework/UserInput.h"
#include "shell/CommandIds.h"
#include "shell/DatesDialog.h"
#include "shell/ResourceIds.h"
#include "shell/Settings.h"
#include "views/CalendarDialog.h"
#include "views/GraphsDialog.h"
#include "views/SelectorIds.h"
#include "views/StatsDialog.h"

#include "ShellFixture.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>

#include <string>
#include <vector>

namespace {

using UserInput::Click;
using UserInput::Press;

class DateRangeWindowTest : public ShellFixture {
protected:
    void RegisterTools() override {
        Register<CalendarDialog>(res::kCalendarDialog);
        Register<StatsDialog>(res::kStatsDialog);
        Register<GraphsDialog>(res::kGraphsDialog);
        Register<LogBookDialog>(res::kLogBookDialog);
        TMessageBox::QueueAnswers({});
    }
    void TearDown() override {
        TMessageBox::QueueAnswers({TMessageBox::kIdNo});
        ShellFixture::TearDown();
    }
    StatsDialog* OpenStats() { return Open<StatsDialog>(cmd::kStatistics, res::kStatsDialog); }
    GraphsDialog* OpenGraphs() { return Open<GraphsDialog>(cmd::kGraphs, res::kGraphsDialog); }
    CalendarDialog* OpenCalendar() {
        return Open<CalendarDialog>(cmd::kCalendar, res::kCalendarDialog);
    }
    // A right click on the view's surface and the speed menu's item.
    static std::vector<std::string> Choose(const TWindow& view, const std::string& item) {
        return UserInput::ChooseFromSpeedMenu(view, QPoint(560, 30), item);
    }
    // Dates... from the speed menu, then what the user does in the dialog.
    static bool InDatesDialog(const TWindow& view, const std::function<void(DatesDialog&)>& act) {
        return WhenShown<DatesDialog>([&] { Choose(view, "Dates..."); }, act);
    }
    static std::string Range(const RangeViewDialog& view) {
        return view.GetDlgItemText(selector::kStartText) + " .. " +
               view.GetDlgItemText(selector::kEndText);
    }
    std::string Days(int first, int last) const {
        return LongDate(first) + " .. " + LongDate(last);
    }
};

// The import's preview once took the Dates dialog's number, and the last to register won.
TEST_F(DateRangeWindowTest, TheSpeedMenuOffersTheNamedRanges) {
    Store(Day(Key(-10)).Distance(5));
    Store(Day(Key(-2)).Distance(6));
    StatsDialog* stats = OpenStats();
    ASSERT_NE(stats, nullptr);
    const std::vector<std::string> offered = Choose(*stats, "Last 7 Days");
    EXPECT_EQ(offered, (std::vector<std::string>{"Day Type",     "+ Start Date",
                                                 "- Start Date", "+ End Date",
                                                 "- End Date",   "",
                                                 "Dates...",     "",
                                                 "Today",        "This Week",
                                                 "Last Week",    "Last 7 Days",
                                                 "Last 4 Weeks", "This Month",
                                                 "Last Month",   "Last 3 Months",
                                                 "Year to Date", "Last 365 Days",
                                                 "Last Year",    "All"}));
    EXPECT_EQ(Range(*stats), Days(-6, 0));
    EXPECT_EQ(stats->LoadedDays(), 7) << "a named range loads at once";
    Choose(*stats, "All");
    EXPECT_EQ(Range(*stats), Days(-10, -2));
    Choose(*stats, "Today");
    EXPECT_EQ(Range(*stats), Days(0, 0));
}

// The named weeks begin on the day the Summary's weeks do, from the speed menu and from the
// Dates dialog alike; whatever today is, the range's ends fall on these weekdays.
TEST_F(DateRangeWindowTest, NamedWeeksBeginOnTheSettingsDay) {
    StatsDialog* stats = OpenStats();
    ASSERT_NE(stats, nullptr);
    const auto weekdays = [](const std::string& range) {
        return range.substr(0, 3) + ".." + range.substr(range.find(" .. ") + 4, 3);
    };
    const struct {
        const char* setting;
        const char* first;
        const char* lastWeek; // its first and last weekday
    } cases[] = {
        {"mon", "MON", "MON..SUN"}, {"sat", "SAT", "SAT..FRI"}, {"sun", "SUN", "SUN..SAT"}};
    for (const auto& c : cases) {
        client->Profile().WriteString(Settings::kSection, Settings::kWeekStartKey, c.setting);
        Choose(*stats, "This Week");
        EXPECT_EQ(Range(*stats).substr(0, 3), c.first) << c.setting << ": " << Range(*stats);
        EXPECT_EQ(Range(*stats).substr(Range(*stats).size() - 12), LongDate(0).substr(5))
            << "this week ends today";
        Choose(*stats, "Last Week");
        EXPECT_EQ(weekdays(Range(*stats)), c.lastWeek) << c.setting;
        ASSERT_TRUE(InDatesDialog(*stats, [&](DatesDialog& dates) {
            UserInput::ClickRow(dates, DatesDialog::kRanges, 1); // This Week
            UserInput::Enter(dates);
        }));
        EXPECT_EQ(Range(*stats).substr(0, 3), c.first) << c.setting << " from the Dates dialog";
    }
}

TEST_F(DateRangeWindowTest, ARangeLongerThanTheLimitIsCutAndSaid) {
    Store(Day(Key(-2000)).Distance(5));
    Store(Day(Key(-1)).Distance(6));
    GraphsDialog* graphs = OpenGraphs();
    ASSERT_NE(graphs, nullptr);
    Choose(*graphs, "All");
    // 1825 days up to yesterday, both counted: from 1824 days before it.
    EXPECT_EQ(Range(*graphs), Days(-1825, -1));
    EXPECT_EQ(StatusText(), "The range held more than 1825 days: it shows the last 1825, from " +
                                DateUtility::KeyText(Key(-1825)) + " to " +
                                DateUtility::KeyText(Key(-1)) + ".");
}

TEST_F(DateRangeWindowTest, AllOfAnEmptyLogbookChangesNothing) {
    StatsDialog* stats = OpenStats();
    ASSERT_NE(stats, nullptr);
    TMessageBox::QueueAnswers({TMessageBox::kIdOk});
    Choose(*stats, "All");
    EXPECT_EQ(Messages(), std::vector<std::string>{"The logbook holds no days yet."});
    EXPECT_EQ(Range(*stats), Days(-30, 0));
}

TEST_F(DateRangeWindowTest, TypedDatesAreReadWholeOrRefused) {
    GraphsDialog* graphs = OpenGraphs();
    ASSERT_NE(graphs, nullptr);
    TMessageBox::QueueAnswers({TMessageBox::kIdOk, TMessageBox::kIdOk});
    ASSERT_TRUE(InDatesDialog(*graphs, [&](DatesDialog& dates) {
        EXPECT_EQ(UserInput::FocusedId(dates), DatesDialog::kFirstBox);
        EXPECT_EQ(dates.GetDlgItemText(DatesDialog::kFirstBox), DateUtility::KeyText(Key(-30)));
        UserInput::Keys(dates, "2026-02-30"); // over the selected text
        UserInput::Enter(dates);
        EXPECT_EQ(Messages().back(), "\"2026-02-30\" is not a date. Type a date from 1960-01-01 "
                                     "to 2100-12-31 as YYYY-MM-DD, or pick one in the calendar.");
        EXPECT_EQ(UserInput::FocusedId(dates), DatesDialog::kFirstBox);
        UserInput::Keys(dates, "2026-03-05");
        UserInput::Tab(dates);
        UserInput::Keys(dates, "2026-03-04");
        UserInput::Enter(dates);
        EXPECT_EQ(Messages().back(), "The first date comes after the last date.");
        EXPECT_EQ(UserInput::FocusedId(dates), DatesDialog::kLastBox);
        UserInput::Keys(dates, "2026-3-9");
        UserInput::Enter(dates);
        EXPECT_EQ(Messages().back(), "\"2026-3-9\" is not a date. Type a date from "
                                     "1960-01-01 to 2100-12-31 as YYYY-MM-DD, or pick one in "
                                     "the calendar.");
        EXPECT_EQ(UserInput::FocusedId(dates), DatesDialog::kLastBox);
        UserInput::Keys(dates, "2026-03-09");
        UserInput::Enter(dates);
    }));
    // 5 March 2026 was a Thursday, 9 March a Monday.
    EXPECT_EQ(Range(*graphs), "THR, MAR 05, 2026 .. MON, MAR 09, 2026");
    EXPECT_EQ(Messages().size(), 3u);
}

TEST_F(DateRangeWindowTest, TheMonthCalendarPicksIntoTheLastBoxByKeys) {
    StatsDialog* stats = OpenStats();
    ASSERT_NE(stats, nullptr);
    ASSERT_TRUE(InDatesDialog(*stats, [&](DatesDialog& dates) {
        UserInput::Keys(dates, "2024-02-28");
        UserInput::Tab(dates);
        UserInput::Keys(dates, "2024-02-28");
        UserInput::Tab(dates); // into the calendar, which shows the last box's day
        EXPECT_EQ(UserInput::FocusedId(dates), DatesDialog::kCalendar);
        Press(dates, Qt::Key_Right); // 29 February: a leap year
        EXPECT_EQ(dates.GetDlgItemText(DatesDialog::kLastBox), "2024-02-29");
        Press(dates, Qt::Key_Right);
        Press(dates, Qt::Key_Down); // 1 March, a week on
        EXPECT_EQ(dates.GetDlgItemText(DatesDialog::kLastBox), "2024-03-08");
        Press(dates, Qt::Key_PageDown);
        EXPECT_EQ(dates.GetDlgItemText(DatesDialog::kLastBox), "2024-04-08");
        Press(dates, Qt::Key_PageUp);
        Press(dates, Qt::Key_PageUp);
        Press(dates, Qt::Key_Left);
        EXPECT_EQ(dates.GetDlgItemText(DatesDialog::kLastBox), "2024-02-07");
        EXPECT_EQ(dates.GetDlgItemText(DatesDialog::kFirstBox), "2024-02-28");
        Press(dates, Qt::Key_Up); // 31 January, before the first date
        UserInput::BackTab(dates);
        UserInput::BackTab(dates); // into the first box; the calendar follows it
        // Round the other way into the calendar, past the buttons and the named ranges,
        // which the focus passing through leaves unpicked: it picks into the first box now.
        for (int i = 0; i < 4; ++i) {
            UserInput::BackTab(dates);
        }
        EXPECT_EQ(UserInput::FocusedId(dates), DatesDialog::kCalendar);
        EXPECT_EQ(dates.GetDlgItemText(DatesDialog::kLastBox), "2024-01-31");
        Press(dates, Qt::Key_PageUp);
        EXPECT_EQ(dates.GetDlgItemText(DatesDialog::kFirstBox), "2024-01-28");
        Press(dates, Qt::Key_Return);
    }));
    // 28 January 2024 was a Sunday; 31 January a Wednesday.
    EXPECT_EQ(Range(*stats), "SUN, JAN 28, 2024 .. WED, JAN 31, 2024");
}

// A double click on the picked day takes the dates, as Enter does.
TEST_F(DateRangeWindowTest, ADoubleClickOnTheMonthCalendarsDayTakesTheDates) {
    StatsDialog* stats = OpenStats();
    ASSERT_NE(stats, nullptr);
    ASSERT_TRUE(InDatesDialog(*stats, [&](DatesDialog& dates) {
        UserInput::Keys(dates, "2024-02-28");
        UserInput::Tab(dates);
        UserInput::Keys(dates, "2024-03-05");
        UserInput::Tab(dates); // into the calendar, which shows the last box's day
        Press(dates, Qt::Key_Right);
        auto* view = dates.Control(DatesDialog::kCalendar)->findChild<QAbstractItemView*>();
        ASSERT_NE(view, nullptr);
        UserInput::DoubleClickAt(*view->viewport(),
                                 view->visualRect(view->currentIndex()).center());
        QApplication::processEvents();
        if (dates.Widget() && dates.Widget()->isVisible()) {
            UserInput::Escape(dates); // not taken: the range stays as it was
        }
    }));
    // 28 February 2024 was a Wednesday, and so was 6 March, the day after the 5th.
    EXPECT_EQ(Range(*stats), "WED, FEB 28, 2024 .. WED, MAR 06, 2024");
}

TEST_F(DateRangeWindowTest, EscapeAndANamedRangeInTheDialog) {
    Store(Day(Key(-3)).Distance(5));
    StatsDialog* stats = OpenStats();
    ASSERT_NE(stats, nullptr);
    ASSERT_TRUE(InDatesDialog(*stats, [&](DatesDialog& dates) {
        UserInput::Keys(dates, "2020-01-01");
        UserInput::Escape(dates);
    }));
    EXPECT_EQ(Range(*stats), Days(-30, 0));
    ASSERT_TRUE(InDatesDialog(*stats, [&](DatesDialog& dates) {
        ASSERT_EQ(dates.ListCount(DatesDialog::kRanges), 12);
        UserInput::ClickRow(dates, DatesDialog::kRanges, 11); // All
        EXPECT_EQ(dates.GetDlgItemText(DatesDialog::kFirstBox), DateUtility::KeyText(Key(-3)));
        UserInput::ClickRow(dates, DatesDialog::kRanges, 3); // Last 7 Days
        EXPECT_EQ(dates.GetDlgItemText(DatesDialog::kFirstBox), DateUtility::KeyText(Key(-6)));
        EXPECT_EQ(dates.GetDlgItemText(DatesDialog::kLastBox), DateUtility::KeyText(Key(0)));
        UserInput::Enter(dates);
    }));
    EXPECT_EQ(Range(*stats), Days(-6, 0));
}

// A held step repeats after 400 ms, then every 50 ms; its release adds no step of its own.
TEST_F(DateRangeWindowTest, AHeldDateStepRepeats) {
    StatsDialog* stats = OpenStats();
    ASSERT_NE(stats, nullptr);
    UserInput::Hold(*stats, selector::kPreviousStart);
    ASSERT_TRUE(stats->HasTimer(res::kDateRepeatTimer));
    EXPECT_EQ(stats->TimerPeriod(res::kDateRepeatTimer), 400);
    EXPECT_EQ(stats->GetDlgItemText(selector::kStartText), LongDate(-30));
    stats->DeliverTimer(res::kDateRepeatTimer);
    EXPECT_EQ(stats->TimerPeriod(res::kDateRepeatTimer), 50);
    stats->DeliverTimer(res::kDateRepeatTimer);
    stats->DeliverTimer(res::kDateRepeatTimer);
    EXPECT_EQ(stats->GetDlgItemText(selector::kStartText), LongDate(-33));
    UserInput::Release(*stats, selector::kPreviousStart);
    EXPECT_FALSE(stats->HasTimer(res::kDateRepeatTimer));
    EXPECT_EQ(stats->GetDlgItemText(selector::kStartText), LongDate(-33));
    // Held again and let go off the button: no click follows, and the speed menu's step
    // after it is a step.
    UserInput::Hold(*stats, selector::kPreviousStart);
    stats->DeliverTimer(res::kDateRepeatTimer);
    EXPECT_EQ(stats->GetDlgItemText(selector::kStartText), LongDate(-34));
    QWidget* button = stats->Control(selector::kPreviousStart);
    QTest::mouseRelease(UserInput::ShownWindow(*button), Qt::LeftButton, Qt::NoModifier,
                        QPoint(5, 5));
    EXPECT_FALSE(stats->HasTimer(res::kDateRepeatTimer));
    Choose(*stats, "+ Start Date");
    EXPECT_EQ(stats->GetDlgItemText(selector::kStartText), LongDate(-33));
    // A click is one step, and the burst reloads once, after the pause.
    Click(*stats, selector::kNextEnd);
    EXPECT_EQ(stats->GetDlgItemText(selector::kEndText), LongDate(1));
    EXPECT_FALSE(stats->HasTimer(res::kDateRepeatTimer));
    stats->DeliverTimer(res::kStatsReloadTimer);
    EXPECT_EQ(stats->LoadedDays(), 35); // -33 .. 1
}

// The figures are CalendarMonthTest's; here, that they reach the page.
TEST_F(DateRangeWindowTest, TheCalendarShowsWeekAndMonthFigures) {
    const DateUtility& dates = client->Dates();
    DateValue first = today;
    first.day = 1;
    const int startColumn = dates.WeekdayOfMonthStart(today);
    Store(Day(dates.KeyOfDate(first)).Distance(5).Time(600));
    Store(Day(dates.KeyOfDate(first) + 1).Distance(7.5F).Time(1200)); // the 2nd
    CalendarDialog* calendar = OpenCalendar();
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->GetDlgItemText(CalendarDialog::kWeekTitle), "TOTAL");
    EXPECT_EQ(calendar->GetDlgItemText(CalendarDialog::kMonthTotal), "MONTH TOTAL:  12.50");
    TImageDC image(calendar->ClientRect().Width(), calendar->ClientRect().Height(),
                   TColor::LightGray());
    calendar->PaintTo(image.DC(), true, calendar->ClientRect());
    image.Finish();
    // The raised cell of each week and black figures in the rows that hold one.
    const int secondRow = (startColumn + 1) / 7;
    const TRect week = CalendarDialog::WeekRect(secondRow);
    EXPECT_EQ(image.Pixel(week.left, week.top), TColor::White());
    EXPECT_EQ(image.Pixel(week.right, week.bottom - 3), TColor::Gray());
    int black = 0;
    for (int row = 0; row < 6; ++row) {
        const TRect r = CalendarDialog::WeekRect(row);
        bool ink = false;
        for (int x = r.left + 1; x < r.right && !ink; ++x) {
            for (int y = r.top + 1; y < r.bottom && !ink; ++y) {
                ink = image.Pixel(x, y) == TColor::Black();
            }
        }
        black += ink;
    }
    EXPECT_EQ(black, startColumn == 6 ? 2 : 1); // a Saturday 1st puts the 2nd a row down
    Click(*calendar, selector::kCategory);
    EXPECT_EQ(calendar->GetDlgItemText(CalendarDialog::kMonthTotal), "MONTH TOTAL:  00:30:00");
    Click(*calendar, selector::kCategory); // pace: an average
    EXPECT_EQ(calendar->GetDlgItemText(CalendarDialog::kWeekTitle), "AVERAGE");
    EXPECT_EQ(calendar->GetDlgItemText(CalendarDialog::kMonthTotal), "MONTH AVERAGE:  --");
}

TEST_F(DateRangeWindowTest, ADoubleClickOnADayOpensTheLogBookThere) {
    const DateUtility& dates = client->Dates();
    CalendarDialog* calendar = OpenCalendar();
    ASSERT_NE(calendar, nullptr);
    // The 15th: every month has one, in the row and column of its weekday.
    const int place = dates.WeekdayOfMonthStart(today) + 14;
    const TRect cell = CalendarDialog::CellRect(place / 7, place % 7);
    const QPoint inside(cell.left + 10, cell.bottom - 4);
    UserInput::ClickAt(*calendar->Widget(), inside);
    EXPECT_FALSE(client->IsToolOpen(res::kLogBookDialog)) << "a single click does nothing";
    UserInput::DoubleClickAt(*calendar->Widget(), inside);
    auto* book = dynamic_cast<LogBookDialog*>(client->Tool(res::kLogBookDialog));
    ASSERT_NE(book, nullptr);
    DateValue fifteenth = today;
    fifteenth.day = 15;
    EXPECT_EQ(dates.KeyOfDate(book->CurrentDate()), dates.KeyOfDate(fifteenth));
    // An empty cell of the sixth row holds no day.
    const TRect empty = CalendarDialog::CellRect(5, 6);
    UserInput::DoubleClickAt(*calendar->Widget(), QPoint(empty.left + 10, empty.top + 10));
    EXPECT_EQ(dates.KeyOfDate(book->CurrentDate()), dates.KeyOfDate(fifteenth));
}

} // namespace

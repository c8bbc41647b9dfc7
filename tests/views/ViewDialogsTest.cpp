// The Calendar and Statistics windows in the running program, driven by mouse clicks on
// their buttons, and their paint checked pixel by pixel.
#include "framework/PixelChecks.h"
#include "framework/TImageDC.h"
#include "framework/TMessageBox.h"
#include "framework/UserInput.h"
#include "reports/ReportsDialog.h"
#include "shell/ClientWindow.h"
#include "shell/CommandIds.h"
#include "shell/ResourceIds.h"
#include "shell/ScreenDumpPrintout.h"
#include "views/CalendarDialog.h"
#include "views/GraphsDialog.h"
#include "views/SelectorIds.h"
#include "views/StatsDialog.h"

#include "ShellFixture.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using UserInput::Click;

constexpr TColor kBlack = TColor::Black();
constexpr TColor kWhite = TColor::White();
constexpr TColor kGray = TColor::Gray();
constexpr TColor kLightGray = TColor::LightGray();

class ViewDialogsTest : public ShellFixture {
protected:
    void RegisterTools() override {
        Register<CalendarDialog>(res::kCalendarDialog);
        Register<StatsDialog>(res::kStatsDialog);
        Register<GraphsDialog>(res::kGraphsDialog);
        Register<ReportsDialog>(res::kReportsDialog);
    }
    void Store(int days, float distance, std::int32_t time, char competition) {
        ShellFixture::Store(Day(Key(days)).Distance(distance).Time(time).Competition(competition));
    }
    // The dialog's own paint on a light grey image, as the screen and the printer get it.
    static std::unique_ptr<TImageDC> Painted(TWindow& window) {
        const TRect client = window.ClientRect();
        auto image =
            std::make_unique<TImageDC>(client.Width(), client.Height(), TColor::LightGray());
        window.PaintTo(image->DC(), true, client);
        image->Finish();
        return image;
    }
    // Whether any pixel of the rectangle has the colour.
    static bool Shows(const TImageDC& image, const TRect& r, TColor color) {
        return Count(image, r, color) > 0;
    }
    // The sheet File > Print makes of a view: its paint scaled up evenly onto a letter page of
    // 150 pixels per inch, the client area (594 pixels wide, the Calendar's 681) across it.
    static double SheetScale(const TWindow& view) { return 1275.0 / view.ClientRect().Width(); }
    static std::unique_ptr<TImageDC> PrintedSheet(TWindow& view) {
        auto sheet = std::make_unique<TImageDC>(1275, 1650, TColor::White(), 150);
        ScreenDumpPrintout printout("Veloria Screen", view);
        printout.SetPrintParams(&sheet->DC(), TSize{1275, 1650});
        TRect band{0, 0, 1275, 1650};
        printout.PrintPage(1, band, 0);
        sheet->Finish();
        return sheet;
    }
    // How many rows of a rectangle (in the view's pixels) hold black on the sheet, in the
    // view's pixels: the height of the text there.
    static double PrintedInkRows(const TImageDC& sheet, const TRect& r, double kSheetScale) {
        const int left = int(r.left * kSheetScale);
        const int right = int(r.right * kSheetScale);
        int rows = 0;
        for (int y = int(r.top * kSheetScale); y < int(r.bottom * kSheetScale); ++y) {
            rows += Shows(sheet, TRect{left, y, right, y + 1}, kBlack);
        }
        return rows / kSheetScale;
    }
    StatsDialog* OpenStats() { return Open<StatsDialog>(cmd::kStatistics, res::kStatsDialog); }
    GraphsDialog* OpenGraphs() { return Open<GraphsDialog>(cmd::kGraphs, res::kGraphsDialog); }
    CalendarDialog* OpenCalendar() {
        return Open<CalendarDialog>(cmd::kCalendar, res::kCalendarDialog);
    }
};

TEST_F(ViewDialogsTest, StatisticsShowsTheLast31DaysOfTheLogbook) {
    Store(0, 10, 1800, 'N');
    Store(-3, 5, 3600, 'Y');
    Store(-40, 7, 60, 'N'); // outside the default range
    StatsDialog* stats = OpenStats();
    ASSERT_NE(stats, nullptr);
    EXPECT_EQ(stats->GetDlgItemText(selector::kDayTypeText), "ALL DAYS   ");
    EXPECT_EQ(stats->GetDlgItemText(selector::kStartText), LongDate(-30));
    EXPECT_EQ(stats->GetDlgItemText(selector::kEndText), LongDate(0));

    const auto image = Painted(*stats);
    // The figures are StatisticsTableTest's; here, that the last 31 days were read.
    EXPECT_EQ(stats->Table().CellText(StatisticsTable::kDistance, StatisticsTable::kEntries,
                                      client->Dates()),
              "    2.00");
    // The grid: its grey frame from (14, 80), right and bottom edges left out; row and
    // column lines; the light grey inside.
    ExpectPixels(*image, kGray, {{14, 80}, {489, 316}, {300, 296}, {84, 200}, {424, 90}});
    EXPECT_NE(image->Pixel(490, 200), kGray);
    EXPECT_EQ(image->Pixel(150, 100), kLightGray);
    // The Entries cell of the Distance row holds black text on light grey.
    const TPoint cell =
        StatsDialog::CellOrigin(StatisticsTable::kDistance, StatisticsTable::kEntries);
    EXPECT_TRUE(Shows(*image, TRect::OfSize(cell.x, cell.y, 59, 18), kBlack));
}

TEST_F(ViewDialogsTest, ABurstOfStepsReloadsOnceAfterThePause) {
    StatsDialog* stats = OpenStats();
    ASSERT_NE(stats, nullptr);
    const int reloads = stats->Reloads();
    for (int i = 1; i <= 5; ++i) {
        Click(*stats, selector::kPreviousStart);
        EXPECT_EQ(stats->GetDlgItemText(selector::kStartText), LongDate(-30 - i));
    }
    EXPECT_EQ(stats->Reloads(), reloads);
    EXPECT_EQ(stats->LoadedDays(), 31);
    ASSERT_TRUE(stats->HasTimer(res::kStatsReloadTimer));
    EXPECT_EQ(stats->TimerPeriod(res::kStatsReloadTimer), 500);
    stats->DeliverTimer(res::kStatsReloadTimer);
    EXPECT_EQ(stats->Reloads(), reloads + 1);
    EXPECT_EQ(stats->LoadedDays(), 36);
    EXPECT_FALSE(stats->HasTimer(res::kStatsReloadTimer));

    // A one-day range refuses to shrink, and a refused step starts no timer.
    for (int i = 0; i < 35; ++i) {
        Click(*stats, selector::kNextStart);
    }
    stats->DeliverTimer(res::kStatsReloadTimer);
    EXPECT_EQ(stats->Selection().DaysInRange(), 1);
    Click(*stats, selector::kNextStart);
    Click(*stats, selector::kPreviousEnd);
    EXPECT_FALSE(stats->HasTimer(res::kStatsReloadTimer));

    // The day type cycles, and the logbook-changed message reloads at once.
    Click(*stats, selector::kDayType);
    EXPECT_EQ(stats->GetDlgItemText(selector::kDayTypeText), "TRAINING   ");
    stats->SendMessage(res::kLogBookChanged);
    EXPECT_EQ(stats->Reloads(), reloads + 3);
    EXPECT_FALSE(stats->HasTimer(res::kStatsReloadTimer));
}

// The month's cells are CalendarMonthTest's; here, that today's entry reaches its cell and
// the buttons step the month.
TEST_F(ViewDialogsTest, TheCalendarPaintsTodaysEntryAndStepsItsMonth) {
    Store(0, 12.5F, 0, 'Y');
    CalendarDialog* calendar = OpenCalendar();
    ASSERT_NE(calendar, nullptr);
    const DateUtility& dates = client->Dates();
    EXPECT_EQ(calendar->GetDlgItemText(CalendarDialog::kMonthText), dates.MonthText(today));
    EXPECT_EQ(calendar->GetDlgItemText(selector::kCategoryText), "DISTANCE   ");
    // The teal box of a competition day, and the yellow number of today.
    const int place = dates.WeekdayOfMonthStart(today) + today.day - 1;
    const auto [left, top] = CalendarDialog::DayOrigin(place / 7, place % 7);
    const auto image = Painted(*calendar);
    const TRect cell = CalendarDialog::CellRect(place / 7, place % 7); // raised
    EXPECT_EQ(image->Pixel(cell.left, cell.top), kWhite);
    EXPECT_EQ(image->Pixel(cell.right, cell.top + 5), kGray);
    ExpectPixels(*image, CalendarDialog::kCompetitionBox,
                 {{left + 1, top + 9}, {left + 55, top + 23}});
    EXPECT_TRUE(Shows(*image, TRect::OfSize(left + 21, top - 4, 19, 1), CalendarDialog::kToday));

    Click(*calendar, CalendarDialog::kNextMonth);
    DateValue next = today;
    dates.NextMonth(next);
    EXPECT_EQ(calendar->GetDlgItemText(CalendarDialog::kMonthText), dates.MonthText(next));
    Click(*calendar, CalendarDialog::kPreviousYear);
    Click(*calendar, CalendarDialog::kNextYear);
    Click(*calendar, CalendarDialog::kPreviousMonth);
    EXPECT_EQ(calendar->GetDlgItemText(CalendarDialog::kMonthText), dates.MonthText(today));
}

TEST_F(ViewDialogsTest, GraphsDrawEachKindAtItsPixels) {
    // Five days of 5 km then one of 10: an axis of 10, so 5 km stand 100 pixels high.
    for (int day = -5; day <= -1; ++day) {
        Store(day, 5, 0, 'N');
    }
    Store(0, 10, 0, 'N');
    GraphsDialog* graphs = OpenGraphs();
    ASSERT_NE(graphs, nullptr);
    EXPECT_EQ(graphs->CurrentKind(), GraphsDialog::Kind::Bar);
    auto image = Painted(*graphs);
    // Grid, axes and a 3-pixel tick; bar 0 between grid lines 0 and 1 (x 88..101): body,
    // magenta top and left edge, shadow; above it the background; the baseline below it is
    // not the bar's.
    ExpectPixels(*image, kGray, {{87, 200}, {300, 209}, {85, 288}, {88 + 6, 289}});
    EXPECT_EQ(image->Pixel(88 + 6, 250), GraphsDialog::kBody);
    ExpectPixels(*image, GraphsDialog::kEdge, {{88 + 6, 189}, {88 + 1, 250}, {88 + 2, 250}});
    ExpectPixels(*image, kBlack, {{88 + 11, 250}, {88 + 12, 250}});
    EXPECT_EQ(image->Pixel(88 + 6, 188), kLightGray);

    Click(*graphs, GraphsDialog::kLineGraph);
    EXPECT_EQ(graphs->CurrentKind(), GraphsDialog::Kind::Line);
    image = Painted(*graphs);
    // Point 0 on grid line 1 (x 101): highlight above, main line, shadow below, white dot.
    EXPECT_EQ(image->Pixel(107, 187), GraphsDialog::kEdge);
    EXPECT_EQ(image->Pixel(107, 189), GraphsDialog::kBody);
    EXPECT_EQ(image->Pixel(107, 192), kBlack);
    ExpectPixels(*image, kWhite, {{101, 189}, {166, 89}}); // the last point: 10 at the top

    Click(*graphs, GraphsDialog::kAreaGraph);
    image = Painted(*graphs);
    EXPECT_EQ(image->Pixel(107, 250), GraphsDialog::kBody);
    EXPECT_NE(image->Pixel(101, 189), kWhite); // no dots

    Click(*graphs, GraphsDialog::kMovingAverage);
    image = Painted(*graphs);
    // Two averages (5 and 6) from grid line 5 (x 153): a yellow line from 100 to 120 pixels
    // up, (153, 189) to (166, 169).
    EXPECT_EQ(image->Pixel(153, 189), kWhite); // its first dot
    EXPECT_EQ(image->Pixel(160, 178), GraphsDialog::kAverage);

    // A new category lays the graph out again without reading the logbook.
    const int reloads = graphs->Reloads();
    Click(*graphs, selector::kCategory);
    Click(*graphs, selector::kCategory);
    EXPECT_EQ(graphs->GetDlgItemText(selector::kCategoryText), "PACE       ");
    Painted(*graphs);
    EXPECT_EQ(graphs->Series().Labels(client->Dates())[10], "00:10:00");
    EXPECT_EQ(graphs->Reloads(), reloads);
    EXPECT_FALSE(graphs->HasTimer(res::kGraphsReloadTimer));
}

// Enter presses the default selector (Day Type, with the focus first) or the focused one, Tab
// walks the buttons, and the speed menus offer the selectors' commands.
TEST_F(ViewDialogsTest, EnterTabAndTheSpeedMenuReachTheSelectors) {
    StatsDialog* stats = OpenStats();
    ASSERT_NE(stats, nullptr);
    EXPECT_EQ(UserInput::FocusedId(*stats), selector::kDayType);
    UserInput::Enter(*stats);
    EXPECT_EQ(stats->GetDlgItemText(selector::kDayTypeText), "TRAINING   ");
    UserInput::Tab(*stats);
    EXPECT_EQ(UserInput::FocusedId(*stats), selector::kNextStart);
    UserInput::Tab(*stats);
    EXPECT_EQ(UserInput::FocusedId(*stats), selector::kPreviousStart);
    UserInput::Enter(*stats);
    EXPECT_EQ(stats->GetDlgItemText(selector::kStartText), LongDate(-31));
    EXPECT_EQ(UserInput::ChooseFromSpeedMenu(*stats, QPoint(300, 200), "Day Type"),
              (std::vector<std::string>{"Day Type",     "+ Start Date",
                                        "- Start Date", "+ End Date",
                                        "- End Date",   "",
                                        "Dates...",     "",
                                        "Today",        "This Week",
                                        "Last Week",    "Last 7 Days",
                                        "Last 4 Weeks", "This Month",
                                        "Last Month",   "Last 3 Months",
                                        "Year to Date", "Last 365 Days",
                                        "Last Year",    "All"}));
    EXPECT_EQ(stats->GetDlgItemText(selector::kDayTypeText), "COMPETITION");

    CalendarDialog* calendar = OpenCalendar();
    ASSERT_NE(calendar, nullptr);
    UserInput::Enter(*calendar);
    EXPECT_EQ(calendar->GetDlgItemText(selector::kCategoryText), "TIME       ");
    EXPECT_EQ(UserInput::ChooseFromSpeedMenu(*calendar, QPoint(300, 200), "Category"),
              (std::vector<std::string>{"Category", "+ One Month", "- One Month", "+ One Year",
                                        "- One Year"}));
    EXPECT_EQ(calendar->GetDlgItemText(selector::kCategoryText), "PACE       ");
}

TEST_F(ViewDialogsTest, PrintingAViewPutsItsPaintOnOneSheet) {
    OpenStats();
    UserInput::ChooseMenuItem(*frame, cmd::kPrint);
    OpenGraphs();
    UserInput::ChooseMenuItem(*frame, cmd::kPrint);
    EXPECT_EQ(PrintFolder(),
              (std::vector<std::string>{"Veloria Screen 2.pdf", "Veloria Screen.pdf"}));
    EXPECT_TRUE(TMessageBox::History().empty());
}

// Text on paper is as large against the sheet as on screen, where the 11-pixel font the
// context starts with writes the titles: a capital or a digit 8 pixels high, "Graph
// containing" from the top of its "G" to the foot of its "g" 10.
TEST_F(ViewDialogsTest, PrintedTitlesKeepTheirSizeAgainstTheSheet) {
    StatsDialog* stats = OpenStats();
    CalendarDialog* calendar = OpenCalendar();
    GraphsDialog* graphs = OpenGraphs();
    ASSERT_TRUE(stats && calendar && graphs);
    // The 10th's number, over its cell.
    const int tenth = client->Dates().WeekdayOfMonthStart(today) + 9;
    const auto [left, top] = CalendarDialog::DayOrigin(tenth / 7, tenth % 7);
    const struct {
        TWindow* view;
        TRect text;
        double rows;
    } titles[] = {
        {stats, {17, 108, 83, 127}, 8}, // "Distance"
        {stats, {85, 82, 151, 106}, 8}, // "Entries"
        {calendar, {left + 15, top - 10, left + 45, top + 4}, 8},
        {graphs, {0, 0, 300, 16}, 10}, // the heading, on paper only
    };
    for (const auto& title : titles) {
        const auto sheet = PrintedSheet(*title.view);
        EXPECT_NEAR(PrintedInkRows(*sheet, title.text, SheetScale(*title.view)), title.rows, 1)
            << title.view->Title();
    }
}

// The header's "to:" between the dates ends in its colon on screen: the last column with ink
// holds two dots, not the round of the "o".
TEST_F(ViewDialogsTest, TheDateRangeHeaderShowsTheColonOfTo) {
    const std::pair<int, int> views[] = {{cmd::kStatistics, res::kStatsDialog},
                                         {cmd::kGraphs, res::kGraphsDialog},
                                         {cmd::kReports, res::kReportsDialog}};
    for (const auto& [command, resource] : views) {
        ASSERT_TRUE(UserInput::ChooseMenuItem(*frame, command));
        QLabel* to = nullptr;
        for (QLabel* label : client->Tool(resource)->Widget()->findChildren<QLabel*>()) {
            to = label->text() == "to:" ? label : to;
        }
        ASSERT_NE(to, nullptr) << command;
        const QImage shown = UserInput::Shown(*to);
        int last = -1;
        for (int x = 0; x < shown.width(); ++x) {
            for (int y = 0; y < shown.height(); ++y) {
                last = qGray(shown.pixel(x, y)) < 96 ? x : last;
            }
        }
        ASSERT_GE(last, 0) << command;
        int runs = 0;
        for (int y = 0; y < shown.height(); ++y) {
            const bool ink = qGray(shown.pixel(last, y)) < 96;
            runs += ink && (y == 0 || qGray(shown.pixel(last, y - 1)) >= 96);
        }
        EXPECT_EQ(runs, 2) << command;
    }
}

} // namespace

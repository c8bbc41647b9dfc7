#include "summary/SummaryDialog.h"

#include "activities/ActivitySports.h"
#include "framework/TDC.h"
#include "framework/TResources.h"
#include "goals/GoalBook.h"
#include "shell/ClientWindow.h"
#include "shell/DateRangeMenu.h"
#include "shell/ResourceIds.h"
#include "shell/Settings.h"
#include "shell/ToolPage.h"
#include "store/ActivityStore.h"
#include "summary/SummaryButtons.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const TFont kTableFont{"Courier New", -9, TFont::kNormal};
// The Summary sums any range, so a chosen one is never cut.
constexpr int kNoLimit = std::numeric_limits<int>::max();
// The page grows by the goals panel's place under the work area.
constexpr int kGoalsHeight = 80;

const char* KindText(PeriodKind kind) {
    switch (kind) {
    case PeriodKind::Week:
        return "WEEKS";
    case PeriodKind::Month:
        return "MONTHS";
    case PeriodKind::Year:
        break;
    }
    return "YEARS";
}

const char* QuantityText(SummaryTable::Quantity quantity) {
    switch (quantity) {
    case SummaryTable::Quantity::Distance:
        return "DISTANCE";
    case SummaryTable::Quantity::Time:
        return "TIME";
    case SummaryTable::Quantity::Activities:
        break;
    }
    return "ACTIVITIES";
}

} // namespace

void SummaryDialog::RegisterTemplate() {
    using K = TControlKind;
    using C = TControlTemplate;
    using P = ToolPage;
    TDialogTemplate t = P::Page({
        P::Cell(0, 96),
        P::Cell(96, 96),
        P::Cell(192, 204),
        P::Centred(kKindText, 4, 2, 88, 8),
        P::Centred(kQuantityText, 100, 2, 88, 8),
        P::Centred(kRangeText, 196, 2, 196, 8),
        P::Label(8, 20, 24, "Sport:"),
        {K::DropDownList, kSport, 34, 18, 90, 120, "", 0, 0},
        {K::Button, kGoToDay, 264, 17, 60, 14, "Go to Day", C::kDefault, 0},
        P::WorkArea(),
        P::Divider(5, 204),
        // Over the list's text, which starts inside its frame and the line's margin.
        {K::Static, kTableHeader, 15, 98, 309, 8, "", 0, 0},
        {K::ListBox, kTable, 12, 107, 312, 86, "", 0, 0},
        {K::Static, kGoalsArea, 8, 200, 320, kGoalsHeight - 4, "", 0, 0},
    });
    t.cy += kGoalsHeight;
    P::AddRightColumn(t, {SummaryButtons::kPeriod, SummaryButtons::kQuantity,
                          SummaryButtons::kEarlier, SummaryButtons::kLater});
    TResources::AddDialog(res::kSummaryDialog, t);
    TMenuItem menu = P::SpeedMenu("Summary Speed Menu", SummaryButtons::kButtons);
    for (TMenuItem& item : DateRangeMenu::Items()) {
        menu.items.push_back(std::move(item));
    }
    P::AddSpeedMenu(res::kSummaryDialog, std::move(menu));
}

SummaryDialog::SummaryDialog(ClientWindow& client)
    : ToolDialog(client, res::kSummaryDialog), goalsPanel(this) {
    AddAutoCreateChild(goalsPanel);
    for (const int command : DateRangeMenu::Commands()) {
        OnCommand(command, [this, command] { ChooseFromMenu(command); });
    }
    OnCommand(SummaryButtons::kPeriod, [this] {
        choice.kind = choice.kind == PeriodKind::Week    ? PeriodKind::Month
                      : choice.kind == PeriodKind::Month ? PeriodKind::Year
                                                         : PeriodKind::Week;
        Reload();
    });
    OnCommand(SummaryButtons::kQuantity, [this] {
        quantity = quantity == SummaryTable::Quantity::Distance ? SummaryTable::Quantity::Time
                   : quantity == SummaryTable::Quantity::Time   ? SummaryTable::Quantity::Activities
                                                                : SummaryTable::Quantity::Distance;
        ShowHeader();
        InvalidateRect(kChartRect, true);
    });
    OnCommand(SummaryButtons::kEarlier, [this] { Shift(false); });
    OnCommand(SummaryButtons::kLater, [this] { Shift(true); });
    OnCommand(kGoToDay, [this] { GoToDay(); });
    OnNotify(kTable, Notify::ListDoubleClick, [this] { GoToDay(); });
    OnNotify(kSport, Notify::ComboSelChange, [this] {
        const int line = ListSelection(kSport);
        choice.sport = line > 0 ? ListText(kSport, line) : std::string();
        Reload();
    });
    OnMessage(res::kLogBookChanged, [this](std::uint64_t, std::int64_t) {
        // The same periods come back: the row the user stood on stays chosen.
        const int selected = ListSelection(kTable);
        Reload();
        if (selected >= 0 && selected < ListCount(kTable)) {
            ListSetSelection(kTable, selected);
        }
        return 0;
    });
}

void SummaryDialog::SetupWindow() {
    ToolDialog::SetupWindow();
    SetControlFont(kTableHeader, kTableFont);
    SetControlFont(kTable, kTableFont);
    ListAddString(kSport, kAllSports);
    for (const std::string_view word : ActivitySports::Words()) {
        ListAddString(kSport, std::string(word));
    }
    ListSetSelection(kSport, 0);
    const TRect area = ControlRect(kGoalsArea);
    goalsPanel.MoveWindow(area.left, area.top);
    goalsPanel.SetSize(area.Width(), area.Height());
    goalsPanel.Show(TShowMode::Normal);
    Reload();
}

void SummaryDialog::Reload() {
    ++reloads;
    DateValue today;
    Client().Dates().Today(today);
    choice.weekStart = Settings::ReadWeekStart(Client().Profile());
    // A damaged activities file is the Log Book's to report; here the days count alone.
    ActivityStore activities;
    const bool withActivities = activities.Open(Client().Database(), false).Ok();
    const std::int32_t todayKey = Client().Dates().KeyOfDate(today);
    table.Load(Client().Database(), withActivities ? &activities : nullptr, choice, todayKey);
    ReloadGoals(withActivities ? &activities : nullptr, todayKey);
    ListClear(kTable);
    for (const SummaryTable::Row& row : table.Rows()) {
        ListAddString(kTable, table.Line(row));
    }
    if (!table.Rows().empty()) {
        ListSetSelection(kTable, std::max(table.TodayRow(), 0));
    }
    // Every line is as wide as the header in the fixed-width type: the list's own scroll
    // range fits them, without measuring each line.
    ShowHeader();
    InvalidateRect(kChartRect, true);
}

void SummaryDialog::ReloadGoals(ActivityStore* activities, std::int32_t today) {
    std::vector<GoalProgress::State> states;
    // Goals live in the activities file: without it there are none to show.
    if (activities) {
        GoalBook::Load(Client().Database(), *activities, Client().Dates(), today, choice.weekStart,
                       states);
    }
    goalsPanel.ShowGoals(std::move(states),
                         GoalText(Client().Dates(), activities ? activities->Unit() : "km"));
}

void SummaryDialog::ChooseFromMenu(int command) {
    const std::vector<SummaryTable::Row>& rows = table.Rows();
    DateValue today;
    Client().Dates().Today(today);
    const std::int32_t todayKey = Client().Dates().KeyOfDate(today);
    const DayRange shown = rows.empty()
                               ? DayRange{todayKey, todayKey}
                               : DayRange{rows.back().period.FirstDay(),
                                          std::min(rows.front().period.LastDay(), todayKey)};
    if (const std::optional<DayRange> range =
            DateRangeMenu::Choose(command, *this, Client(), shown, kNoLimit)) {
        choice.from = range->first;
        choice.to = range->last;
        Reload();
    }
}

void SummaryDialog::ShowHeader() {
    SetDlgItemText(kKindText, KindText(choice.kind));
    SetDlgItemText(kQuantityText, QuantityText(quantity));
    const std::vector<SummaryTable::Row>& rows = table.Rows();
    SetDlgItemText(kRangeText, rows.empty() ? std::string()
                                            : rows.back().period.Label() + "  to  " +
                                                  rows.front().period.Label());
    SetDlgItemText(kTableHeader, table.HeaderLine());
}

void SummaryDialog::Shift(bool later) {
    DateValue today;
    Client().Dates().Today(today);
    const std::int32_t todayKey = Client().Dates().KeyOfDate(today);
    const Period newest =
        Period::Containing(choice.to != 0 ? choice.to : todayKey, choice.kind, choice.weekStart);
    // The rows end at today's period at the latest: later ones hold nothing yet.
    if (later && newest.Holds(todayKey)) {
        return;
    }
    const Period next = later ? newest.Next() : newest.Previous();
    if (choice.from != 0) {
        // A chosen range keeps its number of periods as it moves.
        const Period oldest = Period::Containing(choice.from, choice.kind, choice.weekStart);
        choice.from = (later ? oldest.Next() : oldest.Previous()).FirstDay();
    }
    choice.to = next.Holds(todayKey) ? 0 : next.LastDay();
    Reload();
}

void SummaryDialog::ChooseRange(std::int32_t from, std::int32_t to) {
    choice.from = from;
    choice.to = to;
    Reload();
}

void SummaryDialog::GoToDay() {
    const int line = ListSelection(kTable);
    const std::vector<SummaryTable::Row>& rows = table.Rows();
    if (line < 0 || line >= static_cast<int>(rows.size())) {
        return;
    }
    const SummaryTable::Row& row = rows[static_cast<std::size_t>(line)];
    const std::int32_t key =
        row.figures.firstEntry != 0 ? row.figures.firstEntry : row.period.FirstDay();
    if (!Client().IsToolOpen(res::kLogBookDialog)) {
        Client().OpenLogBook();
    }
    if (TDialog* editor = Client().Tool(res::kLogBookDialog)) {
        editor->SendMessage(res::kGoToDay, 0, key);
    }
}

double SummaryDialog::Most() const {
    double most = 0;
    for (const SummaryTable::Row& r : table.Rows()) {
        most = std::max(most, SummaryTable::Value(r.figures, quantity));
    }
    return most;
}

TRect SummaryDialog::BarRect(int row) const {
    return BarRect(row, Most());
}

TRect SummaryDialog::BarRect(int row, double most) const {
    const std::vector<SummaryTable::Row>& rows = table.Rows();
    const int count = static_cast<int>(rows.size());
    if (row < 0 || row >= count) {
        return {};
    }
    const TRect inside{kChartRect.left + 1, kChartRect.top + 1, kChartRect.right - 1,
                       kChartRect.bottom - 1};
    // Oldest on the left: row 0, the newest, takes the rightmost place.
    const int place = count - 1 - row;
    const int left = inside.left + place * inside.Width() / count;
    int right = inside.left + (place + 1) * inside.Width() / count;
    if (right - left > 2) {
        --right; // a gap between bars wide enough to show one
    }
    const double value = SummaryTable::Value(rows[static_cast<std::size_t>(row)].figures, quantity);
    const int height = most > 0 ? static_cast<int>(std::lround(value / most * inside.Height())) : 0;
    return {left, inside.bottom - height, right, inside.bottom};
}

void SummaryDialog::Paint(TDC& dc, bool, const TRect&) {
    dc.SelectPen(TPen{TColor::Gray(), 1});
    dc.SelectBrush(TBrush{TColor::White()});
    dc.Rectangle(kChartRect);
    const double most = Most();
    for (int row = 0; row < static_cast<int>(table.Rows().size()); ++row) {
        const TRect bar = BarRect(row, most);
        if (bar.Height() > 0) {
            dc.FillRect(bar, TBrush{row == table.TodayRow() ? kTodayColor : kBarColor});
        }
    }
    dc.RestoreObjects();
}

void SummaryDialog::PaintForPrinting(TDC& dc, const TRect& area) {
    PaintTo(dc, false, area);
    // The list box is a control the screen dump leaves out: its lines are drawn in its place.
    const TRect list = ControlRect(kTable);
    dc.SelectFont(kTableFont);
    dc.SetTextColor(TColor::Black());
    dc.SetBkColor(TColor::White());
    dc.SetBkMode(TDC::kOpaque);
    const int lineHeight = std::max(1, dc.GetTextExtent("X").cy);
    int y = list.top;
    for (const SummaryTable::Row& row : table.Rows()) {
        if (y + lineHeight > list.bottom) {
            break;
        }
        dc.TextOut(list.left + 2, y, table.Line(row));
        y += lineHeight;
    }
    dc.RestoreObjects();
}

#pragma once
// Summary (dialog 14): the logbook's weeks, months or years, newest first, as a table and as
// a bar chart of one quantity drawn from the same rows, today's period in red, and under them
// where each goal stands. SummaryTable does the sums and the texts; this dialog binds the
// controls and draws the chart. A row double-clicked (or Enter on it) opens the Log Book on
// the period's first day with an entry. The speed menu's named ranges and Dates... show the
// periods that hold the range chosen, however long.

#include "goals/GoalsPanel.h"
#include "shell/ToolDialog.h"
#include "summary/SummaryTable.h"

class ActivityStore;

class SummaryDialog : public ToolDialog {
public:
    // Header statics, and the controls of the page.
    static constexpr int kKindText = 100;
    static constexpr int kQuantityText = 101;
    static constexpr int kRangeText = 102;
    static constexpr int kSport = 630;
    static constexpr int kGoToDay = 631;
    static constexpr int kTableHeader = 632;
    static constexpr int kTable = 633;
    // Where the goals panel stands, under the work area.
    static constexpr int kGoalsArea = 634;
    // The chart's frame in client pixels; bars stand on its bottom, oldest on the left.
    static constexpr TRect kChartRect{18, 78, 486, 156};
    static constexpr TColor kBarColor{0, 0, 128};
    static constexpr TColor kTodayColor{192, 0, 0};
    // The choice of the sport list's first line.
    static constexpr const char* kAllSports = "All sports";

    explicit SummaryDialog(ClientWindow& client);
    // Dialog template 14 and the Summary Speed Menu.
    static void RegisterTemplate();

    const SummaryTable& Table() const { return table; }
    SummaryTable::Quantity ChartQuantity() const { return quantity; }
    int Reloads() const { return reloads; }
    const GoalsPanel& Goals() const { return goalsPanel; }
    // The bar of a row (an index of Table().Rows()), inside kChartRect.
    TRect BarRect(int row) const;
    // The chart, then as many of the table's lines as the list's place holds.
    void PaintForPrinting(TDC& dc, const TRect& area) override;
    // For benchmarks: the periods that hold these date keys, chosen outright (no button
    // reaches them in one go), loaded at once.
    void ChooseRange(std::int32_t from, std::int32_t to);

protected:
    void SetupWindow() override;
    void Paint(TDC& dc, bool erase, const TRect& area) override;

private:
    void Reload();
    void ReloadGoals(ActivityStore* activities, std::int32_t today);
    void ShowHeader();
    void ChooseFromMenu(int command);
    void GoToDay();
    void Shift(bool later);
    // The largest value of the chart's quantity, which fills the chart's height.
    double Most() const;
    TRect BarRect(int row, double most) const;

    SummaryTable table;
    SummaryTable::Choice choice;
    SummaryTable::Quantity quantity = SummaryTable::Quantity::Distance;
    int reloads = 0;
    GoalsPanel goalsPanel;
};

#pragma once
// Statistics (dialog 8): entries, missed days, minimum, maximum, average and total of ten
// quantities over the selected days, computed at every paint from the positions the last
// reload found. StatisticsTable does the arithmetic and the cell texts; this dialog draws
// the grid.

#include "views/RangeViewDialog.h"
#include "views/StatisticsTable.h"

class StatsDialog : public RangeViewDialog {
public:
    explicit StatsDialog(ClientWindow& client);
    // Dialog template 8 and the Statistics Speed Menu.
    static void RegisterTemplate();

    // The grid inside its grey frame: a line above each of the ten rows, 21 pixels apart
    // from y 107 (the first under the column titles), and one left of each of the six
    // columns, 68 pixels apart from x 84 (the first right of the row titles), all across
    // the view. Texts stand 7 pixels right of a column line and 2 below a row line; the
    // row titles at x 23, the column titles at y 88.
    static constexpr TRect kGridFrame{14, 80, 490, 317};
    static constexpr int kFirstRowLine = 107;
    static constexpr int kRowStep = 21;
    static constexpr int kFirstColumnLine = 84;
    static constexpr int kColumnStep = 68;
    static constexpr TPoint kTextOffset{7, 2};
    static constexpr int kRowTitleLeft = 23;
    static constexpr int kColumnTitleTop = 88;
    // The top left of a cell's text.
    static TPoint CellOrigin(int row, int column);

    const StatisticsTable& Table() const { return table; }

protected:
    void Paint(TDC& dc, bool erase, const TRect& area) override;

private:
    StatisticsTable table;
};

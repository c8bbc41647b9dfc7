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

    const StatisticsTable& Table() const { return table; }

protected:
    void Paint(TDC& dc, bool erase, const TRect& area) override;

private:
    StatisticsTable table;
};

#pragma once
// Graphs (dialog 5): one category of the selected days plotted as a bar, line, area or
// moving-average graph. The category changes what is drawn from the days already
// selected; day type and range reload after the pause.

#include "views/RangeViewDialog.h"

class GraphsDialog : public RangeViewDialog {
public:
    // Controls of dialog template 5 besides the shared selectors.
    static constexpr int kBarGraph = 300;
    static constexpr int kLineGraph = 301;
    static constexpr int kAreaGraph = 302;
    static constexpr int kMovingAverage = 303;

    explicit GraphsDialog(ClientWindow& client);
    // Dialog template 5 and the Graphs Speed Menu.
    static void RegisterTemplate();

protected:
    void ShowHeader() override;
};

#pragma once
// The Calendar (dialog 4): a month of the logbook in 42 cells, one category's value in each
// day's box, stepped by month and by year.

#include "shell/ToolDialog.h"

class CalendarDialog : public ToolDialog {
public:
    // Controls of dialog template 4 besides the shared selectors.
    static constexpr int kMonthText = 517;
    static constexpr int kNextMonth = 201;
    static constexpr int kPreviousMonth = 202;
    static constexpr int kNextYear = 203;
    static constexpr int kPreviousYear = 204;

    explicit CalendarDialog(ClientWindow& client);
    // Dialog template 4 and the Calendar Speed Menu.
    static void RegisterTemplate();
};

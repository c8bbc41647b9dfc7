#pragma once
// Statistics (dialog 8): entries, missed days, minimum, maximum, average and total of ten
// quantities over the selected days.

#include "shell/ToolDialog.h"

class StatsDialog : public ToolDialog {
public:
    explicit StatsDialog(ClientWindow& client);
    // Dialog template 8 and the Statistics Speed Menu.
    static void RegisterTemplate();
};

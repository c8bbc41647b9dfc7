#pragma once
// The Statistics tool's buttons (dialog template 8), in the order of its speed menu.

#include "views/SelectorIds.h"

struct StatsButtons {
    static constexpr ToolButton kButtons[] = {
        selector::kDayTypeButton, selector::kNextStartButton,   selector::kPreviousStartButton,
        selector::kNextEndButton, selector::kPreviousEndButton, kCloseButton,
    };
};

#pragma once
// The Training Load tool's buttons (dialog template 16), in the order of its speed menu: the
// date steps it shares with the range views, and the close button.

#include "views/SelectorIds.h"

struct TrainingLoadButtons {
    static constexpr ToolButton kButtons[] = {
        selector::kNextStartButton,
        selector::kPreviousStartButton,
        selector::kNextEndButton,
        selector::kPreviousEndButton,
        kCloseButton,
    };
};

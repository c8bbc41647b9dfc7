#pragma once
// The Summary tool's buttons (dialog template 14), in the order of its speed menu.

#include "shell/ToolButton.h"

struct SummaryButtons {
    static constexpr int kPeriod = 620;
    static constexpr int kQuantity = 621;
    static constexpr int kEarlier = 622;
    static constexpr int kLater = 623;

    static constexpr ToolButton kButtons[] = {
        {kPeriod, "Period", ButtonPicture::Periods, "Week / Month / Year"},
        {kQuantity, "Quantity", ButtonPicture::BarChart, "Chart Quantity"},
        {kEarlier, "Earlier", ButtonPicture::MinusEnd, "Earlier Periods"},
        {kLater, "Later", ButtonPicture::PlusEnd, "Later Periods"},
        kCloseButton,
    };
};

#pragma once
// The Graphs tool's buttons (dialog template 5), in the order of its speed menu.

#include "views/SelectorIds.h"

struct GraphsButtons {
    static constexpr int kBarGraph = 300;
    static constexpr int kLineGraph = 301;
    static constexpr int kAreaGraph = 302;
    static constexpr int kMovingAverage = 303;

    static constexpr ToolButton kButtons[] = {
        selector::kCategoryButton,
        {kBarGraph, "Bar Graph", ButtonPicture::BarChart, "Bar Graph"},
        {kLineGraph, "Line Graph", ButtonPicture::LineChart, "Line Graph"},
        {kAreaGraph, "Area Graph", ButtonPicture::AreaChart, "Area Graph"},
        {kMovingAverage, "Moving Avg", ButtonPicture::AverageChart, "Moving Average Graph"},
        selector::kDayTypeButton,
        selector::kNextStartButton,
        selector::kPreviousStartButton,
        selector::kNextEndButton,
        selector::kPreviousEndButton,
        kCloseButton,
    };
};

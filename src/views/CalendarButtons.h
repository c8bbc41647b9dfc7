#pragma once
// The Calendar's buttons (dialog template 4), in the order of its speed menu.

#include "views/SelectorIds.h"

struct CalendarButtons {
    static constexpr int kNextMonth = 201;
    static constexpr int kPreviousMonth = 202;
    static constexpr int kNextYear = 203;
    static constexpr int kPreviousYear = 204;

    static constexpr ToolButton kButtons[] = {
        selector::kCategoryButton,
        {kNextMonth, "+One Month", ButtonPicture::Plus, "+ One Month"},
        {kPreviousMonth, "-One Month", ButtonPicture::Minus, "- One Month"},
        {kNextYear, "+ One Year", ButtonPicture::Plus, "+ One Year"},
        {kPreviousYear, "-One Year", ButtonPicture::Minus, "- One Year"},
        kCloseButton,
    };
};

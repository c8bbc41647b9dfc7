#pragma once
// The Reports tool's buttons (dialog template 7), in the order of its speed menu.

#include "views/SelectorIds.h"

struct ReportsButtons {
    static constexpr int kPreview = 400;
    static constexpr int kPrint = 401;
    static constexpr int kCreateFile = 402;
    static constexpr int kPreviousPage = 403;
    static constexpr int kNextPage = 404;

    static constexpr ToolButton kButtons[] = {
        selector::kDayTypeButton,
        {kPreview, "Preview", ButtonPicture::Preview, "Preview"},
        {kNextPage, "+ Page", ButtonPicture::PlusPage, "+ Page"},
        {kPreviousPage, "- Page", ButtonPicture::MinusPage, "- Page"},
        selector::kNextStartButton,
        selector::kPreviousStartButton,
        selector::kNextEndButton,
        selector::kPreviousEndButton,
        {kPrint, "Print", ButtonPicture::Printer, "Print"},
        {kCreateFile, "Create File", ButtonPicture::CreateFile, "Create File"},
        kCloseButton,
    };
};

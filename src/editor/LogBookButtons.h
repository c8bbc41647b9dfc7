#pragma once
// The Log Book's buttons (dialog template 6), in the order of its speed menu.

#include "shell/ToolButton.h"

struct LogBookButtons {
    static constexpr int kSaveDay = 101;
    static constexpr int kNextDay = 102;
    static constexpr int kPreviousDay = 103;
    static constexpr int kNext30Days = 104;
    static constexpr int kPrevious30Days = 105;
    // Faces of a seven-day step that the resources keep though no page shows them.
    static constexpr int kNext7Days = 106;
    static constexpr int kPrevious7Days = 107;
    static constexpr int kEraseDay = 108;
    static constexpr int kFind = 109;
    static constexpr int kCalculate = 110;
    // The day's activities: the speed menu and Ctrl+T only, no button on the page.
    static constexpr int kDayActivities = 112;
    static constexpr char kDayActivitiesKey = 'T';
    // Any day, picked in the Dates dialog: the speed menu and Ctrl+G only.
    static constexpr int kGoToDate = 113;
    static constexpr char kGoToDateKey = 'G';

    static constexpr ToolButton kButtons[] = {
        {kSaveDay, "Save Day", ButtonPicture::Floppy, "Save Day "},
        {kFind, "Find", ButtonPicture::Find, "Find     "},
        {kCalculate, "Calculate", ButtonPicture::Calculator, "Calculate..."},
        {kNextDay, "+ One Day", ButtonPicture::PlusOneDay, "+ One Day"},
        {kPreviousDay, "- One Day", ButtonPicture::MinusOneDay, "- One Day"},
        {kNext30Days, "+ 30 Days", ButtonPicture::PlusThirtyDays, "+ 30 Days"},
        {kPrevious30Days, "- 30 Days", ButtonPicture::MinusThirtyDays, "- 30 Days"},
        {kEraseDay, "Erase Day", ButtonPicture::EraseDay, "Erase Day"},
        {kDayActivities, "Activities", ButtonPicture::Plus, "Activities...\tCtrl+T"},
        {kGoToDate, "Go to Date", ButtonPicture::Find, "Go to Date...\tCtrl+G"},
        {kNext7Days, "+ 7 Days", ButtonPicture::PlusSevenDays, nullptr},
        {kPrevious7Days, "- 7 Days", ButtonPicture::MinusSevenDays, nullptr},
        kCloseButton,
    };
};

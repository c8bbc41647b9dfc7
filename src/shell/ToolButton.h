#pragma once
// One bitmap push button of a tool page, as its dialog's button table lists it once for the
// template, the speed menu and the art: its id (its faces are bitmaps id + 1000, + 3000 and
// + 5000), the caption its faces show, the picture over the caption, and its speed-menu text
// (nullptr: not in the menu). Plain data, so the art reads the tables without a window.

enum class ButtonPicture {
    Floppy,
    PlusOneDay,
    MinusOneDay,
    PlusThirtyDays,
    MinusThirtyDays,
    PlusSevenDays,
    MinusSevenDays,
    EraseDay,
    Find,
    Calculator,
    Door,
    Pie,
    Plus,
    Minus,
    BarChart,
    LineChart,
    AreaChart,
    AverageChart,
    DayType,
    PlusStart,
    MinusStart,
    PlusEnd,
    MinusEnd,
    Preview,
    Printer,
    CreateFile,
    MinusPage,
    PlusPage,
    Periods,
};

struct ToolButton {
    int id;
    const char* caption;
    ButtonPicture picture;
    const char* menuText;
};

// The close button every large tool's page ends with.
inline constexpr ToolButton kCloseButton{111, "Exit", ButtonPicture::Door, nullptr};

#pragma once
// One control of a dialog template: kind, identifier, place and size in dialog units, text
// and style.

#include <string>

enum class TControlKind {
    Static,       // text, left-aligned or centred (kCentered)
    Edit,         // one line, or word-wrapping lines without scrolling (kMultiLine)
    Button,       // push button; kDefault for the default button
    BitmapButton, // three faces from bitmap resources id + 1000, + 3000, + 5000
    RadioButton,  // automatic; kGroup starts a new group
    CheckBox,
    GroupBox,      // a frame, with a caption when text is set
    ComboBox,      // drop-down, editable, unsorted
    DropDownList,  // drop-down, choose only
    ListBox,       // both scroll bars, one selected line
    Picture,       // bitmap resource id + 1000
    ShadedCell,    // a raised, shaded header cell
    DipLine,       // a shaded dip line, vertical when higher than wide
    Gauge,         // a progress bar
    MonthCalendar, // a month of days to pick one from: arrows a day, Page Up/Down a month
};

// What a control tells its dialog besides the command a button sends.
enum class TControlNotify {
    EditChange,
    ListDoubleClick,
    ListSelChange,
    ComboSelChange,
    ComboEditChange,
    CalendarSelChange,   // the picked day of a month calendar changed
    CalendarDoubleClick, // a day of a month calendar was double-clicked (and picked)
    ButtonDown,          // a bitmap button went down (held by the mouse or the space bar)
    ButtonUp,            // and came up again, clicked or not
    SetFocus,            // the control took the focus
    ListPicked,          // a list's line was selected (its current line alone may move first)
};

struct TControlTemplate {
    static constexpr unsigned kDefault = 0x1;
    static constexpr unsigned kDisabled = 0x2;
    static constexpr unsigned kMultiLine = 0x4;
    static constexpr unsigned kCentered = 0x8;
    static constexpr unsigned kGroup = 0x10;
    static constexpr unsigned kReadOnly = 0x20;
    static constexpr unsigned kHidden = 0x40;

    TControlKind kind = TControlKind::Static;
    int id = -1;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    std::string text;
    unsigned style = 0;
    int textLimit = 0; // edit and combo boxes; 0 for none
};

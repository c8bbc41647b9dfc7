#pragma once
// The page grid that the five large tools share: 396 x 204 dialog units without caption,
// header cells along the top, dip lines, the framed work area, 44 x 26 bitmap buttons and a
// right-hand column of buttons ending in the close button. Each tool builds its template
// from these pieces and adds its popup to the speed menus (menu 1101).

#include "framework/TDialogTemplate.h"
#include "framework/TMenuItem.h"
#include "shell/ToolButton.h"

#include <initializer_list>
#include <span>
#include <vector>

class ToolPage {
public:
    static TDialogTemplate Page(std::initializer_list<TControlTemplate> controls = {});
    static TControlTemplate Button(int id, int x, int y, unsigned style = 0);
    static TControlTemplate Centred(int id, int x, int y, int cx, int cy, const char* text = "");
    static TControlTemplate Label(int x, int y, int cx, const char* text);
    // A shaded header cell across the top.
    static TControlTemplate Cell(int x, int cx);
    // The dip line right of the work area.
    static TControlTemplate Divider(int cx, int cy);
    static TControlTemplate WorkArea();
    // The buttons of the right-hand column from the top, then the close button at the foot.
    static void AddRightColumn(TDialogTemplate& page, std::initializer_list<int> ids);
    // The three header cells of a view with a date range: selector, day type, and the range
    // in two statics, "from" and "to".
    static void AddRangeHeader(TDialogTemplate& page, int fromId, int toId);

    // A tool's popup: the items of its button table that have a speed-menu text, in order.
    static TMenuItem SpeedMenu(const char* title, std::span<const ToolButton> buttons);
    // Registers a tool's popup of menu 1101 under the tool's dialog resource.
    static void AddSpeedMenu(int resourceId, TMenuItem popup);
    // The popup of menu 1101 that belongs to a tool, by its dialog resource; -1 for none.
    static int SpeedMenuIndex(int resourceId);
};

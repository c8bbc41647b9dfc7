#pragma once
// The page grid of the five large tools: dialog templates 4 to 8 with their header strips,
// dividers, work-area frame, bitmap buttons and statics, and their speed menus (menu 1101).

class ToolTemplates {
public:
    static void Register();
    // The popup of menu 1101 that belongs to a tool, by its dialog resource; -1 for none.
    static int SpeedMenuIndex(int resourceId);
};

#pragma once
// The 32 x 32 icons: the application's (100) and those of the five tool
// windows (101 Log Book, 102 Calendar, 103 Graphs, 104 Statistics,
// 106 Reports). The corners are transparent.

#include <QImage>

class IconArt {
public:
    static constexpr int size = 32;

    // Null for a number that is not an icon.
    static QImage Render(int iconId);
    static bool Has(int iconId);
    // The application's icon at any size, for the desktop's icon theme.
    static QImage RenderApplication(int pixels);
};

#pragma once
// The small pictures shared by the button faces, the tool-bar faces and the
// icons. Each one fills the rectangle it is given, laid out on whole pixels
// from that rectangle's size, so the same picture works at 16, 20 or 32
// pixels.

#include <QRect>

class PixelCanvas;

class Pictogram {
public:
    enum class Kind {
        Floppy,
        Page,
        Sheet,
        Pages,
        Calendar,
        Magnifier,
        Calculator,
        Door,
        Pie,
        BarChart,
        LineChart,
        AreaChart,
        AverageChart,
        Clock,
        Runner,
        Plus,
        Minus,
        ArrowsRight,
        ArrowsLeft,
        Printer,
        Folder,
        Book,
        Heart,
        Question,
        Sigma,
        Window,
        Cross,
        ArrowRight,
        ArrowLeft,
    };

    static void Draw(PixelCanvas& canvas, Kind kind, const QRect& box);

    // A calendar leaf carrying a short number ("1", "30") in the tiny font.
    static void CalendarLeaf(PixelCanvas& canvas, const QRect& box, const char* number);
    // An application window with a title bar; `active` picks the title colour.
    static void AppWindow(PixelCanvas& canvas, const QRect& box, bool active);
};

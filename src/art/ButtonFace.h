#pragma once
// The three 64 x 40 faces of the tool dialogs' bitmap push buttons: a raised
// light-grey face with the button's pictogram over its caption, the same face
// sunken while held down, and one with a dotted focus mark round the caption.

#include <QImage>
#include <QString>

class ButtonFace {
public:
    enum class State { Up, Pressed, Focused };

    static constexpr int width = 64;
    static constexpr int height = 40;

    // Null for a button number without faces.
    static QImage Render(int buttonId, State state);
    static bool Has(int buttonId);
    static QString Caption(int buttonId);
};

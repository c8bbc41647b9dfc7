#pragma once
// A field of text: id, border, alignment, width in characters, settable text.

#include "framework/TGadget.h"

#include <string>

class TTextGadget : public TGadget {
public:
    enum class Align { Left, Center, Right };

    TTextGadget(int id, Border border, Align align, int widthInChars, std::string text = {});
    void SetText(const std::string& utf8);
    const std::string& Text() const { return text; }
    // 0 stretches the field over the room that is left.
    int WidthInChars() const { return widthInChars; }
    QWidget* Build(TControlBar& bar, QWidget* parent) override;

private:
    Align align;
    int widthInChars;
    std::string text;
};

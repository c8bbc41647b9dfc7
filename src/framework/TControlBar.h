#pragma once
// A row (or column) of gadgets with a font and a background colour, inserted at an edge of
// the main frame.

#include "framework/TGadget.h"
#include "framework/TGadgetWindowFont.h"
#include "framework/TWindow.h"

#include <memory>
#include <vector>

class TControlBar : public TWindow {
public:
    enum class Direction { Horizontal, Vertical };

    TControlBar(TWindow* parent, Direction direction, TGadgetWindowFont font = {});
    ~TControlBar() override;

    Direction GetDirection() const { return direction; }
    // Appends a gadget; the bar owns it.
    void Insert(std::unique_ptr<TGadget> gadget);
    TGadget* GadgetWithId(int id) const;
    const std::vector<std::unique_ptr<TGadget>>& Gadgets() const { return gadgets; }
    const TGadgetWindowFont& Font() const { return font; }

    // Asks every button's enabler again.
    void UpdateButtons();
    // The window whose command chain the buttons' commands go down (the frame).
    TWindow* CommandTarget() const;
    // Shows a hint, or clears it with "", in the frame's status bar.
    void ShowHint(const std::string& text);

protected:
    QWidget* CreateWidget(QWidget* parentWidget) override;
    void SetupWindow() override;
    QWidget* BarWidget() const { return Widget(); }
    void Place(TGadget& gadget);

private:
    Direction direction;
    TGadgetWindowFont font;
    std::vector<std::unique_ptr<TGadget>> gadgets;
};

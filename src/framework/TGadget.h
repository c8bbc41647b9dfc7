#pragma once
// One item of a control bar. The bar builds each gadget's widget when it is inserted.

#include <string>

class QWidget;
class TControlBar;

class TGadget {
public:
    enum class Border { None, Recessed, Embossed };

    explicit TGadget(int id, Border border = Border::None) : id(id), border(border) {}
    virtual ~TGadget() = default;
    int Id() const { return id; }
    Border GetBorder() const { return border; }
    QWidget* Widget() const { return widget; }
    // For the bar: builds the widget inside it.
    virtual QWidget* Build(TControlBar& bar, QWidget* parent) = 0;
    // The bar asks every gadget after any command-state change.
    virtual void CommandStateChanged(TControlBar&) {}

protected:
    int id;
    Border border;
    QWidget* widget = nullptr;
};

#pragma once
// Builds the widget of each line of a dialog template, one builder per control kind, and
// wires it to its dialog through three calls: a button's command, a control's notification,
// and the text limit of a box (read at each change, since the dialog may set it later).
// Radio buttons join the group that the last group-style button started.

#include "framework/TControlTemplate.h"

#include <functional>

class QButtonGroup;
class QWidget;

class TControlBuilder {
public:
    struct Wiring {
        std::function<void(int id)> command;
        std::function<void(int id, TControlNotify code)> notify;
        std::function<int(int id)> textLimit;
    };

    TControlBuilder(QWidget& host, Wiring wiring);

    // The control's widget, not yet placed; nullptr for a kind that is no widget here.
    QWidget* Build(const TControlTemplate& c);

private:
    QWidget* BuildStatic(const TControlTemplate& c);
    QWidget* BuildEdit(const TControlTemplate& c);
    QWidget* BuildMultiLineEdit(const TControlTemplate& c);
    QWidget* BuildPushButton(const TControlTemplate& c);
    QWidget* BuildBitmapButton(const TControlTemplate& c);
    QWidget* BuildRadioButton(const TControlTemplate& c);
    QWidget* BuildCheckBox(const TControlTemplate& c);
    QWidget* BuildGroupBox(const TControlTemplate& c);
    QWidget* BuildComboBox(const TControlTemplate& c);
    QWidget* BuildListBox(const TControlTemplate& c);
    QWidget* BuildPicture(const TControlTemplate& c);
    QWidget* BuildShadedCell(const TControlTemplate& c);
    QWidget* BuildDipLine(const TControlTemplate& c);
    QWidget* BuildMonthCalendar(const TControlTemplate& c);

    QWidget& host;
    Wiring wiring;
    QButtonGroup* radioGroup = nullptr; // the radio group being built
};

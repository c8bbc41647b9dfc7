#pragma once
// The operations on a dialog's list and combo boxes, as the system's list box messages do
// them; a control of another kind ignores them (-1, 0 or an empty text).

#include <string>

class QWidget;

class TListControl {
public:
    static int AddString(QWidget* control, const std::string& utf8);
    static void Clear(QWidget* control);
    static int Count(const QWidget* control);
    static std::string Text(const QWidget* control, int index);
    static int Selection(const QWidget* control); // -1 for none
    // Selects without telling the dialog, as the program's own choice.
    static void SetSelection(QWidget* control, int index);
    // Whether a list's selection row differs from the one last told or set, remembering it.
    static bool ChangeTold(QWidget* control, int row);
    static void SetHorizontalExtent(QWidget* control, int pixels);
    // Lines scroll sideways as far as the longest one needs, and not at all when all fit.
    static void FitHorizontalExtent(QWidget* control);
};

#include "framework/TListControl.h"

#include "framework/TQtConvert.h"

#include <QComboBox>
#include <QListWidget>
#include <QScrollBar>

#include <algorithm>

int TListControl::AddString(QWidget* w, const std::string& utf8) {
    if (auto* list = qobject_cast<QListWidget*>(w)) {
        const QSignalBlocker block(list);
        list->addItem(TQtConvert::Text(utf8));
        return list->count() - 1;
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        const QString edited = combo->currentText();
        combo->addItem(TQtConvert::Text(utf8));
        if (combo->isEditable()) {
            combo->setEditText(edited); // adding a line leaves the edit field alone
        }
        return combo->count() - 1;
    }
    return -1;
}

namespace {
// The row a list's handler was last told of, or the program set.
constexpr const char* kToldRow = "toldRow";
} // namespace

void TListControl::Clear(QWidget* w) {
    if (auto* list = qobject_cast<QListWidget*>(w)) {
        const QSignalBlocker block(list);
        list->clear();
        list->setProperty(kToldRow, -1);
        // An emptied list starts again at its top, as the system's list box does; the view
        // would otherwise keep its old scroll position for the lines added next.
        list->verticalScrollBar()->setValue(0);
        list->horizontalScrollBar()->setValue(0);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->clear();
    }
}

int TListControl::Count(const QWidget* w) {
    if (auto* list = qobject_cast<const QListWidget*>(w)) {
        return list->count();
    }
    if (auto* combo = qobject_cast<const QComboBox*>(w)) {
        return combo->count();
    }
    return 0;
}

std::string TListControl::Text(const QWidget* w, int index) {
    if (auto* list = qobject_cast<const QListWidget*>(w); list && list->item(index)) {
        return TQtConvert::Text(list->item(index)->text());
    }
    if (auto* combo = qobject_cast<const QComboBox*>(w);
        combo && index >= 0 && index < combo->count()) {
        return TQtConvert::Text(combo->itemText(index));
    }
    return {};
}

int TListControl::Selection(const QWidget* w) {
    if (auto* list = qobject_cast<const QListWidget*>(w)) {
        return list->currentItem() && list->currentItem()->isSelected() ? list->currentRow() : -1;
    }
    if (auto* combo = qobject_cast<const QComboBox*>(w)) {
        return combo->currentIndex();
    }
    return -1;
}

bool TListControl::ChangeTold(QWidget* w, int row) {
    if (w->property(kToldRow).isValid() && w->property(kToldRow).toInt() == row) {
        return false;
    }
    w->setProperty(kToldRow, row);
    return true;
}

void TListControl::SetSelection(QWidget* w, int index) {
    if (auto* list = qobject_cast<QListWidget*>(w)) {
        const QSignalBlocker block(list);
        list->setCurrentRow(index);
        list->setProperty(kToldRow, Selection(list));
        list->viewport()->update();
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->setCurrentIndex(index);
    }
}

void TListControl::FitHorizontalExtent(QWidget* w) {
    if (auto* list = qobject_cast<QListWidget*>(w)) {
        int widest = 0;
        for (int i = 0; i < list->count(); ++i) {
            widest = std::max(widest, list->fontMetrics().horizontalAdvance(list->item(i)->text()));
        }
        constexpr int kMargins = 8; // the item's own margins either side of its text
        SetHorizontalExtent(w, std::max(widest + kMargins, list->viewport()->width()));
    }
}

void TListControl::SetHorizontalExtent(QWidget* w, int pixels) {
    if (auto* list = qobject_cast<QListWidget*>(w)) {
        // Lines scroll sideways across at least this many pixels.
        list->horizontalScrollBar()->setRange(0, std::max(0, pixels - list->viewport()->width()));
        list->setProperty("veloriaExtent", pixels);
        for (int i = 0; i < list->count(); ++i) {
            list->item(i)->setSizeHint(QSize(pixels, list->sizeHintForRow(i)));
        }
    }
}

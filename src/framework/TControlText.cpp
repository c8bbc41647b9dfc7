#include "framework/TControlText.h"

#include "framework/TQtConvert.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTextLayout>

#include <algorithm>

QString TControlText::WithoutMnemonic(const std::string& text) {
    QString out;
    const QString in = TQtConvert::Text(text);
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '&' && i + 1 < in.size()) {
            ++i;
        }
        out += in[i];
    }
    return out;
}

// As wide as its longest word, or as its whole text when it holds one line only. A centred
// one grows on both sides.
void TControlText::FitStatic(QLabel& label) {
    const QVariant placed = label.property("veloriaPlace");
    if (!placed.isValid()) {
        return; // a picture
    }
    const QRect place = placed.toRect();
    const QFontMetrics m(label.font());
    int needed = 0;
    if (place.height() < 2 * m.lineSpacing()) {
        needed = m.horizontalAdvance(label.text());
    } else {
        for (const QString& word : label.text().split(' ', Qt::SkipEmptyParts)) {
            needed = std::max(needed, m.horizontalAdvance(word));
        }
    }
    QRect r = place;
    if (needed > r.width()) {
        if (label.alignment() & Qt::AlignHCenter) {
            r.translate(-(needed - r.width()) / 2, 0);
        }
        r.setWidth(needed);
    }
    label.setGeometry(r);
}

QStringList TControlText::WrappedLines(const QString& text, const QFont& font, int width) {
    QStringList lines;
    const QStringList paragraphs = text.split('\n');
    for (const QString& paragraph : paragraphs) {
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        bool any = false;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(std::max(1, width));
            lines << paragraph.mid(line.textStart(), line.textLength());
            any = true;
        }
        layout.endLayout();
        if (!any) {
            lines << QString();
        }
    }
    return lines;
}

bool TControlText::EditFits(const QPlainTextEdit& edit, const QString& text) {
    const int margin = static_cast<int>(edit.document()->documentMargin());
    const int width = edit.viewport()->width() - 2 * margin;
    const int lineHeight = std::max(1, edit.fontMetrics().lineSpacing());
    const int lines = std::max(1, (edit.viewport()->height() - 2 * margin) / lineHeight);
    return WrappedLines(text, edit.font(), width).size() <= lines;
}

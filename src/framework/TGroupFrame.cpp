#include "framework/TGroupFrame.h"

#include <QPainter>

void TGroupFrame::Draw(QPainter& painter, const QColor& background) const {
    const QRect r = geometry();
    const QString caption = title();
    const QFontMetrics metrics(font());
    // The frame's top runs through the middle of the caption.
    const int left = r.left();
    const int top = r.top() + (caption.isEmpty() ? 0 : metrics.height() / 2);
    const int right = r.right();
    const int bottom = r.bottom();
    const QColor grey(128, 128, 128);
    const QColor white(255, 255, 255);
    auto line = [&painter](int x0, int y0, int x1, int y1, const QColor& colour) {
        painter.fillRect(QRect(QPoint(x0, y0), QPoint(x1, y1)), colour);
    };
    // Etched: a sunken outer edge and a raised inner one.
    line(left, top, right - 1, top, grey);
    line(left, top, left, bottom - 1, grey);
    line(left, bottom, right, bottom, white);
    line(right, top, right, bottom, white);
    line(left + 1, top + 1, right - 2, top + 1, white);
    line(left + 1, top + 1, left + 1, bottom - 2, white);
    line(left + 1, bottom - 1, right - 1, bottom - 1, grey);
    line(right - 1, top + 1, right - 1, bottom - 1, grey);
    if (!caption.isEmpty()) {
        const int x = left + 8;
        const int width = metrics.horizontalAdvance(caption);
        painter.fillRect(QRect(x - 2, r.top(), width + 4, metrics.height()), background);
        painter.setFont(font());
        painter.setPen(isEnabled() ? QColor(0, 0, 0) : grey);
        painter.drawText(x, r.top() + metrics.ascent(), caption);
    }
}

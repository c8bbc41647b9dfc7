#include "framework/TBitmapButton.h"

#include "framework/TResources.h"

#include <QImage>
#include <QPainter>

TBitmapButton::TBitmapButton(int id, QWidget* parent) : QAbstractButton(parent), id(id) {
    setFocusPolicy(Qt::StrongFocus);
}

int TBitmapButton::FaceOffset() const {
    if (isDown()) {
        return 3000;
    }
    return hasFocus() ? 5000 : 1000;
}

void TBitmapButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(192, 192, 192));
    const QImage* face = TResources::Bitmap(id + FaceOffset());
    if (!face) {
        face = TResources::Bitmap(id + 1000);
    }
    if (face) {
        QImage shown = face->convertToFormat(QImage::Format_RGB32);
        if (!isEnabled()) {
            shown = shown.convertToFormat(QImage::Format_Grayscale8);
        }
        painter.drawImage(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
        return;
    }
    // No art under this number: a plain raised button with the text.
    painter.setPen(isDown() ? Qt::black : Qt::white);
    painter.drawLine(0, 0, width() - 1, 0);
    painter.drawLine(0, 0, 0, height() - 1);
    painter.setPen(isDown() ? Qt::white : QColor(64, 64, 64));
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
    painter.drawLine(width() - 1, 0, width() - 1, height() - 1);
    painter.setPen(isEnabled() ? Qt::black : Qt::gray);
    painter.drawText(rect(), Qt::AlignCenter, text());
}

#include "framework/TImageDC.h"

#include "framework/TQtConvert.h"
#include "framework/TWindow.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

TImageDC::TImageDC(int width, int height, TColor fill, int pixelsPerInch)
    : image(std::make_unique<QImage>(std::max(1, width), std::max(1, height), QImage::Format_RGB32)) {
    image->fill(TQtConvert::Color(fill));
    image->setDotsPerMeterX(static_cast<int>(pixelsPerInch / 0.0254 + 0.5));
    image->setDotsPerMeterY(static_cast<int>(pixelsPerInch / 0.0254 + 0.5));
    painter = std::make_unique<QPainter>(image.get());
    dc = std::make_unique<TDC>(*painter, pixelsPerInch, pixelsPerInch, TSize{width, height});
}

TImageDC::TImageDC(TImageDC&&) noexcept = default;

TImageDC::~TImageDC() {
    dc.reset();
    if (painter) {
        painter->end();
    }
}

TColor TImageDC::Pixel(int x, int y) const {
    if (!image->valid(x, y)) {
        return {};
    }
    return TQtConvert::Color(QColor(image->pixel(x, y)));
}

const QImage& TImageDC::Finish() {
    dc.reset();
    if (painter) {
        painter->end();
        painter.reset();
    }
    return *image;
}

bool TImageDC::SavePng(const std::string& fileName) { return Finish().save(QString::fromStdString(fileName), "PNG"); }

TImageDC TImageDC::PaintWindow(TWindow& window) {
    QWidget* widget = window.Widget();
    const TRect client = window.ClientRect();
    TImageDC out(client.Width(), client.Height());
    if (widget) {
        // Everything the window shows: its own paint and its controls.
        out.painter->end();
        widget->render(out.image.get());
        out.painter->begin(out.image.get());
    }
    return out;
}

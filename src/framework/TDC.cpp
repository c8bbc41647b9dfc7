#include "framework/TDC.h"

#include "framework/TQtConvert.h"
#include "framework/TResources.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstdlib>

struct TDC::State {
    TPen pen;
    TBrush brush;
    TFont font;
    TColor textColor = TColor::Black();
    TColor bkColor = TColor::White();
    int bkMode = kOpaque;
    MapMode mapMode = MapMode::Text;
    TPoint windowOrg;
    TSize windowExt{1, 1};
    TPoint viewportOrg;
    TSize viewportExt{1, 1};
    TPoint position;
    bool clipped = false;
    TRect clip; // device pixels
};

TDC::TDC(QPainter& painter, int pixelsPerInchX, int pixelsPerInchY, TSize deviceSize)
    : painter(painter), dpiX(pixelsPerInchX), dpiY(pixelsPerInchY), deviceSize(deviceSize),
      state(std::make_unique<State>()) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

TDC::~TDC() = default;

void TDC::SelectPen(const TPen& pen) {
    state->pen = pen;
}
void TDC::SelectBrush(const TBrush& brush) {
    state->brush = brush;
}
void TDC::SelectFont(const TFont& font) {
    state->font = font;
}
void TDC::RestorePen() {
    state->pen = TPen{};
}
void TDC::RestoreBrush() {
    state->brush = TBrush{};
}
void TDC::RestoreFont() {
    state->font = TFont{};
}
void TDC::RestoreObjects() {
    RestorePen();
    RestoreBrush();
    RestoreFont();
}

int TDC::SaveDC() {
    saved.push_back(*state);
    return static_cast<int>(saved.size());
}

bool TDC::RestoreDC(int which) {
    if (saved.empty()) {
        return false;
    }
    const int index = which < 0 ? static_cast<int>(saved.size()) : which;
    if (index < 1 || index > static_cast<int>(saved.size())) {
        return false;
    }
    *state = saved[static_cast<std::size_t>(index - 1)];
    saved.resize(static_cast<std::size_t>(index - 1));
    ApplyClip();
    return true;
}

void TDC::SetTextColor(TColor color) {
    state->textColor = color;
}
void TDC::SetBkColor(TColor color) {
    state->bkColor = color;
}
void TDC::SetBkMode(int mode) {
    state->bkMode = mode == kTransparent ? kTransparent : kOpaque;
}
TColor TDC::GetTextColor() const {
    return state->textColor;
}
TColor TDC::GetBkColor() const {
    return state->bkColor;
}

void TDC::SetMapMode(MapMode mode) {
    state->mapMode = mode;
    state->windowExt = {1, 1};
    state->viewportExt = {1, 1};
}
TDC::MapMode TDC::GetMapMode() const {
    return state->mapMode;
}
void TDC::SetWindowOrg(TPoint origin) {
    state->windowOrg = origin;
}
void TDC::SetViewportOrg(TPoint origin) {
    state->viewportOrg = origin;
}
void TDC::SetWindowExt(TSize extent) {
    if (extent.cx != 0 && extent.cy != 0) {
        state->windowExt = extent;
    }
}
void TDC::SetViewportExt(TSize extent) {
    if (extent.cx != 0 && extent.cy != 0) {
        state->viewportExt = extent;
    }
}

void TDC::Scale(double& sx, double& sy) const {
    switch (state->mapMode) {
    case MapMode::Text:
        sx = 1.0;
        sy = 1.0;
        return;
    case MapMode::LoEnglish: // 0.01 inch, y growing upwards
        sx = dpiX / 100.0;
        sy = -dpiY / 100.0;
        return;
    case MapMode::Isotropic: {
        sx = static_cast<double>(state->viewportExt.cx) / state->windowExt.cx;
        sy = static_cast<double>(state->viewportExt.cy) / state->windowExt.cy;
        // One unit is as long across as it is down: the larger scale shrinks to the smaller.
        const double unit = std::min(std::abs(sx), std::abs(sy));
        sx = std::copysign(unit, sx);
        sy = std::copysign(unit, sy);
        return;
    }
    }
}

TPoint TDC::LPtoDP(TPoint p) const {
    double sx = 1;
    double sy = 1;
    Scale(sx, sy);
    return {static_cast<int>(std::lround((p.x - state->windowOrg.x) * sx)) + state->viewportOrg.x,
            static_cast<int>(std::lround((p.y - state->windowOrg.y) * sy)) + state->viewportOrg.y};
}

TPoint TDC::DPtoLP(TPoint p) const {
    double sx = 1;
    double sy = 1;
    Scale(sx, sy);
    return {static_cast<int>(std::lround((p.x - state->viewportOrg.x) / sx)) + state->windowOrg.x,
            static_cast<int>(std::lround((p.y - state->viewportOrg.y) / sy)) + state->windowOrg.y};
}

TRect TDC::LPtoDP(const TRect& r) const {
    const TPoint a = LPtoDP(TPoint{r.left, r.top});
    const TPoint b = LPtoDP(TPoint{r.right, r.bottom});
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

int TDC::DeviceLength(int logical) const {
    double sx = 1;
    double sy = 1;
    Scale(sx, sy);
    return std::max(1, static_cast<int>(std::lround(std::abs(logical * sx))));
}

void TDC::ApplyClip() {
    if (state->clipped) {
        painter.setClipRect(TQtConvert::Rect(state->clip));
    } else {
        painter.setClipping(false);
    }
}

void TDC::SelectClipRect(const TRect& rect) {
    state->clipped = true;
    state->clip = LPtoDP(rect);
    ApplyClip();
}

void TDC::IntersectClipRect(const TRect& rect) {
    const TRect d = LPtoDP(rect);
    if (!state->clipped) {
        state->clip = d;
    } else {
        TRect& c = state->clip;
        c = {std::max(c.left, d.left), std::max(c.top, d.top), std::min(c.right, d.right),
             std::min(c.bottom, d.bottom)};
        if (c.IsEmpty()) {
            c = {};
        }
    }
    state->clipped = true;
    ApplyClip();
}

void TDC::ClearClipRect() {
    state->clipped = false;
    ApplyClip();
}

void TDC::ApplyPen() {
    if (state->pen.null) {
        painter.setPen(Qt::NoPen);
        return;
    }
    QPen pen(TQtConvert::Color(state->pen.color));
    pen.setWidth(state->pen.width <= 1 ? 1 : DeviceLength(state->pen.width));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
}

void TDC::MoveTo(int x, int y) {
    state->position = {x, y};
}
TPoint TDC::CurrentPosition() const {
    return state->position;
}

void TDC::LineTo(int x, int y) {
    const TPoint a = LPtoDP(state->position);
    const TPoint b = LPtoDP(TPoint{x, y});
    state->position = {x, y};
    if (state->pen.null || a == b) {
        return;
    }
    painter.setBrush(Qt::NoBrush);
    if (state->pen.width <= 1 || DeviceLength(state->pen.width) <= 1) {
        const QColor color = TQtConvert::Color(state->pen.color);
        // Upright and level lines (grids, frames) as one rectangle: the same pixels, faster.
        if (a.x == b.x || a.y == b.y) {
            const int left = a.x == b.x ? a.x : (a.x < b.x ? a.x : b.x + 1);
            const int top = a.y == b.y ? a.y : (a.y < b.y ? a.y : b.y + 1);
            const int width = a.x == b.x ? 1 : std::abs(b.x - a.x);
            const int height = a.y == b.y ? 1 : std::abs(b.y - a.y);
            painter.fillRect(QRect(left, top, width, height), color);
            return;
        }
        // Every pixel from the start up to, not including, the end point.
        QPolygon pixels;
        int x0 = a.x;
        int y0 = a.y;
        const int dx = std::abs(b.x - a.x);
        const int dy = -std::abs(b.y - a.y);
        const int stepX = a.x < b.x ? 1 : -1;
        const int stepY = a.y < b.y ? 1 : -1;
        int error = dx + dy;
        while (x0 != b.x || y0 != b.y) {
            pixels << QPoint(x0, y0);
            const int e2 = 2 * error;
            if (e2 >= dy) {
                error += dy;
                x0 += stepX;
            }
            if (e2 <= dx) {
                error += dx;
                y0 += stepY;
            }
        }
        painter.setPen(QPen(color, 1));
        painter.drawPoints(pixels);
        return;
    }
    ApplyPen();
    painter.drawLine(QPointF(a.x + 0.5, a.y + 0.5), QPointF(b.x + 0.5, b.y + 0.5));
}

void TDC::Rectangle(const TRect& rect) {
    const TRect d = LPtoDP(rect);
    if (d.IsEmpty()) {
        return;
    }
    if (!state->brush.null) {
        painter.fillRect(TQtConvert::Rect(d), TQtConvert::Color(state->brush.color));
    }
    if (state->pen.null) {
        return;
    }
    const QColor color = TQtConvert::Color(state->pen.color);
    const int width = state->pen.width <= 1 ? 1 : DeviceLength(state->pen.width);
    if (width == 1) {
        painter.fillRect(QRect(d.left, d.top, d.Width(), 1), color);
        painter.fillRect(QRect(d.left, d.bottom - 1, d.Width(), 1), color);
        painter.fillRect(QRect(d.left, d.top, 1, d.Height()), color);
        painter.fillRect(QRect(d.right - 1, d.top, 1, d.Height()), color);
        return;
    }
    ApplyPen();
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(d.left + 0.5, d.top + 0.5, d.Width() - 1, d.Height() - 1));
}

void TDC::FillRect(const TRect& rect, const TBrush& brush) {
    const TRect d = LPtoDP(rect);
    if (!d.IsEmpty() && !brush.null) {
        painter.fillRect(TQtConvert::Rect(d), TQtConvert::Color(brush.color));
    }
}

void TDC::Ellipse(const TRect& rect) {
    const TRect d = LPtoDP(rect);
    if (d.IsEmpty()) {
        return;
    }
    ApplyPen();
    painter.setBrush(state->brush.null ? QBrush(Qt::NoBrush)
                                       : QBrush(TQtConvert::Color(state->brush.color)));
    painter.drawEllipse(QRectF(d.left + 0.5, d.top + 0.5, d.Width() - 1, d.Height() - 1));
}

void TDC::Polygon(const std::vector<TPoint>& points) {
    if (points.size() < 2) {
        return;
    }
    QPolygonF polygon;
    for (const TPoint& p : points) {
        const TPoint d = LPtoDP(p);
        polygon << QPointF(d.x + 0.5, d.y + 0.5);
    }
    ApplyPen();
    painter.setBrush(state->brush.null ? QBrush(Qt::NoBrush)
                                       : QBrush(TQtConvert::Color(state->brush.color)));
    painter.drawPolygon(polygon, Qt::OddEvenFill);
}

void TDC::SetPixel(int x, int y, TColor color) {
    const TPoint d = LPtoDP(TPoint{x, y});
    painter.fillRect(QRect(d.x, d.y, 1, 1), TQtConvert::Color(color));
}

QFont TDC::DeviceFont() const {
    double sx = 1;
    double sy = 1;
    Scale(sx, sy);
    // Device pixels per pixel of the screen the drawing was laid out on: a window printed
    // with the isotropic mapping keeps its proportions on the sheet, text included.
    const double screenPixel = state->mapMode == MapMode::Isotropic ? std::abs(sy) : dpiY / 96.0;
    const TFont& font = state->font;
    const double devicePixels = std::abs(font.height * sy);
    // The font the context starts with, and the dialog face's smallest size, are the
    // 11-pixel dialog font of that screen.
    if (font.height == 0 ||
        (TQtConvert::IsDialogFace(font.face) && devicePixels < 13 * screenPixel)) {
        return TQtConvert::Font(font,
                                -std::max(1, static_cast<int>(std::lround(11 * screenPixel))));
    }
    const int height = std::max(1, static_cast<int>(std::lround(devicePixels)));
    return TQtConvert::Font(font, font.height < 0 ? -height : height);
}

void TDC::PaintText(std::string_view utf8, TRect d, unsigned format, bool singleLine) {
    painter.setFont(DeviceFont());
    const QString text = TQtConvert::Text(utf8);
    int flags = 0;
    flags |= (format & kCenter)  ? Qt::AlignHCenter
             : (format & kRight) ? Qt::AlignRight
                                 : Qt::AlignLeft;
    if (singleLine) {
        flags |= Qt::TextSingleLine;
        flags |= (format & kVCenter)  ? Qt::AlignVCenter
                 : (format & kBottom) ? Qt::AlignBottom
                                      : Qt::AlignTop;
    } else {
        flags |= Qt::AlignTop | Qt::TextWordWrap;
    }
    const QRect box = TQtConvert::Rect(d);
    const QRect bounds = painter.boundingRect(box, flags, text);
    if (state->bkMode == kOpaque) {
        painter.fillRect(bounds, TQtConvert::Color(state->bkColor));
    }
    painter.setPen(TQtConvert::Color(state->textColor));
    painter.drawText(box, flags, text);
}

void TDC::TextOut(int x, int y, std::string_view utf8) {
    const TPoint p = LPtoDP(TPoint{x, y});
    // A box as large as the text's cell, so it lands with its top-left at the point.
    PaintText(utf8, TRect{p.x, p.y, p.x + 100000, p.y + 100000}, kLeft, true);
}

int TDC::DrawText(std::string_view utf8, const TRect& rect, unsigned format) {
    const TRect d = LPtoDP(rect);
    PaintText(utf8, d, format, (format & kSingleLine) || !(format & kWordBreak));
    const QRect bounds = painter.boundingRect(
        TQtConvert::Rect(d), (format & kWordBreak) ? Qt::TextWordWrap : Qt::TextSingleLine,
        TQtConvert::Text(utf8));
    double sx = 1;
    double sy = 1;
    Scale(sx, sy);
    return static_cast<int>(std::lround(bounds.height() / std::abs(sy)));
}

TSize TDC::GetTextExtent(std::string_view utf8) const {
    double sx = 1;
    double sy = 1;
    Scale(sx, sy);
    const QFontMetrics m(DeviceFont());
    return {
        static_cast<int>(std::lround(m.horizontalAdvance(TQtConvert::Text(utf8)) / std::abs(sx))),
        static_cast<int>(std::lround(m.height() / std::abs(sy)))};
}

int TDC::LogPixelsX() const {
    return dpiX;
}
int TDC::LogPixelsY() const {
    return dpiY;
}
TSize TDC::DeviceSize() const {
    return deviceSize;
}

bool TDC::DrawBitmapCell(int bitmapId, const TRect& cell, TPoint destination) {
    const QImage* image = TResources::Bitmap(bitmapId);
    if (!image || image->isNull()) {
        return false;
    }
    double sx = 1;
    double sy = 1;
    Scale(sx, sy);
    const TPoint d = LPtoDP(destination);
    const QRect source = TQtConvert::Rect(cell);
    if (state->mapMode == MapMode::Text) {
        painter.drawImage(QPoint(d.x, d.y), *image, source);
    } else {
        const QRect target(d.x, d.y, static_cast<int>(std::lround(cell.Width() * std::abs(sx))),
                           static_cast<int>(std::lround(cell.Height() * std::abs(sy))));
        painter.drawImage(target, *image, source);
    }
    return true;
}

bool TDC::DrawBitmap(int bitmapId, TPoint destination) {
    const QImage* image = TResources::Bitmap(bitmapId);
    return image &&
           DrawBitmapCell(bitmapId, TRect{0, 0, image->width(), image->height()}, destination);
}

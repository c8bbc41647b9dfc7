#pragma once
// Conversions between the framework's plain types and Qt's; for framework code only.

#include "framework/TColor.h"
#include "framework/TFont.h"
#include "framework/TRect.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <string>
#include <string_view>

class TQtConvert {
public:
    static QColor Color(TColor c) { return QColor(c.r, c.g, c.b); }
    static TColor Color(const QColor& c) { return TColor(c.red(), c.green(), c.blue()); }
    static QRect Rect(const TRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }
    static TRect Rect(const QRect& r) { return TRect::OfSize(r.x(), r.y(), r.width(), r.height()); }
    static QString Text(std::string_view utf8) {
        return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    }
    static std::string Text(const QString& text) { return text.toUtf8().toStdString(); }

    // The installed family standing in for a face of the original desktop.
    static QString Family(const std::string& face);
    // A font whose character (negative) or cell (positive) height is the given number of
    // device pixels; 0 gives the dialog font, about 11 pixels. Never antialiased.
    static QFont Font(const TFont& font, int devicePixels);
    // "MS Sans Serif": a bitmap face whose smallest size is the dialog font.
    static bool IsDialogFace(const std::string& face);
    // The program's dialog font: the system sans-serif at 11 pixels.
    static QFont DialogFont();

private:
    static QString LookUpFamily(const std::string& face);
};

#include "framework/TQtConvert.h"

#include <QFontDatabase>
#include <QFontMetrics>

#include <cstdlib>
#include <map>

namespace {

bool Installed(const QString& family) {
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

QString FirstInstalled(std::initializer_list<const char*> families,
                       QFontDatabase::SystemFont fallback) {
    for (const char* f : families) {
        if (Installed(f)) {
            return f;
        }
    }
    return QFontDatabase::systemFont(fallback).family();
}

} // namespace

QString TQtConvert::Family(const std::string& face) {
    // Asking the font database is slow and its answer does not change while the program
    // runs: each face is looked up once.
    static std::map<std::string, QString> known;
    const auto found = known.find(face);
    if (found != known.end()) {
        return found->second;
    }
    return known.emplace(face, LookUpFamily(face)).first->second;
}

QString TQtConvert::LookUpFamily(const std::string& face) {
    const QString f = QString::fromStdString(face).toLower();
    if (f.contains("courier") || f.contains("mono") || f == "fixedsys") {
        return FirstInstalled({"Liberation Mono", "DejaVu Sans Mono"}, QFontDatabase::FixedFont);
    }
    if (f.contains("times") || (f.contains("serif") && !f.contains("sans"))) {
        return FirstInstalled({"Liberation Serif", "DejaVu Serif"}, QFontDatabase::GeneralFont);
    }
    if (!f.isEmpty() && !f.contains("ms sans") && f != "arial" && f != "helv" &&
        Installed(QString::fromStdString(face))) {
        return QString::fromStdString(face);
    }
    return FirstInstalled({"Liberation Sans", "DejaVu Sans"}, QFontDatabase::GeneralFont);
}

QFont TQtConvert::Font(const TFont& font, int devicePixels) {
    QFont q(Family(font.face));
    q.setStyleStrategy(QFont::NoAntialias);
    // Unsmoothed glyphs hinted only vertically overhang their advance: "Show tool" reads
    // "Showtool". Full hinting gives each glyph the width it is drawn with.
    q.setHintingPreference(QFont::PreferFullHinting);
    q.setWeight(font.weight >= 600 ? QFont::Bold : QFont::Normal);
    q.setItalic(font.italic);
    int pixels = std::abs(devicePixels);
    // "MS Sans Serif" was a bitmap font whose smallest size is the dialog font (a 13-pixel
    // cell): a smaller request got that size, so it gets the dialog font here.
    if (pixels == 0 || (IsDialogFace(font.face) && pixels < 13)) {
        pixels = 11;
    } else if (devicePixels > 0) {
        // A cell height: the em is the cell less the internal leading.
        q.setPixelSize(100);
        const QFontMetrics m(q);
        pixels = std::max(1, pixels * 100 / std::max(1, m.ascent() + m.descent()));
    }
    q.setPixelSize(pixels);
    return q;
}

bool TQtConvert::IsDialogFace(const std::string& face) {
    return QString::fromStdString(face).toLower().contains("ms sans");
}

QFont TQtConvert::DialogFont() {
    return Font(TFont{}, -11);
}

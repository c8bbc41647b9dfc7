#pragma once
// The sixteen colours every picture of the program is painted with, so that
// faces, tool bar and pictures sit together on the light-grey dialogs.

#include <QColor>

class ArtPalette {
public:
    static QColor Black() { return {0, 0, 0}; }
    static QColor Maroon() { return {128, 0, 0}; }
    static QColor Green() { return {0, 128, 0}; }
    static QColor Olive() { return {128, 128, 0}; }
    static QColor Navy() { return {0, 0, 128}; }
    static QColor Purple() { return {128, 0, 128}; }
    static QColor Teal() { return {0, 128, 128}; }
    static QColor Silver() { return {192, 192, 192}; }
    static QColor Grey() { return {128, 128, 128}; }
    static QColor Red() { return {255, 0, 0}; }
    static QColor Lime() { return {0, 255, 0}; }
    static QColor Yellow() { return {255, 255, 0}; }
    static QColor Blue() { return {0, 0, 255}; }
    static QColor Fuchsia() { return {255, 0, 255}; }
    static QColor Aqua() { return {0, 255, 255}; }
    static QColor White() { return {255, 255, 255}; }
};

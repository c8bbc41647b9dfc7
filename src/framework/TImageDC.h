#pragma once
// A device context that draws into an image of its own: tests read its pixels, and windows
// are painted into one to be looked at or printed.

#include "framework/TDC.h"

#include <memory>
#include <string>

class QImage;
class QPainter;
class TWindow;

class TImageDC {
public:
    TImageDC(int width, int height, TColor fill = TColor::White(), int pixelsPerInch = 96);
    ~TImageDC();

    TDC& DC() { return *dc; }
    TColor Pixel(int x, int y) const;
    // Ends drawing; the image is complete afterwards and DC() must not be used.
    const QImage& Finish();
    bool SavePng(const std::string& fileName);

    // Paints a window's client area through its Paint, as the screen would.
    static TImageDC PaintWindow(TWindow& window);
    TImageDC(TImageDC&&) noexcept;

private:
    std::unique_ptr<QImage> image;
    std::unique_ptr<QPainter> painter;
    std::unique_ptr<TDC> dc;
};

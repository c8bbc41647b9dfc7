#pragma once
// A device context with the classic rules, on a window, an image or a printer page:
// rectangles and fills leave out their right and bottom edge, a line leaves out its end
// point, text is placed by the top-left of its cell, nothing is antialiased, 1-pixel pens
// are exact and wider pens are centred on the line. Coordinates are logical and go through
// the mapping mode; pens, brushes and fonts are selected for a paint and restored after it.

#include "framework/TBrush.h"
#include "framework/TColor.h"
#include "framework/TFont.h"
#include "framework/TPen.h"
#include "framework/TPoint.h"
#include "framework/TRect.h"

#include <memory>
#include <string_view>
#include <vector>

class QPainter;

class TDC {
public:
    enum class MapMode { Text, LoEnglish, Isotropic };
    enum BkMode { kTransparent = 1, kOpaque = 2 };
    // DrawText formats; they combine.
    static constexpr unsigned kLeft = 0x0;
    static constexpr unsigned kCenter = 0x1;
    static constexpr unsigned kRight = 0x2;
    static constexpr unsigned kVCenter = 0x4;
    static constexpr unsigned kBottom = 0x8;
    static constexpr unsigned kWordBreak = 0x10;
    static constexpr unsigned kSingleLine = 0x20;

    // For the framework: a context over a painter already begun on a device.
    TDC(QPainter& painter, int pixelsPerInchX, int pixelsPerInchY, TSize deviceSize);
    virtual ~TDC();
    TDC(const TDC&) = delete;
    TDC& operator=(const TDC&) = delete;

    void SelectPen(const TPen& pen);
    void SelectBrush(const TBrush& brush);
    void SelectFont(const TFont& font);
    // Back to the pen, brush or font the context started with.
    void RestorePen();
    void RestoreBrush();
    void RestoreFont();
    void RestoreObjects();

    // Saves the whole state (objects, colours, modes, mapping, position, clip); RestoreDC
    // goes back to the last save, or to the given one and drops the later ones.
    int SaveDC();
    bool RestoreDC(int saved = -1);

    void SetTextColor(TColor color);
    void SetBkColor(TColor color);
    void SetBkMode(int mode);
    TColor GetTextColor() const;
    TColor GetBkColor() const;

    void SetMapMode(MapMode mode);
    MapMode GetMapMode() const;
    void SetWindowOrg(TPoint origin);
    void SetWindowExt(TSize extent);
    void SetViewportOrg(TPoint origin);
    void SetViewportExt(TSize extent);
    TPoint LPtoDP(TPoint logical) const;
    TPoint DPtoLP(TPoint device) const;
    TRect LPtoDP(const TRect& logical) const; // normalised: left < right, top < bottom

    // Clip rectangles are logical; SelectClipRect replaces, IntersectClipRect narrows.
    void SelectClipRect(const TRect& rect);
    void IntersectClipRect(const TRect& rect);
    void ClearClipRect();

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    TPoint CurrentPosition() const;
    void Rectangle(const TRect& rect);
    void Rectangle(int left, int top, int right, int bottom) {
        Rectangle(TRect{left, top, right, bottom});
    }
    void FillRect(const TRect& rect, const TBrush& brush);
    void Ellipse(const TRect& rect);
    void Polygon(const std::vector<TPoint>& points);
    void SetPixel(int x, int y, TColor color);

    void TextOut(int x, int y, std::string_view utf8);
    // Returns the height of the drawn text in logical units.
    int DrawText(std::string_view utf8, const TRect& rect, unsigned format);
    TSize GetTextExtent(std::string_view utf8) const; // logical units

    // Logical pixels per inch and the page or window size in device pixels.
    int LogPixelsX() const;
    int LogPixelsY() const;
    TSize DeviceSize() const;

    // Copies one cell of a bitmap resource (source pixels) to a logical point; the cell keeps
    // its pixel size in MM_TEXT and is scaled by the mapping otherwise. False without art.
    bool DrawBitmapCell(int bitmapId, const TRect& cell, TPoint destination);
    bool DrawBitmap(int bitmapId, TPoint destination);

    QPainter& Painter() { return painter; }

private:
    struct State;
    void ApplyPen();
    void ApplyClip();
    int DeviceLength(int logicalWidth) const;
    void Scale(double& sx, double& sy) const;
    class QFont DeviceFont() const;
    void PaintText(std::string_view utf8, TRect deviceRect, unsigned format, bool singleLine);

    QPainter& painter;
    int dpiX;
    int dpiY;
    TSize deviceSize;
    std::unique_ptr<State> state;
    std::vector<State> saved;
};

#pragma once
// Scrolling of a window's view: units in pixels, ranges in units, scroll bars shown or
// hidden on demand, and a scroll back to the origin.

class TWindow;

class TScroller {
public:
    TScroller(TWindow& window, int xUnit, int yUnit, int xRange, int yRange);

    int XUnit() const { return xUnit; }
    int YUnit() const { return yUnit; }
    int XRange() const { return xRange; }
    int YRange() const { return yRange; }
    void SetRange(int x, int y);

    void ShowScrollBars(bool horizontal, bool vertical);
    bool HorizontalShown() const { return horizontalShown; }
    bool VerticalShown() const { return verticalShown; }
    // Scrolls so that the view's top-left is at the given position, in units.
    void ScrollTo(int x, int y);
    int XPos() const;
    int YPos() const;

private:
    TWindow& window;
    int xUnit;
    int yUnit;
    int xRange;
    int yRange;
    bool horizontalShown = false;
    bool verticalShown = false;
};

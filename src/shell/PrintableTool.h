#pragma once
// A tool window's drawing as File > Print puts it on the sheet. ToolDialog answers with its
// own paint, which a tool may add to; the screen printout needs to know no more of it.

class TDC;
struct TRect;

class PrintableTool {
public:
    virtual void PaintForPrinting(TDC& dc, const TRect& area) = 0;

protected:
    ~PrintableTool() = default;
};

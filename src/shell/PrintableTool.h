#pragma once
// A tool window's drawing as File > Print puts it on the sheet. ToolDialog answers with its
// own paint, which a tool may add to; the screen printout needs to know no more of it. A
// tool whose window is lists rather than a drawing gives their text instead, printed as
// pages of lines.

#include <string>
#include <vector>

class TDC;
struct TRect;

class PrintableTool {
public:
    virtual void PaintForPrinting(TDC& dc, const TRect& area) = 0;
    // The lines File > Print puts on pages in place of the window's paint; none: the paint.
    virtual std::vector<std::string> PrintedLines() const { return {}; }

protected:
    ~PrintableTool() = default;
};

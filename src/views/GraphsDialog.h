#pragma once
// Graphs (dialog 5): one category of the selected days plotted as a bar, line, area or
// moving-average graph of at most 30 points. The category and the kind change what is
// drawn from the days already selected; day type and range reload after the pause.
// GraphSeries gathers the points and the scale; this dialog draws them.

#include "views/GraphSeries.h"
#include "views/GraphsButtons.h"
#include "views/RangeViewDialog.h"

#include <string>
#include <vector>

class GraphsDialog : public RangeViewDialog, public GraphsButtons {
public:
    enum class Kind { Line = 0, Bar = 1, Area = 2, MovingAverage = 3 };

    static constexpr TColor kBody{128, 0, 128};
    static constexpr TColor kEdge{255, 0, 255};
    static constexpr TColor kAverage{255, 255, 0};
    static constexpr int kBaseline = 289;
    // Where the n-th vertical grid line stands.
    static constexpr int GridX(int line) { return 88 + 13 * line; }

    explicit GraphsDialog(ClientWindow& client);
    // Dialog template 5 and the Graphs Speed Menu.
    static void RegisterTemplate();

    Kind CurrentKind() const { return kind; }
    const GraphSeries& Series() const { return series; }
    // The line printing writes above the graph.
    static std::string PrintHeading() { return "Graph containing 30 days of data"; }
    void PaintForPrinting(TDC& dc, const TRect& area) override;

protected:
    void ShowHeader() override;
    void Paint(TDC& dc, bool erase, const TRect& area) override;

private:
    void ChooseKind(Kind chosen);
    void DrawGrid(TDC& dc) const;
    void DrawBars(TDC& dc) const;
    // One series of values as a line (with dots) or as filled areas, value 0 on grid line
    // `firstLine`.
    void DrawSeries(TDC& dc, const std::vector<std::int32_t>& values, int firstLine, bool area,
                    TColor main, TColor highlight) const;

    Kind kind = Kind::Bar;
    GraphSeries series;
};

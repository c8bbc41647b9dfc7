#include "views/GraphsDialog.h"

#include "framework/TDC.h"
#include "shell/ClientWindow.h"
#include "shell/ResourceIds.h"
#include "shell/ToolPage.h"
#include "views/SelectorIds.h"

#include <cstdio>

GraphsDialog::GraphsDialog(ClientWindow& client)
    : RangeViewDialog(client, res::kGraphsDialog, res::kGraphsReloadTimer) {
    OnCommand(selector::kCategory, [this] {
        MutableSelection().NextCategory();
        SetDlgItemText(selector::kCategoryText,
                       ViewSelection::CategoryText(Selection().CurrentCategory()));
        InvalidateRect(kViewRect, true);
    });
    OnCommand(kBarGraph, [this] { ChooseKind(Kind::Bar); });
    OnCommand(kLineGraph, [this] { ChooseKind(Kind::Line); });
    OnCommand(kAreaGraph, [this] { ChooseKind(Kind::Area); });
    OnCommand(kMovingAverage, [this] { ChooseKind(Kind::MovingAverage); });
}

void GraphsDialog::ShowHeader() {
    RangeViewDialog::ShowHeader();
    SetDlgItemText(selector::kCategoryText,
                   ViewSelection::CategoryText(Selection().CurrentCategory()));
}

void GraphsDialog::ChooseKind(Kind chosen) {
    kind = chosen;
    InvalidateRect(kViewRect, true);
}

void GraphsDialog::Paint(TDC& dc, bool, const TRect&) {
    series.Gather(Client().Database(), Positions(), Selection().CurrentCategory());
    DrawGrid(dc);
    if (!series.Points().empty()) {
        switch (kind) {
        case Kind::Bar:
            DrawBars(dc);
            break;
        case Kind::Line:
            DrawSeries(dc, series.Points(), 1, false, kBody, kEdge);
            break;
        case Kind::Area:
            DrawSeries(dc, series.Points(), 1, true, kBody, kEdge);
            break;
        case Kind::MovingAverage:
            DrawSeries(dc, series.Points(), 1, false, kBody, kEdge);
            DrawSeries(dc, series.Averages(), GraphSeries::kAverageWindow, false, kAverage,
                       TColor::White());
            break;
        }
    }
    dc.RestoreObjects();
}

void GraphsDialog::PaintForPrinting(TDC& dc, const TRect& area) {
    dc.TextOut(0, 0, PrintHeading());
    PaintTo(dc, false, area);
}

void GraphsDialog::DrawGrid(TDC& dc) const {
    dc.SelectPen(TPen{TColor::Gray(), 1});
    dc.SelectBrush(TBrush{TColor::LightGray()});
    dc.MoveTo(87, 89);
    dc.LineTo(87, 290);
    dc.LineTo(478, 290);
    for (int i = 0; i < GraphSeries::kLabels; ++i) {
        dc.MoveTo(88, kBaseline - 20 * i);
        dc.LineTo(478, kBaseline - 20 * i);
    }
    for (int i = 0; i <= GraphSeries::kMostPoints; ++i) {
        dc.MoveTo(GridX(i), 89);
        dc.LineTo(GridX(i), kBaseline);
    }

    dc.SelectFont(TFont{"MS Sans Serif", 8, TFont::kNormal});
    dc.SetBkColor(TColor::LightGray());
    dc.SetBkMode(TDC::kOpaque);
    dc.SetTextColor(TColor::Black());
    dc.SelectPen(TPen{TColor::Gray(), 3});
    const bool time = ViewSelection::IsTimeValued(series.PlottedCategory());
    const auto labels = series.Labels(Client().Dates());
    for (int i = 0; i < GraphSeries::kLabels; ++i) {
        const int y = kBaseline - 20 * i;
        const std::string& label = labels[static_cast<std::size_t>(i)];
        dc.TextOut((time ? 96 : 80) - 8 * static_cast<int>(label.size()), y - 8, label);
        dc.MoveTo(84, y);
        dc.LineTo(87, y);
    }
    for (int i = 0; i <= GraphSeries::kMostPoints; ++i) {
        const int x = GridX(i);
        dc.MoveTo(x, 290);
        dc.LineTo(x, 293);
        if (i % 5 == 0) {
            char label[8];
            std::snprintf(label, sizeof label, "%02d", i);
            dc.TextOut(x - 8, 297, label);
        }
    }
}

void GraphsDialog::DrawBars(TDC& dc) const {
    dc.SelectPen(TPen{kEdge, 1});
    const auto& points = series.Points();
    for (std::size_t i = 0; i < points.size(); ++i) {
        const int x = GridX(static_cast<int>(i));
        const int top = kBaseline - series.Height(points[i]);
        dc.FillRect(TRect{x + 2, top, x + 11, kBaseline}, TBrush{kBody});
        dc.MoveTo(x + 1, top);
        dc.LineTo(x + 12, top);
        dc.MoveTo(x + 1, top);
        dc.LineTo(x + 1, kBaseline);
        dc.MoveTo(x + 2, top);
        dc.LineTo(x + 2, kBaseline);
        dc.FillRect(TRect{x + 11, top, x + 13, kBaseline}, TBrush{TColor::Black()});
    }
}

void GraphsDialog::DrawSeries(TDC& dc, const std::vector<std::int32_t>& values, int firstLine,
                              bool area, TColor main, TColor highlight) const {
    const auto dot = [&dc](int x, int height) {
        dc.SelectPen(TPen{TColor::White(), 1});
        dc.SelectBrush(TBrush{TColor::White()});
        dc.Ellipse(TRect{x - 3, 286 - height, x + 3, 292 - height});
    };
    for (std::size_t j = 1; j < values.size(); ++j) {
        const int x = GridX(firstLine + static_cast<int>(j) - 1);
        const int p = series.Height(values[j - 1]);
        const int q = series.Height(values[j]);
        if (area) {
            dc.SelectPen(TPen{main, 3});
            dc.SelectBrush(TBrush{main});
            dc.Polygon({TPoint{x, kBaseline}, TPoint{x, kBaseline - p},
                        TPoint{x + 13, kBaseline - q}, TPoint{x + 13, kBaseline}});
            continue;
        }
        dc.SelectPen(TPen{highlight, 3});
        dc.MoveTo(x - 1, 288 - p);
        dc.LineTo(x + 12, 288 - q);
        dc.SelectPen(TPen{TColor::Black(), 3});
        dc.MoveTo(x, 292 - p);
        dc.LineTo(x + 13, 292 - q);
        dc.SelectPen(TPen{main, 3});
        dc.MoveTo(x, kBaseline - p);
        dc.LineTo(x + 13, kBaseline - q);
        dot(x, p);
        dc.RestorePen();
        dc.RestoreBrush();
    }
    if (!area && !values.empty()) {
        const int last = static_cast<int>(values.size()) - 1;
        dot(GridX(firstLine + last), series.Height(values.back()));
        dc.RestorePen();
        dc.RestoreBrush();
    }
}

void GraphsDialog::RegisterTemplate() {
    using C = TControlTemplate;
    using P = ToolPage;
    using namespace selector;
    RegisterPage(res::kGraphsDialog,
                 {{P::Centred(kCategoryText, 4, 2, 88, 8), P::Centred(kDayTypeText, 98, 2, 92, 8)},
                  P::Divider(1, 200),
                  {P::Button(kCategory, 8, 16, C::kDefault), P::Button(kDayType, 56, 16),
                   P::Button(kBarGraph, 104, 16), P::Button(kLineGraph, 152, 16),
                   P::Button(kAreaGraph, 200, 16), P::Button(kMovingAverage, 248, 16)}},
                 "Graphs Speed Menu", kButtons);
}

#include "views/StatsDialog.h"

#include "framework/TDC.h"
#include "shell/ClientWindow.h"
#include "shell/ResourceIds.h"
#include "shell/ToolPage.h"
#include "views/StatsButtons.h"

StatsDialog::StatsDialog(ClientWindow& client)
    : RangeViewDialog(client, res::kStatsDialog, res::kStatsReloadTimer) {}

TPoint StatsDialog::CellOrigin(int row, int column) {
    return TPoint{kFirstColumnLine + kColumnStep * column + kTextOffset.x,
                  kFirstRowLine + kRowStep * row + kTextOffset.y};
}

void StatsDialog::Paint(TDC& dc, bool, const TRect&) {
    table.Compute(Client().Database(), Positions(), LoadedDays());

    dc.SelectPen(TPen{TColor::Gray(), 1});
    dc.SelectBrush(TBrush{TColor::LightGray()});
    dc.Rectangle(kGridFrame);
    for (int i = 0; i < StatisticsTable::kRows; ++i) {
        const int y = kFirstRowLine + kRowStep * i;
        dc.MoveTo(kViewRect.left, y);
        dc.LineTo(kViewRect.right, y);
    }
    for (int j = 0; j < StatisticsTable::kColumns; ++j) {
        const int x = kFirstColumnLine + kColumnStep * j;
        dc.MoveTo(x, kViewRect.top);
        dc.LineTo(x, kViewRect.bottom);
    }
    dc.SetTextColor(TColor::Black());
    dc.SetBkColor(TColor::LightGray());
    dc.SetBkMode(TDC::kOpaque);
    for (int i = 0; i < StatisticsTable::kRows; ++i) {
        dc.TextOut(kRowTitleLeft, CellOrigin(i, 0).y,
                   StatisticsTable::kRowTitles[static_cast<std::size_t>(i)]);
    }
    for (int j = 0; j < StatisticsTable::kColumns; ++j) {
        dc.TextOut(CellOrigin(0, j).x, kColumnTitleTop,
                   StatisticsTable::kColumnTitles[static_cast<std::size_t>(j)]);
    }
    dc.SelectFont(TFont{"MS Sans Serif", 8, TFont::kNormal});
    const DateUtility& dates = Client().Dates();
    for (int i = 0; i < StatisticsTable::kRows; ++i) {
        for (int j = 0; j < StatisticsTable::kColumns; ++j) {
            const TPoint at = CellOrigin(i, j);
            dc.TextOut(at.x, at.y, table.CellText(i, j, dates));
        }
    }
    dc.RestoreObjects();
}

void StatsDialog::RegisterTemplate() {
    using C = TControlTemplate;
    using P = ToolPage;
    using namespace selector;
    RegisterPage(res::kStatsDialog,
                 {{P::Centred(kDayTypeText, 4, 2, 88, 8)},
                  P::Divider(5, 204),
                  {P::Button(kDayType, 8, 16, C::kDefault)}},
                 "Statistics Speed Menu", StatsButtons::kButtons);
}

#include "views/StatsDialog.h"

#include "framework/TDC.h"
#include "framework/TResources.h"
#include "shell/ClientWindow.h"
#include "shell/ResourceIds.h"
#include "shell/ToolPage.h"
#include "views/StatsButtons.h"

StatsDialog::StatsDialog(ClientWindow& client)
    : RangeViewDialog(client, res::kStatsDialog, res::kStatsReloadTimer) {}

void StatsDialog::Paint(TDC& dc, bool, const TRect&) {
    table.Compute(Client().Database(), Positions(), LoadedDays());

    dc.SelectPen(TPen{TColor::Gray(), 1});
    dc.SelectBrush(TBrush{TColor::LightGray()});
    dc.Rectangle(14, 80, 490, 317);
    for (int i = 0; i < StatisticsTable::kRows; ++i) {
        const int y = 296 - 21 * i;
        dc.MoveTo(16, y);
        dc.LineTo(491, y);
    }
    for (int j = 0; j < StatisticsTable::kColumns; ++j) {
        const int x = 84 + 68 * j;
        dc.MoveTo(x, 81);
        dc.LineTo(x, 317);
    }
    dc.SetTextColor(TColor::Black());
    dc.SetBkColor(TColor::LightGray());
    dc.SetBkMode(TDC::kOpaque);
    for (int i = 0; i < StatisticsTable::kRows; ++i) {
        dc.TextOut(23, 109 + 21 * i, StatisticsTable::kRowTitles[static_cast<std::size_t>(i)]);
    }
    for (int j = 0; j < StatisticsTable::kColumns; ++j) {
        dc.TextOut(91 + 68 * j, 88, StatisticsTable::kColumnTitles[static_cast<std::size_t>(j)]);
    }
    dc.SelectFont(TFont{"MS Sans Serif", 8, TFont::kNormal});
    const DateUtility& dates = Client().Dates();
    for (int i = 0; i < StatisticsTable::kRows; ++i) {
        for (int j = 0; j < StatisticsTable::kColumns; ++j) {
            dc.TextOut(91 + 68 * j, 109 + 21 * i, table.CellText(i, j, dates));
        }
    }
    dc.RestoreObjects();
}

void StatsDialog::RegisterTemplate() {
    using C = TControlTemplate;
    using P = ToolPage;
    using namespace selector;
    TDialogTemplate t = P::Page();
    P::AddRangeHeader(t, kStartText, kEndText);
    t.controls.push_back(P::Centred(kDayTypeText, 4, 2, 88, 8));
    t.controls.push_back(P::WorkArea());
    t.controls.push_back(P::Divider(5, 204));
    t.controls.push_back(P::Button(kDayType, 8, 16, C::kDefault));
    P::AddRightColumn(t, {kNextStart, kPreviousStart, kNextEnd, kPreviousEnd});
    TResources::AddDialog(res::kStatsDialog, t);

    P::AddSpeedMenu(res::kStatsDialog,
                    P::SpeedMenu("Statistics Speed Menu", StatsButtons::kButtons));
}

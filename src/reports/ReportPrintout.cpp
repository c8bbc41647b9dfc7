#include "reports/ReportPrintout.h"

#include "framework/TDC.h"
#include "reports/ReportPreviewWindow.h"

ReportPrintout::ReportPrintout(const std::string& title, ReportPreviewWindow& preview)
    : TPrintout(title), preview(preview), lastPage(preview.PageCount()) {}

void ReportPrintout::GetDialogInfo(int& minPage, int& maxPage, int& selFromPage, int& selToPage) {
    minPage = 0;
    maxPage = 0;
    selFromPage = 0;
    selToPage = 0;
}

bool ReportPrintout::HasPage(int) {
    if (preview.CurrentPage() <= lastPage) {
        return true;
    }
    preview.SetCurrentPage(1);
    preview.Invalidate(true);
    return false;
}

void ReportPrintout::PrintPage(int, TRect& band, unsigned) {
    TDC* dc = DC();
    const TRect client = preview.ClientRect();
    if (!dc || scale != 1) {
        return;
    }
    const TDC::MapMode previous = dc->GetMapMode();
    dc->SaveDC();
    dc->SetMapMode(TDC::MapMode::Isotropic);
    dc->SetWindowExt(client.Size());
    dc->SetViewportExt(PageSize());
    const TPoint a = dc->DPtoLP(band.TopLeft());
    const TPoint b = dc->DPtoLP(TPoint{band.right, band.bottom});
    TRect logical{a.x, a.y, b.x, b.y};
    // The paint sets its own mapping: the page lands at true size on the sheet.
    preview.PaintTo(*dc, false, logical);
    dc->RestoreDC();
    dc->SetMapMode(previous);
    preview.SetCurrentPage(preview.CurrentPage() + 1);
}

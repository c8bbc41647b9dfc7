#include "shell/ScreenDumpPrintout.h"

#include "framework/TDC.h"
#include "framework/TWindow.h"
#include "shell/PrintableTool.h"

ScreenDumpPrintout::ScreenDumpPrintout(const std::string& title, TWindow& window)
    : TPrintout(title), window(window) {}

void ScreenDumpPrintout::GetDialogInfo(int& minPage, int& maxPage, int& selFromPage,
                                       int& selToPage) {
    minPage = 0;
    maxPage = 0;
    selFromPage = 0;
    selToPage = 0;
}

void ScreenDumpPrintout::PrintPage(int, TRect& band, unsigned) {
    TDC* dc = DC();
    const TRect client = window.ClientRect();
    if (!dc || client.IsEmpty() || scale != 1) {
        return;
    }
    const TDC::MapMode previous = dc->GetMapMode();
    dc->SaveDC();
    dc->SetMapMode(TDC::MapMode::Isotropic);
    dc->SetViewportExt(PageSize());
    dc->SetWindowExt(client.Size());
    dc->SelectClipRect(client);
    const TPoint a = dc->DPtoLP(band.TopLeft());
    const TPoint b = dc->DPtoLP(TPoint{band.right, band.bottom});
    TRect logical{a.x, a.y, b.x, b.y};
    if (auto* tool = dynamic_cast<PrintableTool*>(&window)) {
        tool->PaintForPrinting(*dc, logical);
    } else {
        window.PaintTo(*dc, false, logical);
    }
    dc->RestoreDC();
    dc->SetMapMode(previous);
}

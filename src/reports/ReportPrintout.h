#pragma once
// The report on paper: one sheet per page from the preview's current page to the last,
// each drawn by the preview's own paint at true size. The report's length is taken when the
// print starts (the Reports window holds its layout still until the print ends). When the
// pages run out the preview goes back to page 1.

#include "framework/TPrintout.h"

class ReportPreviewWindow;

class ReportPrintout : public TPrintout {
public:
    static constexpr const char* kTitle = "Veloria Report";

    ReportPrintout(const std::string& title, ReportPreviewWindow& preview);

    void GetDialogInfo(int& minPage, int& maxPage, int& selFromPage, int& selToPage) override;
    bool HasPage(int pageNumber) override;
    void PrintPage(int page, TRect& band, unsigned flags) override;

private:
    ReportPreviewWindow& preview;
    int scale = 1;
    int lastPage;
};

#pragma once
// One sheet with what a tool window draws itself (its graph, grid or table; not its
// controls), scaled up evenly until it fills the page's width or height.

#include "framework/TPrintout.h"

class TWindow;

class ScreenDumpPrintout : public TPrintout {
public:
    ScreenDumpPrintout(const std::string& title, TWindow& window);

    void GetDialogInfo(int& minPage, int& maxPage, int& selFromPage, int& selToPage) override;
    bool HasPage(int pageNumber) override { return pageNumber == 1; }
    void PrintPage(int page, TRect& band, unsigned flags) override;

private:
    TWindow& window;
    int scale = 1;
};

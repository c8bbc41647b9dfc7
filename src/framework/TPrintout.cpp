#include "framework/TPrintout.h"

void TPrintout::GetDialogInfo(int& minPage, int& maxPage, int& selFromPage, int& selToPage) {
    minPage = 1;
    maxPage = 1;
    selFromPage = 0;
    selToPage = 0;
}

void TPrintout::SetPrintParams(TDC* newDc, TSize newPageSize) {
    dc = newDc;
    pageSize = newPageSize;
}

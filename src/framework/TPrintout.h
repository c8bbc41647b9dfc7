#pragma once
// A document to print: the printer asks it for its pages one by one and hands it a device
// context for each page.

#include "framework/TRect.h"
#include "framework/TSize.h"

#include <string>

class TDC;

class TPrintout {
public:
    explicit TPrintout(std::string title) : title(std::move(title)) {}
    virtual ~TPrintout() = default;

    const std::string& Title() const { return title; }
    // The name of the PDF file the page goes to when there is no printer, without ".pdf".
    virtual std::string PdfName() const { return title; }

    // The print run, in this order: GetDialogInfo, SetPrintParams, BeginPrinting,
    // BeginDocument, then HasPage(n) / PrintPage(n) for n = 1, 2, 3 ... while HasPage says
    // yes, EndDocument, EndPrinting.
    virtual void GetDialogInfo(int& minPage, int& maxPage, int& selFromPage, int& selToPage);
    virtual void SetPrintParams(TDC* dc, TSize pageSize);
    virtual void BeginPrinting() {}
    virtual void BeginDocument(int /*startPage*/, int /*endPage*/, unsigned /*flags*/) {}
    virtual bool HasPage(int pageNumber) { return pageNumber == 1; }
    virtual void PrintPage(int page, TRect& band, unsigned flags) = 0;
    virtual void EndDocument() {}
    virtual void EndPrinting() {}

protected:
    TDC* DC() const { return dc; }
    TSize PageSize() const { return pageSize; }

private:
    std::string title;
    TDC* dc = nullptr;
    TSize pageSize;
};

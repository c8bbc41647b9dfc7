#include "shell/TextPagesPrintout.h"

#include "framework/TDC.h"

TextPagesPrintout::TextPagesPrintout(const std::string& title, std::vector<std::string> lines)
    : TPrintout(title), lines(std::move(lines)) {}

int TextPagesPrintout::PageCount(std::size_t lineCount) {
    // An empty list still prints its one page.
    const auto perPage = static_cast<std::size_t>(kLinesPerPage);
    return lineCount == 0 ? 1 : static_cast<int>((lineCount + perPage - 1) / perPage);
}

void TextPagesPrintout::GetDialogInfo(int& minPage, int& maxPage, int& selFromPage,
                                      int& selToPage) {
    minPage = 1;
    maxPage = PageCount(lines.size());
    selFromPage = minPage;
    selToPage = maxPage;
}

bool TextPagesPrintout::HasPage(int pageNumber) {
    return pageNumber >= 1 && pageNumber <= PageCount(lines.size());
}

void TextPagesPrintout::PrintPage(int page, TRect&, unsigned) {
    TDC* dc = DC();
    if (!dc) {
        return;
    }
    dc->SaveDC();
    dc->SetMapMode(TDC::MapMode::LoEnglish);
    dc->SetTextColor(TColor::Black());
    dc->SetBkMode(TDC::kTransparent);
    dc->SelectFont(TFont{"Courier New", kFontHeight, TFont::kNormal});
    const std::size_t first = static_cast<std::size_t>(page - 1) * kLinesPerPage;
    TRect text{kLeft, kTop, kRight, kTop - kLineStep};
    for (std::size_t i = first; i < lines.size() && i < first + kLinesPerPage; ++i) {
        dc->DrawText(lines[i], text, TDC::kLeft | TDC::kSingleLine);
        text.top -= kLineStep;
        text.bottom -= kLineStep;
    }
    const int pages = PageCount(lines.size());
    if (pages > 1) {
        const int foot = kTop - (kLinesPerPage + 1) * kLineStep;
        dc->DrawText("Page " + std::to_string(page) + " of " + std::to_string(pages),
                     TRect{kLeft, foot, kRight, foot - kLineStep}, TDC::kCenter | TDC::kSingleLine);
    }
    dc->RestoreDC();
}

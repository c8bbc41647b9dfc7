#pragma once
// Lines of text on sheets, top to bottom at a fixed pitch in a fixed-width face, a page
// number at each foot: how a tool made of lists goes on paper. Lines too long for the
// sheet are cut at its right edge, never wrapped into the next line's place.

#include "framework/TPrintout.h"

#include <string>
#include <vector>

class TextPagesPrintout : public TPrintout {
public:
    // Hundredths of an inch: the same sheet for Letter and A4.
    static constexpr int kLeft = 50;
    static constexpr int kRight = 750;
    static constexpr int kTop = -75;
    static constexpr int kLineStep = 20;
    static constexpr int kFontHeight = 16;
    static constexpr int kLinesPerPage = 46; // 0.75 in to 10 in down, the foot kept free

    TextPagesPrintout(const std::string& title, std::vector<std::string> lines);

    static int PageCount(std::size_t lineCount);
    void GetDialogInfo(int& minPage, int& maxPage, int& selFromPage, int& selToPage) override;
    bool HasPage(int pageNumber) override;
    void PrintPage(int page, TRect& band, unsigned flags) override;

private:
    std::vector<std::string> lines;
};

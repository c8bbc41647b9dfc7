#pragma once
// Counts the pages of a PDF that the printer wrote: each page object, not the page tree.

#include <fstream>
#include <iterator>
#include <string>

inline int PdfPageCount(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string pdf((std::istreambuf_iterator<char>(in)), {});
    int count = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1)) {
        count += pdf.compare(at, 12, "/Type /Pages") != 0;
    }
    return count;
}

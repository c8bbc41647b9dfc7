#pragma once
// The program's one printer: every printout goes through here.

#include "framework/TPrinter.h"

#include <memory>
#include <string>

class TPrintout;
class TWindow;

class PrintUtility {
public:
    PrintUtility();
    // Prints without a print dialog, on the printer last chosen in Setup or the default one,
    // and says on the main window's status bar where the pages went.
    bool Print(TWindow& window, TPrintout& printout);
    // The status bar's line after a print.
    static std::string WhereText(const std::string& output, bool isFile);
    void Setup(TWindow& window);
    TPrinter* Printer() const { return printer.get(); }

private:
    std::unique_ptr<TPrinter> printer;
};

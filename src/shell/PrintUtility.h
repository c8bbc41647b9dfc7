#pragma once
// The program's one printer: every printout goes through here.

#include "framework/TPrinter.h"

#include <memory>

class TPrintout;
class TWindow;

class PrintUtility {
public:
    PrintUtility();
    // Prints without a print dialog, on the printer last chosen in Setup or the default one.
    bool Print(TWindow& window, TPrintout& printout);
    void Setup(TWindow& window);
    TPrinter* Printer() const { return printer.get(); }

private:
    std::unique_ptr<TPrinter> printer;
};

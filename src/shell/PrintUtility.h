#pragma once
// The program's one printer: every printout goes through here. It says on the main
// window's status bar where the pages went, or why they did not (a message box too).

#include "framework/TPrinter.h"

#include <memory>
#include <string>

class TPrintout;
class TWindow;

class PrintUtility {
public:
    PrintUtility();
    // Prints without a print dialog, on the printer last chosen in Setup or the default one.
    // False when nothing was printed: cancelled, ended by a signal, or failed (said).
    bool Print(TWindow& window, TPrintout& printout);
    // The status bar's line after a print.
    static std::string WhereText(const std::string& output, bool isFile);
    // The status bar's line and the message after a print that failed.
    static std::string FailureText(const std::string& output, bool isFile, const std::string& why);
    void Setup(TWindow& window);
    TPrinter* Printer() const { return printer.get(); }

private:
    static void ShowOnStatusBar(TWindow& window, const std::string& text);

    std::unique_ptr<TPrinter> printer;
};

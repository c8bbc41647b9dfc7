#pragma once
// The program's one printer: every printout goes through here. A PDF file is written by the
// rule for every output file (never over the open logbook, its index or any logbook). It
// says on the main window's status bar where the pages went, or why they did not (and in a
// message box).

#include "framework/TPrinter.h"

#include <functional>
#include <memory>
#include <string>

class TPrintout;
class TWindow;

class PrintUtility {
public:
    // heldLogbook names the logbook the program has open, which no print may write over.
    explicit PrintUtility(std::function<std::string()> heldLogbook = {});
    // Prints without a print dialog, on the printer last chosen in Setup or the default one.
    // False when nothing was printed: cancelled, ended by a signal, refused or failed (said).
    bool Print(TWindow& window, TPrintout& printout);
    // The status bar's line after a print.
    static std::string WhereText(const std::string& output, bool isFile);
    // The message for a file the rule refuses (the reason names it) and for a print that
    // failed (the reason names the file or printer).
    static std::string RefusedText(const std::string& refusal);
    static std::string FailedText(const std::string& why);
    // The printer set-up dialog; a PDF file the rule refuses is said and not taken.
    void Setup(TWindow& window);
    TPrinter* Printer() const { return printer.get(); }

private:
    void Tell(TWindow& window, const std::string& text);

    std::unique_ptr<TPrinter> printer;
    std::function<std::string()> heldLogbook;
};

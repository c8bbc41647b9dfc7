#include "shell/PrintUtility.h"

#include "framework/TDecoratedMDIFrame.h"

PrintUtility::PrintUtility() : printer(std::make_unique<TPrinter>()) {}

bool PrintUtility::Print(TWindow& window, TPrintout& printout) {
    if (!printer || !printer->Print(&window, printout)) {
        return false;
    }
    // The user is told where the pages went: a file's path or a printer's name.
    for (TWindow* w = &window; w; w = w->Parent()) {
        if (auto* frame = dynamic_cast<TDecoratedMDIFrame*>(w)) {
            frame->ShowHint(WhereText(printer->LastOutput(), printer->LastOutputIsFile()));
            break;
        }
    }
    return true;
}

std::string PrintUtility::WhereText(const std::string& output, bool isFile) {
    return (isFile ? "Printed to " : "Printed on ") + output;
}

void PrintUtility::Setup(TWindow& window) {
    if (printer) {
        printer->Setup(&window);
    }
}

#include "shell/PrintUtility.h"

PrintUtility::PrintUtility() : printer(std::make_unique<TPrinter>()) {}

bool PrintUtility::Print(TWindow& window, TPrintout& printout) {
    return printer && printer->Print(&window, printout);
}

void PrintUtility::Setup(TWindow& window) {
    if (printer) {
        printer->Setup(&window);
    }
}

#include "shell/PrintUtility.h"

#include "framework/TDecoratedMDIFrame.h"
#include "framework/TMessageBox.h"

PrintUtility::PrintUtility() : printer(std::make_unique<TPrinter>()) {}

bool PrintUtility::Print(TWindow& window, TPrintout& printout) {
    if (!printer) {
        return false;
    }
    if (printer->Print(&window, printout)) {
        // The user is told where the pages went: a file's path or a printer's name.
        ShowOnStatusBar(window, WhereText(printer->LastOutput(), printer->LastOutputIsFile()));
        return true;
    }
    if (printer->LastResult() == TPrinter::Result::Failed) {
        const std::string text =
            FailureText(printer->LastOutput(), printer->LastOutputIsFile(), printer->LastFailure());
        ShowOnStatusBar(window, text);
        TMessageBox::Show(&window, text, "Printer error", TMessageBox::Buttons::Ok,
                          TMessageBox::Icon::Exclamation);
    }
    return false;
}

std::string PrintUtility::WhereText(const std::string& output, bool isFile) {
    return (isFile ? "Printed to " : "Printed on ") + output;
}

std::string PrintUtility::FailureText(const std::string& output, bool isFile,
                                      const std::string& why) {
    return (isFile ? "Printing to " : "Printing on ") + output + " failed: " + why;
}

void PrintUtility::ShowOnStatusBar(TWindow& window, const std::string& text) {
    for (TWindow* w = &window; w; w = w->Parent()) {
        if (auto* frame = dynamic_cast<TDecoratedMDIFrame*>(w)) {
            frame->ShowHint(text);
            return;
        }
    }
}

void PrintUtility::Setup(TWindow& window) {
    if (printer) {
        printer->Setup(&window);
    }
}

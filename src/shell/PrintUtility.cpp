#include "shell/PrintUtility.h"

#include "framework/TDecoratedMDIFrame.h"
#include "framework/TMessageBox.h"
#include "framework/TStatusBar.h"
#include "store/OutputFile.h"

namespace {

// A line on the status bar of the frame the window is in.
void SayOnStatusBar(TWindow& window, const std::string& text) {
    for (TWindow* w = &window; w; w = w->Parent()) {
        if (auto* frame = dynamic_cast<TDecoratedMDIFrame*>(w)) {
            if (frame->StatusBar()) {
                frame->StatusBar()->SetText(text);
            }
            return;
        }
    }
}

} // namespace

PrintUtility::PrintUtility(std::function<std::string()> heldLogbook)
    : printer(std::make_unique<TPrinter>()), heldLogbook(std::move(heldLogbook)) {}

bool PrintUtility::Print(TWindow& window, TPrintout& printout) {
    if (!printer) {
        return false;
    }
    const std::string held = heldLogbook ? heldLogbook() : std::string();
    printer->Prepare(printout);
    if (printer->LastOutputIsFile()) {
        if (const std::string refusal = OutputFile::Refusal(printer->LastOutput(), held);
            !refusal.empty()) {
            Tell(window, RefusedText(refusal));
            return false;
        }
    }
    const auto writeFile = [&](std::string_view bytes) {
        OutputFile file;
        if (!file.Open(printer->LastOutput(), held) || !file.Write(bytes) || !file.Commit()) {
            return file.Problem();
        }
        return std::string();
    };
    if (printer->Print(&window, printout, writeFile)) {
        // The user is told where the pages went: a file's path or a printer's name.
        SayOnStatusBar(window, WhereText(printer->LastOutput(), printer->LastOutputIsFile()));
        return true;
    }
    if (printer->LastResult() == TPrinter::Result::Failed) {
        Tell(window, FailedText(printer->LastFailure()));
    }
    return false;
}

std::string PrintUtility::WhereText(const std::string& output, bool isFile) {
    return (isFile ? "Printed to " : "Printed on ") + output;
}

std::string PrintUtility::RefusedText(const std::string& refusal) {
    return "Cannot print to " + refusal;
}

std::string PrintUtility::FailedText(const std::string& why) {
    return "Printing failed: " + why;
}

void PrintUtility::Tell(TWindow& window, const std::string& text) {
    SayOnStatusBar(window, text);
    TMessageBox::Show(&window, text, "Printer error", TMessageBox::Buttons::Ok,
                      TMessageBox::Icon::Exclamation);
}

void PrintUtility::Setup(TWindow& window) {
    if (!printer) {
        return;
    }
    printer->Setup(&window, [this](const std::string& file) {
        const std::string refusal =
            OutputFile::Refusal(file, heldLogbook ? heldLogbook() : std::string());
        return refusal.empty() ? refusal : RefusedText(refusal);
    });
}

#pragma once
// The program's printer: the system's default printer, or, without one, a PDF file in the
// user's documents folder ("NAME.pdf", "NAME 2.pdf", ... so nothing is overwritten). A PDF
// file named in the set-up dialog is written once, by the next print; later prints take the
// next free name beside it. A print run shows a "Printing" box with Cancel; printer errors
// come as message boxes.

#include <memory>
#include <string>

class TPrintout;
class TWindow;
class QPrinter;

class TPrinter {
public:
    TPrinter();
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // The printer set-up dialog; a PDF file can be chosen there too.
    void Setup(TWindow* owner);
    // Prints without a print dialog. False when nothing was printed (cancelled or failed).
    bool Print(TWindow* owner, TPrintout& printout);

    // Where the last run went: a printer's name or a PDF file's path.
    const std::string& LastOutput() const { return lastOutput; }
    bool LastOutputIsFile() const { return lastToFile; }
    int LastPageCount() const { return lastPages; }

    // The free PDF name for a base name in a folder.
    static std::string FreePdfName(const std::string& folder, const std::string& baseName);

    // Test hooks: prints go to files the test can read, and no dialog waits for a user.
    // Always prints to PDF files in this folder ("" goes back to the normal choice).
    static void SetPdfFolder(const std::string& folder);
    // The set-up dialog's choice of a PDF file, without the dialog.
    void ChoosePdfFile(const std::string& path);

private:
    std::unique_ptr<QPrinter> printer;
    bool chosenInSetup = false;
    bool chosenFileUnused = false; // the file named in set-up, not yet written
    std::string lastOutput;
    bool lastToFile = false;
    int lastPages = 0;
};

#pragma once
// The program's printer: the system's default printer, or, without one, a PDF file in the
// user's documents folder ("NAME.pdf", "NAME 2.pdf", ... so nothing is overwritten). A PDF
// file named in the set-up dialog is written once, by the next print that succeeds; later
// prints take the next free name beside it. A print run shows a "Printing" box with Cancel.
// A run that does not finish (cancelled, failed, or ended by a termination signal) leaves
// no file behind; saying why is the caller's.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class TPrintout;
class TWindow;
class QPrinter;

class TPrinter {
public:
    enum class Result { Printed, Cancelled, Failed, Ended };
    // Why a PDF file may not be written (shown to the user as it stands), or "" when it may.
    using FileCheck = std::function<std::string(const std::string& path)>;

    TPrinter();
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // The printer set-up dialog; a PDF file can be chosen there too. A file the check
    // refuses is not taken: its reason is shown and the dialog opens again.
    void Setup(TWindow* owner, const FileCheck& check = {});

    // Decides where the next print of this printout goes, without printing; LastOutput()
    // and LastOutputIsFile() then name it. The same answer until a print succeeds.
    void Prepare(const TPrintout& printout);
    // Writes a whole PDF's bytes to LastOutput(): "" when written, else why not, naming the
    // file (its writer leaves no partial file).
    using PdfSink = std::function<std::string(std::string_view bytes)>;
    // Prints without a print dialog to where Prepare says. A PDF is made whole in memory
    // and then handed to the sink (without one, written to its file here). True when every
    // page was printed; LastResult() and LastFailure() say what happened otherwise.
    bool Print(TWindow* owner, TPrintout& printout, const PdfSink& sink = {});

    // Where the last run went, or is about to go: a printer's name or a PDF file's path.
    const std::string& LastOutput() const { return lastOutput; }
    bool LastOutputIsFile() const { return lastToFile; }
    int LastPageCount() const { return lastPages; }
    Result LastResult() const { return lastResult; }
    // Why the last run failed, naming the file or printer
    // (".../Veloria Report.pdf: cannot be written: File too large").
    const std::string& LastFailure() const { return lastFailure; }

    // The free PDF name for a base name in a folder.
    static std::string FreePdfName(const std::string& folder, const std::string& baseName);

    // Test hooks: prints go to files the test can read, and no dialog waits for a user.
    // Always prints to PDF files in this folder ("" goes back to the normal choice).
    static void SetPdfFolder(const std::string& folder);
    // The set-up dialog's choice of a PDF file, without the dialog.
    void ChoosePdfFile(const std::string& path);

private:
    QPrinter& Device();
    bool Fail(const std::string& why);
    static std::string WriteFile(const std::string& path, std::string_view bytes);

    std::unique_ptr<QPrinter> printer;
    bool chosenInSetup = false;
    bool chosenFileUnused = false; // the file named in set-up, not yet written
    std::string chosenFile;
    std::string lastOutput;
    bool lastToFile = false;
    int lastPages = 0;
    Result lastResult = Result::Printed;
    std::string lastFailure;
};

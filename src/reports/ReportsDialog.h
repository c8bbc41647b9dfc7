#pragma once
// Reports (dialog 7): a paginated report of the selected days, previewed a page at a time,
// printed or written to a text file. ReportPages lays the report out and ReportFile writes
// it; this dialog binds the controls, steps the pages and hands the printout to the shell.

#include "reports/ReportPages.h"
#include "reports/ReportPreviewWindow.h"
#include "reports/ReportSource.h"
#include "reports/ReportsButtons.h"
#include "views/RangeViewDialog.h"

#include <string>

class ReportsDialog : public RangeViewDialog, public ReportsButtons, private ReportSource {
public:
    // Controls of dialog template 7 besides its buttons and the shared selectors.
    static constexpr int kTitle = 405;
    static constexpr int kComments = 406;
    static constexpr int kPreviewPane = 407;
    static constexpr int kPlainText = 408;
    static constexpr int kGraphics = 409;
    static constexpr int kTitlePage = 410;
    static constexpr int kPageNumbers = 411;
    static constexpr int kPageText = 412;
    // The title and the comments hold 79 characters (the limit counts the terminating zero).
    static constexpr int kTextLimit = 80;

    // Create File's dialog.
    static constexpr unsigned kFileFlags = 0x2804;
    static constexpr const char* kFileFilter = "Text files (*.txt)|*.txt|All files (*.*)|*.*|";
    static constexpr const char* kFileName = "report.txt";

    explicit ReportsDialog(ClientWindow& client);
    // Dialog template 7 and the Reports Speed Menu.
    static void RegisterTemplate();

    ReportPreviewWindow& Preview() { return preview; }
    // The options as the controls show them; the texts in record characters.
    ReportOptions ChosenOptions() const override;
    // Lays the pages out again (reading the index first when rebuild is set), shows the
    // page label and redraws the pane.
    void RefreshPreview(bool rebuild);
    // The path the last Create File wrote to.
    const std::string& FileName() const { return fileName; }

protected:
    void SetupWindow() override;
    void Reload() override;

private:
    const ViewSelection& ReportSelection() const override { return Selection(); }
    const std::vector<std::int32_t>& ReportEntries() const override { return Positions(); }
    void StepPage(int step);
    void Print();
    void CreateFile();
    void WriteReportFile();
    void ShowPageLabel();

    ReportPreviewWindow preview;
    std::string fileName;
    bool printing = false;
    bool reloadWaiting = false; // a reload came while printing
};

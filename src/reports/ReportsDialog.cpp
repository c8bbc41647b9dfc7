#include "reports/ReportsDialog.h"

#include "reports/ReportFile.h"
#include "reports/ReportPrintout.h"
#include "shell/ClientWindow.h"
#include "shell/CommandIds.h"
#include "shell/ResourceIds.h"
#include "shell/ToolPage.h"
#include "store/Windows1252.h"
#include "views/SelectorIds.h"

#include <cstdio>
#include <filesystem>

ReportsDialog::ReportsDialog(ClientWindow& client)
    : RangeViewDialog(client, res::kReportsDialog, res::kReportsReloadTimer),
      preview(*this, *this, client.Database(), client.Dates()) {
    AddAutoCreateChild(preview);
    OnCommand(selector::kDayType, [this] {
        MutableSelection().NextDayType();
        preview.SetCurrentPage(1);
        Changed();
    });
    OnCommand(kPreview, [this] {
        preview.SetCurrentPage(1);
        Changed();
    });
    OnCommand(kNextPage, [this] { StepPage(1); });
    OnCommand(kPreviousPage, [this] { StepPage(-1); });
    OnCommand(kPrint, [this] { Print(); });
    // File > Print reaches the active tool first: the report, not the dialog's own paint.
    OnCommand(cmd::kPrint, [this] { Print(); });
    OnCommand(kCreateFile, [this] { CreateFile(); });
}

void ReportsDialog::SetupWindow() {
    RangeViewDialog::SetupWindow();
    CheckDlgButton(kPlainText, true);
    CheckDlgButton(kGraphics, false);
    CheckDlgButton(kTitlePage, true);
    CheckDlgButton(kPageNumbers, true);
    preview.Place(ControlRect(kPreviewPane));
    preview.Show(TShowMode::Normal);
    RefreshPreview(false);
}

void ReportsDialog::Reload() {
    RefreshPreview(true);
}

ReportOptions ReportsDialog::ChosenOptions() const {
    ReportOptions options;
    // Typed characters outside the record's code page are kept as '?'.
    options.title = Windows1252::Encode(GetDlgItemText(kTitle));
    options.comments = Windows1252::Encode(GetDlgItemText(kComments));
    options.graphics = IsDlgButtonChecked(kGraphics);
    options.titlePage = IsDlgButtonChecked(kTitlePage);
    options.pageNumbers = IsDlgButtonChecked(kPageNumbers);
    return options;
}

void ReportsDialog::RefreshPreview(bool rebuild) {
    // A print works on the report as it stood when it started: what would change it waits.
    if (printing) {
        reloadWaiting = reloadWaiting || rebuild;
        return;
    }
    if (rebuild) {
        RangeViewDialog::Reload();
    }
    preview.UpdateReportSettings();
    ShowPageLabel();
    preview.Invalidate(true);
}

void ReportsDialog::ShowPageLabel() {
    char text[48];
    std::snprintf(text, sizeof text, "Page:  %03d of %03d", preview.CurrentPage(),
                  preview.PageCount());
    SetDlgItemText(kPageText, text);
}

void ReportsDialog::StepPage(int step) {
    // A report that shrank may show a page beyond its end; "- Page" steps back from there.
    const int page = preview.CurrentPage();
    if ((step > 0 && page < preview.PageCount()) || (step < 0 && page > 1)) {
        preview.SetCurrentPage(page + step);
    }
    RefreshPreview(false);
}

void ReportsDialog::Print() {
    preview.UpdateReportSettings();
    preview.SetCurrentPage(preview.Pages().Options().titlePage ? 1 : 2);
    RefreshPreview(false);
    // A report with nothing to print (no days, no title page) starts no print run, which
    // would leave an empty sheet or PDF behind.
    if (preview.CurrentPage() <= preview.PageCount()) {
        ReportPrintout printout(ReportPrintout::kTitle, preview);
        printing = true;
        Client().Printing().Print(preview, printout);
        printing = false;
    }
    // Also after a cancelled run: the preview shows page 1 again.
    preview.SetCurrentPage(1);
    if (reloadWaiting) {
        reloadWaiting = false;
        RefreshPreview(true);
    } else {
        ShowPageLabel();
        preview.Invalidate(true);
    }
}

void ReportsDialog::CreateFile() {
    std::error_code error;
    const std::string folder = std::filesystem::current_path(error).string() + "/";
    std::string chosen;
    if (Client().SelectFile(chosen, kFileFlags, "*.txt", "txt", folder, kFileName, kFileFilter) !=
        1) {
        return;
    }
    fileName = chosen;
    WriteReportFile();
}

void ReportsDialog::WriteReportFile() {
    // The days of the last reload: the index is not read again.
    preview.UpdateReportSettings();
    ReportFile::Write(fileName, preview.Pages().FileText(Client().Database(), Positions()),
                      Client(), Client().LogBookPath());
}

void ReportsDialog::RegisterTemplate() {
    using K = TControlKind;
    using C = TControlTemplate;
    using P = ToolPage;
    using namespace selector;
    // No default button here: Enter in the title or the comments does nothing.
    RegisterPage(res::kReportsDialog,
                 {{P::Centred(kDayTypeText, 4, 2, 88, 8), P::Centred(kPageText, 100, 2, 88, 8)},
                  P::Divider(5, 204),
                  {P::Button(kDayType, 8, 16),
                   P::Button(kPreview, 56, 16),
                   P::Button(kPrint, 104, 16),
                   P::Button(kCreateFile, 152, 16),
                   P::Button(kPreviousPage, 236, 16),
                   P::Button(kNextPage, 284, 16),
                   P::Label(16, 54, 40, "Title:"),
                   {K::Edit, kTitle, 60, 52, 260, 12, "", 0, kTextLimit},
                   P::Label(16, 70, 40, "Comments:"),
                   {K::Edit, kComments, 60, 68, 260, 12, "", 0, kTextLimit},
                   {K::RadioButton, kPlainText, 16, 96, 70, 10, "Plain Text", C::kGroup, 0},
                   {K::RadioButton, kGraphics, 16, 110, 70, 10, "Graphics", 0, 0},
                   {K::CheckBox, kTitlePage, 16, 128, 70, 10, "Title Page", 0, 0},
                   {K::CheckBox, kPageNumbers, 16, 142, 70, 10, "No. Pages", 0, 0},
                   P::Label(100, 86, 80, "Print Preview:"),
                   {K::ListBox, kPreviewPane, 100, 96, 220, 94, "", C::kHidden, 0}}},
                 "Reports Speed Menu", kButtons);
}

#include "reports/ReportsDialog.h"

#include "framework/TResources.h"
#include "shell/ResourceIds.h"
#include "shell/ToolPage.h"
#include "views/SelectorIds.h"

ReportsDialog::ReportsDialog(ClientWindow& client) : ToolDialog(client, res::kReportsDialog) {}

void ReportsDialog::RegisterTemplate() {
    using K = TControlKind;
    using C = TControlTemplate;
    using P = ToolPage;
    using namespace selector;
    TDialogTemplate t = P::Page();
    P::AddRangeHeader(t, kStartText, kEndText);
    t.controls.push_back(P::Centred(kDayTypeText, 4, 2, 88, 8));
    t.controls.push_back(P::Centred(kPageText, 100, 2, 88, 8));
    t.controls.push_back(P::WorkArea());
    t.controls.push_back(P::Divider(5, 204));
    t.controls.push_back(P::Button(kDayType, 8, 16, C::kDefault));
    t.controls.push_back(P::Button(kPreview, 56, 16));
    t.controls.push_back(P::Button(kPrint, 104, 16));
    t.controls.push_back(P::Button(kCreateFile, 152, 16));
    t.controls.push_back(P::Button(kPreviousPage, 236, 16));
    t.controls.push_back(P::Button(kNextPage, 284, 16));
    t.controls.push_back(P::Label(16, 54, 40, "Title:"));
    t.controls.push_back({K::Edit, kTitle, 60, 52, 260, 12, "", 0, kTextLimit});
    t.controls.push_back(P::Label(16, 70, 40, "Comments:"));
    t.controls.push_back({K::Edit, kComments, 60, 68, 260, 12, "", 0, kTextLimit});
    t.controls.push_back({K::RadioButton, kPlainText, 16, 96, 70, 10, "Plain Text", C::kGroup, 0});
    t.controls.push_back({K::RadioButton, kGraphics, 16, 110, 70, 10, "Graphics", 0, 0});
    t.controls.push_back({K::CheckBox, kTitlePage, 16, 128, 70, 10, "Title Page", 0, 0});
    t.controls.push_back({K::CheckBox, kPageNumbers, 16, 142, 70, 10, "No. Pages", 0, 0});
    t.controls.push_back(P::Label(100, 86, 80, "Print Preview:"));
    t.controls.push_back({K::ListBox, kPreviewPane, 100, 96, 220, 94, "", C::kHidden, 0});
    P::AddRightColumn(t, {kNextStart, kPreviousStart, kNextEnd, kPreviousEnd});
    TResources::AddDialog(res::kReportsDialog, t);

    using I = TMenuItem;
    P::AddSpeedMenu(
        res::kReportsDialog,
        I::Popup("Reports Speed Menu",
                 {I::Item("Day Type", kDayType), I::Item("Preview", kPreview),
                  I::Item("+ Page", kNextPage), I::Item("- Page", kPreviousPage),
                  I::Item("+ Start Date", kNextStart), I::Item("- Start Date", kPreviousStart),
                  I::Item("+ End Date", kNextEnd), I::Item("- End Date", kPreviousEnd),
                  I::Item("Print", kPrint), I::Item("Create File", kCreateFile)}));
}

#include "activities/ActivityReadingDialog.h"

#include "activities/ActivityIds.h"
#include "framework/TApplication.h"
#include "framework/TResources.h"

ActivityReadingDialog::ActivityReadingDialog(TWindow* parent)
    : TDialog(parent, activity::kReadingDialog), gauge(this, -1, 12, 36, 276, 18) {
    AddAutoCreateChild(gauge);
}

void ActivityReadingDialog::RegisterTemplate() {
    using K = TControlKind;
    TDialogTemplate t;
    t.cx = 200;
    t.cy = 62;
    t.caption = "Reading Activities";
    t.controls = {{K::Static, kText, 8, 6, 184, 10, "", 0, 0},
                  {K::Button, TDialog::kIdCancel, 75, 42, 50, 14, "Cancel", 0, 0}};
    TResources::AddDialog(activity::kReadingDialog, t);
}

bool ActivityReadingDialog::Step(std::size_t done, std::size_t total) {
    asks = done == file ? asks + 1 : 1;
    file = done;
    if (!shown && (total >= kManyFiles || asks > kLongFile) && ShowModal()) {
        shown = true;
        gauge.SetRange(0, static_cast<int>(total));
        CenterIn(nullptr);
    }
    if (shown) {
        SetDlgItemText(kText, "Reading file " + std::to_string(done + 1) + " of " +
                                  std::to_string(total) + "...");
        gauge.SetValue(static_cast<int>(done));
        TApplication::PumpWaitingMessages();
    }
    return !cancelled && !TApplication::TerminationRequested();
}

void ActivityReadingDialog::Finish() {
    if (shown) {
        shown = false;
        Destroy(kIdCancel);
    }
}

void ActivityReadingDialog::CmCancel() {
    cancelled = true;
}

// The close box cancels the reading as Cancel does; the reader takes the box down.
bool ActivityReadingDialog::CanClose() {
    cancelled = true;
    return false;
}

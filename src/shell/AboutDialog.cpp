#include "shell/AboutDialog.h"

#include "shell/ResourceIds.h"

AboutDialog::AboutDialog(TWindow* parent) : TDialog(parent, res::kAboutDialog) {}

void AboutDialog::SetupWindow() {
    TDialog::SetupWindow();
    CenterIn(nullptr);
}

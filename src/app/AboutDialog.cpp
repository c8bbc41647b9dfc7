#include "app/AboutDialog.h"

#include "app/ResourceIds.h"

AboutDialog::AboutDialog(TWindow* parent) : TDialog(parent, res::kAboutDialog) {}

void AboutDialog::SetupWindow() {
    TDialog::SetupWindow();
    CenterIn(nullptr);
}

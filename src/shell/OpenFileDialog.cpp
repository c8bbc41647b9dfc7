#include "shell/OpenFileDialog.h"

#include "framework/TWindow.h"

OpenFileDialog::OpenFileDialog(TWindow* parent, TData& data)
    : TFileOpenDialog(parent, data, "Select File") {}

void OpenFileDialog::SetupDialog(QWidget*) {
    // The platform dialog centres itself on the screen when it has no owner to sit over.
}

#include "shell/OpenFileDialog.h"

#include "framework/TWindow.h"

#include <utility>

OpenFileDialog::OpenFileDialog(TWindow* parent, TData& data, std::string title)
    : TFileOpenDialog(parent, data, std::move(title)) {}

void OpenFileDialog::SetupDialog(QWidget*) {
    // The platform dialog centres itself on the screen when it has no owner to sit over.
}

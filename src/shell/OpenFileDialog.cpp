#include "shell/OpenFileDialog.h"

#include "framework/TWindow.h"

#include <utility>

OpenFileDialog::OpenFileDialog(TWindow* parent, TData& data, std::string title)
    : TFileOpenDialog(parent, data, std::move(title)) {}

int OpenFileDialog::Select(TWindow* parent, std::string& result, unsigned flags,
                           const std::string& pattern, const std::string& defaultExt,
                           const std::string& initialDir, const std::string& initialName,
                           const std::string& filter) {
    TData data;
    data.flags = flags;
    data.fileName = initialName.substr(0, 260);
    data.filter = filter;
    data.customFilter = pattern;
    data.filterIndex = 1;
    data.initialDir = initialDir;
    data.defaultExt = defaultExt;
    OpenFileDialog dialog(parent, data);
    if (dialog.Execute() != kIdOk || data.fileName.empty()) {
        return 0;
    }
    result = data.fileName.substr(0, 511);
    return 1;
}

void OpenFileDialog::SetupDialog(QWidget*) {
    // The platform dialog centres itself on the screen when it has no owner to sit over.
}

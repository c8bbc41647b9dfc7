#include "framework/TFileOpenDialog.h"

#include "framework/TMessageBox.h"
#include "framework/TQtConvert.h"
#include "framework/TWindow.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>
#include <QTreeView>

#include <filesystem>

namespace {

struct Script {
    bool active = false;
    std::deque<std::optional<std::vector<std::string>>> answers;
    std::optional<TFileOpenDialog::TData> last;
    std::string title;
};

Script& TheScript() {
    static Script script;
    return script;
}

constexpr std::size_t kMaxName = 260;

// Choosing several: the files the name box lists, or, when folders are selected in the
// list, everything selected there. Open on a selected folder takes it instead of entering
// it; a double click, or a folder typed into the name box, still enters it.
class FilesAndFoldersDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;
    QStringList Chosen() const { return folders.isEmpty() ? selectedFiles() : folders; }

protected:
    void accept() override {
        folders.clear();
        // A folder typed into the name box is entered, as everywhere else.
        const auto* nameBox = findChild<QLineEdit*>("fileNameEdit");
        const QString typed = nameBox ? nameBox->text().trimmed() : QString();
        if (!typed.isEmpty() && QFileInfo(directory(), typed).isDir()) {
            QFileDialog::accept();
            return;
        }
        QStringList selected;
        bool anyFolder = false;
        for (const char* name : {"listView", "treeView"}) {
            auto* view = findChild<QAbstractItemView*>(name);
            if (!view || !view->isVisible() || !view->selectionModel()) {
                continue;
            }
            for (const QModelIndex& index : view->selectionModel()->selectedRows()) {
                const QString path = index.data(QFileSystemModel::FilePathRole).toString();
                anyFolder = anyFolder || QFileInfo(path).isDir();
                selected.push_back(path);
            }
        }
        if (anyFolder) {
            folders = selected;
            QDialog::accept();
            return;
        }
        QFileDialog::accept();
    }

private:
    QStringList folders;
};

} // namespace

TFileOpenDialog::TFileOpenDialog(TWindow* parent, TData& data, std::string title)
    : parent(parent), data(data), title(std::move(title)) {}

std::string TFileOpenDialog::QtFilter(const std::string& filter) {
    std::string out;
    std::size_t start = 0;
    while (start < filter.size()) {
        const std::size_t bar = filter.find('|', start);
        if (bar == std::string::npos) {
            break;
        }
        const std::size_t end = filter.find('|', bar + 1);
        const std::string description = filter.substr(start, bar - start);
        const std::string pattern =
            filter.substr(bar + 1, (end == std::string::npos ? filter.size() : end) - bar - 1);
        std::string patterns = pattern;
        for (char& c : patterns) {
            if (c == ';') {
                c = ' ';
            }
        }
        if (!out.empty()) {
            out += ";;";
        }
        out += description.find('(') != std::string::npos ? description
                                                          : description + " (" + patterns + ")";
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return out;
}

std::string TFileOpenDialog::WithDefaultExtension(const std::string& name, const std::string& ext) {
    if (ext.empty() || name.empty()) {
        return name;
    }
    const std::filesystem::path p(name);
    return p.has_extension() ? name : name + "." + ext;
}

bool TFileOpenDialog::Confirm(std::string& name) {
    name = WithDefaultExtension(name, data.defaultExt);
    if (name.size() > kMaxName) {
        TMessageBox::Show(parent, name + "\nThe file name is too long.", title,
                          TMessageBox::Buttons::Ok, TMessageBox::Icon::Exclamation);
        return false;
    }
    const QFileInfo info(TQtConvert::Text(name));
    if ((data.flags & (kPathMustExist | kFileMustExist | kCreatePrompt)) && !info.dir().exists()) {
        TMessageBox::Show(parent,
                          name + "\nThe folder does not exist.\nCheck the path and try again.",
                          title, TMessageBox::Buttons::Ok, TMessageBox::Icon::Exclamation);
        return false;
    }
    if (!info.exists()) {
        if (data.flags & kCreatePrompt) {
            return TMessageBox::Show(parent, name + "\nThis file does not exist.\nCreate the file?",
                                     title, TMessageBox::Buttons::YesNo,
                                     TMessageBox::Icon::Question) == TMessageBox::kIdYes;
        }
        if (data.flags & kFileMustExist) {
            TMessageBox::Show(parent,
                              name + "\nFile not found.\nCheck the file name and try again.", title,
                              TMessageBox::Buttons::Ok, TMessageBox::Icon::Exclamation);
            return false;
        }
    }
    return true;
}

int TFileOpenDialog::Execute() {
    Script& script = TheScript();
    if (script.active) {
        script.last = data;
        script.title = title;
        while (!script.answers.empty()) {
            std::optional<std::vector<std::string>> answer = script.answers.front();
            script.answers.pop_front();
            if (!answer) {
                return kIdCancel;
            }
            if (Take(*answer)) {
                return kIdOk;
            }
        }
        return kIdCancel;
    }
    const bool several = (data.flags & kAllowMultiSelect) != 0;
    FilesAndFoldersDialog dialog(parent && parent->Widget() ? parent->Widget()->window() : nullptr,
                                 TQtConvert::Text(title));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);
    dialog.setDirectory(data.initialDir.empty() ? QDir::currentPath()
                                                : TQtConvert::Text(data.initialDir));
    const QString filters = TQtConvert::Text(QtFilter(data.filter));
    dialog.setNameFilters(filters.split(";;", Qt::SkipEmptyParts));
    const QStringList names = dialog.nameFilters();
    if (data.filterIndex >= 1 && data.filterIndex <= names.size()) {
        dialog.selectNameFilter(names[data.filterIndex - 1]);
    }
    if (!data.fileName.empty()) {
        dialog.selectFile(TQtConvert::Text(data.fileName));
    }
    if (!data.defaultExt.empty()) {
        dialog.setDefaultSuffix(TQtConvert::Text(data.defaultExt));
    }
    SetupDialog(&dialog);
    while (dialog.exec() == QDialog::Accepted && !dialog.Chosen().isEmpty()) {
        std::vector<std::string> chosen;
        for (const QString& name : dialog.Chosen()) {
            chosen.push_back(TQtConvert::Text(name));
            if (!several) {
                break;
            }
        }
        if (Take(chosen)) {
            data.filterIndex = static_cast<int>(names.indexOf(dialog.selectedNameFilter())) + 1;
            return kIdOk;
        }
    }
    return kIdCancel;
}

bool TFileOpenDialog::Take(std::vector<std::string> names) {
    if (names.empty()) {
        return false;
    }
    for (std::string& name : names) {
        if (!Confirm(name)) {
            return false;
        }
    }
    data.fileName = names.front();
    data.fileNames = (data.flags & kAllowMultiSelect) ? names : std::vector<std::string>{};
    return true;
}

void TFileOpenDialog::QueueAnswers(std::deque<std::optional<std::string>> answers) {
    TheScript().active = true;
    for (auto& a : answers) {
        TheScript().answers.push_back(a ? std::optional(std::vector<std::string>{std::move(*a)})
                                        : std::nullopt);
    }
}

void TFileOpenDialog::QueueChoice(std::vector<std::string> names) {
    TheScript().active = true;
    TheScript().answers.push_back(std::move(names));
}

void TFileOpenDialog::ResetScript() {
    TheScript() = Script{};
}

const TFileOpenDialog::TData* TFileOpenDialog::LastRun() {
    return TheScript().last ? &*TheScript().last : nullptr;
}

const std::string& TFileOpenDialog::LastTitle() {
    return TheScript().title;
}

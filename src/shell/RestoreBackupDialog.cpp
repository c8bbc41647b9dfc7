#include "shell/RestoreBackupDialog.h"

#include "framework/TResources.h"
#include "shell/ResourceIds.h"

#include <cstdio>

namespace {

std::string DateOfKey(std::int32_t key) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", key / 10000, key / 100 % 100, key % 100);
    return text;
}

} // namespace

RestoreBackupDialog::RestoreBackupDialog(TWindow* parent, const std::string& logbook,
                                         std::vector<LogBookBackups::Backup> backups,
                                         std::string problem, Compare compare)
    : TDialog(parent, res::kRestoreBackupDialog), logbook(logbook), backups(std::move(backups)),
      problem(std::move(problem)), compare(std::move(compare)) {
    OnNotify(kList, Notify::ListDoubleClick, [this] { CmOk(); });
    OnNotify(kList, Notify::ListSelChange, [this] { SetTimer(kShowChangesTimer, 0); });
}

void RestoreBackupDialog::RegisterTemplate() {
    using K = TControlKind;
    TDialogTemplate restore;
    restore.cx = 280;
    restore.cy = 180;
    restore.caption = "Restore from Backup";
    restore.controls = {
        {K::Static, kIntro, 8, 6, 264, 20, "", TControlTemplate::kMultiLine, 0},
        {K::ListBox, kList, 8, 28, 264, 100, "", 0, 0},
        {K::Static, kChanges, 8, 132, 264, 20, "", TControlTemplate::kMultiLine, 0},
        {K::Button, kRestore, 166, 160, 50, 14, "Restore", TControlTemplate::kDefault, 0},
        {K::Button, TDialog::kIdCancel, 222, 160, 50, 14, "Cancel", 0, 0}};
    TResources::AddDialog(res::kRestoreBackupDialog, restore);
}

std::string RestoreBackupDialog::Line(const LogBookBackups::Backup& backup) {
    std::string line = LogBookBackups::LocalTime(backup.time) + "   ";
    if (!backup.Restorable()) {
        return line + "! " + backup.problem;
    }
    line += std::to_string(backup.days) + (backup.days == 1 ? " day" : " days");
    if (backup.days > 0) {
        line += ", " + DateOfKey(backup.firstDay) + " to " + DateOfKey(backup.lastDay);
    }
    if (backup.activities >= 0) {
        line += ", " + std::to_string(backup.activities) +
                (backup.activities == 1 ? " activity" : " activities");
    }
    return line + ", " + std::to_string((backup.size + 1023) / 1024) + " KB";
}

void RestoreBackupDialog::SetupWindow() {
    TDialog::SetupWindow();
    const std::string name = logbook.substr(logbook.rfind('/') + 1);
    SetDlgItemText(kIntro, !problem.empty() ? problem
                           : backups.empty()
                               ? "There is no backup of " + name + " yet."
                               : "Backups of " + name +
                                     ", newest first. The present days and activities are "
                                     "backed up before the one chosen replaces them.");
    for (const LogBookBackups::Backup& backup : backups) {
        ListAddString(kList, Line(backup));
    }
    if (!backups.empty()) {
        ListSetSelection(kList, 0);
    }
    ShowChanges();
    SetDlgItemFocus(backups.empty() ? TDialog::kIdCancel : kList);
    CenterIn(nullptr);
}

const LogBookBackups::Backup* RestoreBackupDialog::Selected() const {
    const int selected = ListSelection(kList);
    return selected < 0 || selected >= static_cast<int>(backups.size())
               ? nullptr
               : &backups[static_cast<std::size_t>(selected)];
}

void RestoreBackupDialog::ShowChanges() {
    const LogBookBackups::Backup* backup = Selected();
    std::string text;
    bool restorable = false;
    if (backup && !backup->Restorable()) {
        text = backup->name + " " + backup->problem;
    } else if (backup && compare) {
        DayChanges changes;
        const LogBookBackups::CheckStatus check = compare(backup->name, changes);
        restorable = LogBookBackups::Restorable(check.Outcome());
        text = restorable ? "Restoring it " + changes.Text() + " against the logbook as it is." +
                                (check.Words().empty() ? "" : " " + check.Words())
                          : check.Words();
    }
    SetDlgItemText(kChanges, text);
    EnableDlgItem(kRestore, restorable);
}

void RestoreBackupDialog::EvTimer(int id) {
    if (id == kShowChangesTimer) {
        KillTimer(kShowChangesTimer);
        ShowChanges();
    }
}

void RestoreBackupDialog::CmOk() {
    const LogBookBackups::Backup* backup = Selected();
    if (!backup || !backup->Restorable()) {
        return;
    }
    chosen = backup->name;
    TDialog::CmOk();
}

#pragma once
// File > Restore from Backup: the open logbook's backups, newest first, each with its time,
// days, activities and size, or why it may not be restored; below the list, what restoring the
// selected one would change. Restore (or a double click) chooses the selected one, Cancel none. The
// restore itself is the client's.

#include "framework/TDialog.h"
#include "store/DayChanges.h"
#include "store/LogBookBackups.h"

#include <functional>
#include <string>
#include <vector>

class RestoreBackupDialog : public TDialog {
public:
    // Controls of dialog template 13.
    static constexpr int kIntro = 101;
    static constexpr int kList = 102;
    static constexpr int kChanges = 103;
    static constexpr int kRestore = TDialog::kIdOk;
    // The list says a new row is current before it counts as selected: the changes are shown
    // once the click is over.
    static constexpr int kShowChangesTimer = 1;

    // The store's comparison of a backup, by name, with the logbook as it is.
    using Compare =
        std::function<LogBookBackups::CheckStatus(const std::string& backup, DayChanges& changes)>;

    // problem: why the backups folder cannot be read, empty when it can.
    RestoreBackupDialog(TWindow* parent, const std::string& logbook,
                        std::vector<LogBookBackups::Backup> backups, std::string problem,
                        Compare compare);
    static void RegisterTemplate();

    // The file name of the backup chosen; empty when none was.
    const std::string& Chosen() const { return chosen; }
    // A backup's line in the list.
    static std::string Line(const LogBookBackups::Backup& backup);

protected:
    void SetupWindow() override;
    void CmOk() override;
    void EvTimer(int id) override;

private:
    // Says what the selected backup would change, and allows Restore only for one that may be.
    void ShowChanges();
    const LogBookBackups::Backup* Selected() const;

    std::string logbook;
    std::vector<LogBookBackups::Backup> backups;
    std::string problem;
    Compare compare;
    std::string chosen;
};

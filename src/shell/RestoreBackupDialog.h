#pragma once
// File > Restore from Backup: the open logbook's backups, newest first, each with its time,
// days and size; Restore (or a double click) chooses the selected one, Cancel none. The
// restore itself is the client's.

#include "framework/TDialog.h"
#include "store/LogBookBackups.h"

#include <string>
#include <vector>

class RestoreBackupDialog : public TDialog {
public:
    // Controls of dialog template 13.
    static constexpr int kIntro = 101;
    static constexpr int kList = 102;
    static constexpr int kRestore = TDialog::kIdOk;

    RestoreBackupDialog(TWindow* parent, const std::string& logbook,
                        std::vector<LogBookBackups::Backup> backups);
    static void RegisterTemplate();

    // The file name of the backup chosen; empty when none was.
    const std::string& Chosen() const { return chosen; }
    // A backup's line in the list.
    static std::string Line(const LogBookBackups::Backup& backup);

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    std::string logbook;
    std::vector<LogBookBackups::Backup> backups;
    std::string chosen;
};

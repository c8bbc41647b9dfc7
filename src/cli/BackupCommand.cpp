#include "cli/BackupCommand.h"

#include "cli/ToolCommand.h"
#include "store/DataFile.h"
#include "store/LogBookBackups.h"

int BackupCommand(ToolCommand& tool) {
    const std::string& logbook = tool.operands[0];
    // Read under the shared lock, so that no program writes the days while they are copied.
    DataFile data;
    switch (data.Open(logbook, false, true)) {
    case DataFile::OpenResult::Opened:
        break;
    case DataFile::OpenResult::Missing:
        return tool.Fail(logbook + ": no such logbook");
    case DataFile::OpenResult::Locked:
        return tool.Fail(logbook + ": Logbook is in use by another program.");
    default:
        return tool.Fail(logbook + ": " + data.Problem());
    }
    LogBookBackups backups;
    const std::string folder = LogBookBackups::FolderFor(logbook);
    switch (backups.BackUp(logbook, data.Descriptor())) {
    case LogBookBackups::Outcome::Made:
        tool.out << "backed up " << logbook << " as " << folder << '/' << backups.Latest();
        if (backups.Removed() > 0) {
            tool.out << "; " << backups.Removed()
                     << (backups.Removed() == 1 ? " older backup" : " older backups") << " removed";
        }
        tool.out << '\n';
        return ToolCommand::kSuccess;
    case LogBookBackups::Outcome::Unchanged:
        tool.out << logbook << " is unchanged since its backup " << folder << '/'
                 << backups.Latest() << "; no backup made\n";
        return ToolCommand::kSuccess;
    case LogBookBackups::Outcome::NoRecords:
        tool.out << logbook << " holds no day; no backup made\n";
        return ToolCommand::kSuccess;
    default:
        return tool.Fail(backups.Problem());
    }
}

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
    const std::string folder = LogBookBackups::FolderFor(logbook);
    int activities = -1;
    const LogBookBackups::BackupStatus status =
        LogBookBackups().BackUp(logbook, data.Descriptor(), &activities);
    switch (status.Outcome()) {
    case LogBookBackups::Outcome::Made:
        tool.out << "backed up " << logbook;
        if (activities >= 0) {
            tool.out << " with its " << activities
                     << (activities == 1 ? " activity" : " activities");
        }
        tool.out << " as " << folder << '/' << status.File() << (status.Words().empty() ? "" : "; ")
                 << status.Words() << '\n';
        return ToolCommand::kSuccess;
    case LogBookBackups::Outcome::Unchanged:
        tool.out << logbook << " is unchanged since its backup " << folder << '/' << status.File()
                 << "; no backup made\n";
        return ToolCommand::kSuccess;
    case LogBookBackups::Outcome::NoRecords:
        tool.out << logbook << " holds no day; no backup made\n";
        return ToolCommand::kSuccess;
    default:
        return tool.Fail(status.Words());
    }
}

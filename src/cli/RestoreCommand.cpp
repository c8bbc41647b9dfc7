#include "cli/RestoreCommand.h"

#include "cli/StreamReporter.h"
#include "cli/ToolCommand.h"
#include "store/DataFile.h"
#include "store/IndexTable.h"
#include "store/LogBookDatabase.h"

int RestoreCommand(ToolCommand& tool) {
    const std::string& logbook = tool.operands[0];
    const std::string& backup = tool.operands[1];
    // A backup that will not do is refused before the logbook is opened (which would make
    // one where there is none); it is checked again under the lock.
    {
        DataFile file;
        IndexTable days;
        const LogBookBackups::CheckStatus check =
            LogBookBackups().Open(logbook, backup, file, days);
        if (!LogBookBackups::Restorable(check.Outcome())) {
            return tool.Fail(check.Words() + " The logbook is as it was.");
        }
    }
    // Held alone from here to the end, so nobody takes the logbook between the check, the
    // backup of its days and the restore.
    StreamReporter reporter(tool.err, logbook);
    LogBookDatabase database(reporter, tool.dates);
    if (database.Open(logbook) == LogBookDatabase::OpenResult::Failed) {
        return ToolCommand::kProblem;
    }
    DayChanges changes;
    const LogBookBackups::CheckStatus check = database.CompareWithBackup(backup, changes);
    if (!LogBookBackups::Restorable(check.Outcome())) {
        return tool.Fail(check.Words() + " The logbook is as it was.");
    }
    const LogBookBackups::RestoreStatus restored = database.Restore(backup);
    if (!restored.Is(LogBookBackups::RestoreOutcome::Restored)) {
        return tool.Fail(restored.Words());
    }
    tool.out << "restored " << logbook << " from the backup " << check.File() << " ("
             << changes.Text() << ")";
    if (!restored.File().empty()) {
        tool.out << "; the days it held before are in the backup " << restored.File();
    }
    tool.out << '\n';
    if (!restored.Words().empty()) {
        tool.out << restored.Words() << '\n';
    }
    database.Close(); // an index that cannot be written is said; the next open rebuilds it
    return ToolCommand::kSuccess;
}

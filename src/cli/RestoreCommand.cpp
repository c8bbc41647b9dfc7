#include "cli/RestoreCommand.h"

#include "cli/ToolCommand.h"
#include "store/LogBookBackups.h"

int RestoreCommand(ToolCommand& tool) {
    const std::string& logbook = tool.operands[0];
    const std::string& name = tool.operands[1];
    LogBookBackups backups;
    if (backups.Restore(logbook, name) != LogBookBackups::RestoreOutcome::Restored) {
        return tool.Fail(backups.Problem());
    }
    tool.out << "restored " << logbook << " from the backup " << name;
    if (!backups.Latest().empty()) {
        tool.out << "; the days it held before are in the backup " << backups.Latest();
    }
    tool.out << '\n';
    if (!backups.Problem().empty()) {
        tool.err << "veloria-logbook: " << logbook << ": " << backups.Problem() << '\n';
    }
    return ToolCommand::kSuccess;
}

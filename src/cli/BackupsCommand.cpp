#include "cli/BackupsCommand.h"

#include "cli/ToolCommand.h"
#include "store/DateUtility.h"
#include "store/LogBookBackups.h"

#include <cstdio>

int BackupsCommand(ToolCommand& tool) {
    const std::string& logbook = tool.operands[0];
    const std::string folder = LogBookBackups::FolderFor(logbook);
    std::string problem;
    const std::vector<LogBookBackups::Backup> backups = LogBookBackups().List(logbook, problem);
    if (!problem.empty()) {
        return tool.Fail(problem);
    }
    if (backups.empty()) {
        tool.out << "no backups of " << logbook << " (they are kept in " << folder << ")\n";
        return tool.out ? ToolCommand::kSuccess : tool.StandardOutputFailed();
    }
    std::string text = "backups of " + logbook + " in " + folder + ", newest first:\n";
    char line[160];
    std::snprintf(line, sizeof line, "%-26s  %-19s  %6s  %10s  %-10s  %-10s  %10s\n", "NAME",
                  "TIME (LOCAL)", "DAYS", "ACTIVITIES", "FIRST DAY", "LAST DAY", "BYTES");
    text += line;
    for (const LogBookBackups::Backup& backup : backups) {
        if (!backup.Restorable()) {
            std::snprintf(line, sizeof line, "%-26s  %-19s  ! ", backup.name.c_str(),
                          LogBookBackups::LocalTime(backup.time).c_str());
            text += line + backup.problem + '\n';
            continue;
        }
        {
            const bool any = backup.days > 0;
            // "-": made before the logbook had activities.
            const std::string activities =
                backup.activities < 0 ? "-" : std::to_string(backup.activities);
            std::snprintf(line, sizeof line, "%-26s  %-19s  %6d  %10s  %-10s  %-10s  %10lld\n",
                          backup.name.c_str(), LogBookBackups::LocalTime(backup.time).c_str(),
                          backup.days, activities.c_str(),
                          any ? DateUtility::KeyText(backup.firstDay).c_str() : "-",
                          any ? DateUtility::KeyText(backup.lastDay).c_str() : "-",
                          static_cast<long long>(backup.size));
        }
        text += line;
    }
    return tool.Print(text);
}

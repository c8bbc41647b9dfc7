#pragma once
// backup LOGBOOK: a backup of the logbook now, unless its newest backup holds the same days.

class ToolCommand;

int BackupCommand(ToolCommand& tool);

#pragma once
// restore LOGBOOK BACKUP: puts a backup in the logbook's place, after backing up what is there.

class ToolCommand;

int RestoreCommand(ToolCommand& tool);

#pragma once
// restore LOGBOOK NAME: puts a backup in the logbook's place, after backing up what is there.

class ToolCommand;

int RestoreCommand(ToolCommand& tool);

#pragma once
// backups LOGBOOK: the logbook's backups, newest first, with the days each holds.

class ToolCommand;

int BackupsCommand(ToolCommand& tool);

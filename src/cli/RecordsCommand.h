#pragma once
// veloria-logbook records: the Records window's lists of one sport, and the marks that leave
// a day or an activity out of them or count an activity as a race.

class ToolCommand;

int RecordsCommand(ToolCommand& tool);

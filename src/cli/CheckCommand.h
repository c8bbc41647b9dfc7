#pragma once
// check LOGBOOK [--repair]: counts the days and records and checks the index against the
// data file; --repair rebuilds the index, cuts off a record cut short, or creates an empty
// logbook where there is none.

class ToolCommand;

int CheckCommand(ToolCommand& tool);

#pragma once
// check LOGBOOK [--repair]: counts the days and records and checks the index against the
// data file; --repair rebuilds the index, cuts off a record cut short, or creates an empty
// logbook where there is none. The activities file beside the logbook is checked too: a
// damaged one is set aside by --repair, and a day whose figures are not those of its
// activities (an import stopped between the two files) is made again from them.

class ToolCommand;

int CheckCommand(ToolCommand& tool);

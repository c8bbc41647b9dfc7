#pragma once
// import LOGBOOK CSVFILE: the days of a CSV file stored all at once, or none of them.

class ToolCommand;

int ImportCommand(ToolCommand& tool);

#pragma once
// import LOGBOOK FILE-OR-FOLDER...: the days of one CSV file, or of activity files (see
// ActivityImport), stored all at once, or none of them.

class ToolCommand;

int ImportCommand(ToolCommand& tool);

#pragma once
// report LOGBOOK: the report file the Reports window writes, to standard output or to
// --output.

class ToolCommand;

int ReportCommand(ToolCommand& tool);

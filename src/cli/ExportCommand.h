#pragma once
// export LOGBOOK: the selected days as CSV, to standard output or to --output.

class ToolCommand;

int ExportCommand(ToolCommand& tool);

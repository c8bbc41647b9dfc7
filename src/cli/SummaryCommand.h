#pragma once
// summary LOGBOOK: the Summary window's rows for the same choices, printed only when every day
// was read.

class ToolCommand;

int SummaryCommand(ToolCommand& tool);

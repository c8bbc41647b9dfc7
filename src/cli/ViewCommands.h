#pragma once
// stats, calendar and graph LOGBOOK: the figures of the Statistics, Calendar and Graphs
// windows for the same choices, printed only when every day was read.

class ToolCommand;

int StatsCommand(ToolCommand& tool);
int CalendarCommand(ToolCommand& tool);
int GraphCommand(ToolCommand& tool);

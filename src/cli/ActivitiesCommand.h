#pragma once
// activities LOGBOOK [--from DATE] [--to DATE] [--sport NAME] [--csv]: the activities stored
// beside the logbook, one a line in date and start order, and their totals, so that a
// sport's figures can be told from the day's.

class ToolCommand;

int ActivitiesCommand(ToolCommand& tool);

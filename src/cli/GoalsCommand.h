#pragma once
// goals LOGBOOK [--add week|month|year|FROM..TO distance|time|activities|days AMOUNT
// [--sport NAME]] [--remove N] [--csv]: the goals kept beside the logbook and where each
// stands today, in the words and figures the Goals window shows; --add and --remove change
// them first (N counts from 1 as the list does).

class ToolCommand;

int GoalsCommand(ToolCommand& tool);

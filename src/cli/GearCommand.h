#pragma once
// veloria-logbook gear: the Gear window's table (GearTable), or one change to the gear:
// --add, --retire or --assign.

class ToolCommand;

int GearCommand(ToolCommand& tool);

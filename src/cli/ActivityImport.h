#pragma once
// import LOGBOOK FILE-OR-FOLDER... for activity files: every file read (folders searched
// for .fit, .gpx and .tcx names, perhaps .gz), each readable file's activities placed on
// their days, and the days stored in one step. A file that cannot be read is left out with
// its reason; the others are stored, and the status is then 1.

class ActivityImportPlan;
class ToolCommand;

int ImportActivities(ToolCommand& tool);
// The same for activities read already (a CSV of them): weighed against the logbook, said,
// and stored as the options say.
int ImportActivities(ToolCommand& tool, ActivityImportPlan& plan);

#pragma once
// load LOGBOOK: the Training Load window's figures, day by day (--from, --to: by default the
// last 31 days; --csv as CSV), from the same TrainingLoad; or, with --hr-max, --hr-rest,
// --sex, --start-fitness, --fitness-days or --fatigue-days, the profile they are worked out
// with set and nothing printed but the profile.

class ToolCommand;

int LoadCommand(ToolCommand& tool);

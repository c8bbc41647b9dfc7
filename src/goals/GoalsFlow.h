#pragma once
// Goals as the program offers them: Tools > Goals... opens the Goals dialog on the open
// logbook, and once a logbook opens its first goal's state goes on the status bar.

#include "goals/GoalProgress.h"

#include <string>

class ClientWindow;
class DateUtility;
class LogBookDatabase;

class GoalsFlow {
public:
    // Registers the dialog's template and the command with the shell.
    static void Register();
    // The first goal's line for the status bar ("2026: 1,234 of 2,000 km, 12 km behind
    // pace"); empty without goals or when the activities file cannot be read.
    static std::string StatusLine(LogBookDatabase& database, const DateUtility& dates,
                                  std::int32_t today, WeekStart start);
    static std::int32_t Today(const DateUtility& dates);
};

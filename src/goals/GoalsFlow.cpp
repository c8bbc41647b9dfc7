#include "goals/GoalsFlow.h"

#include "goals/GoalBook.h"
#include "goals/GoalIds.h"
#include "goals/GoalText.h"
#include "goals/GoalsDialog.h"
#include "shell/ClientWindow.h"
#include "shell/Settings.h"
#include "store/LogBookDatabase.h"

void GoalsFlow::Register() {
    GoalsDialog::RegisterTemplate();
    ToolRegistry::FileCommand command;
    command.command = goals::kCommand;
    command.menuText = "G&oals...";
    command.hint = "Set goals and see whether you are on track.";
    command.menu = ToolRegistry::FileCommand::Menu::Tools;
    command.run = [](ClientWindow& client) {
        GoalsDialog dialog(&client, client.Database(), client.Dates(), Today(client.Dates()),
                           Settings::ReadWeekStart(client.Profile()));
        dialog.Execute();
        // Windows that show goals beside their figures weigh them again.
        if (dialog.Changed()) {
            client.RefreshToolWindows(false);
        }
    };
    ClientWindow::RegisterFileCommand(std::move(command));
    ClientWindow::RegisterOpenedNotice([](ClientWindow& client) {
        return StatusLine(client.Database(), client.Dates(), Today(client.Dates()),
                          Settings::ReadWeekStart(client.Profile()));
    });
}

std::int32_t GoalsFlow::Today(const DateUtility& dates) {
    DateValue today;
    dates.Today(today);
    return dates.KeyOfDate(today);
}

std::string GoalsFlow::StatusLine(LogBookDatabase& database, const DateUtility& dates,
                                  std::int32_t today, WeekStart start) {
    if (!database.IsOpen()) {
        return {};
    }
    ActivityStore store;
    if (!store.Open(database, false).Ok()) {
        return {}; // the open says what is wrong with the file
    }
    std::vector<GoalProgress::State> states;
    if (!GoalBook::Load(database, store, dates, today, start, states).Ok() || states.empty()) {
        return {};
    }
    return GoalText(dates, store.Unit()).Line(states.front());
}

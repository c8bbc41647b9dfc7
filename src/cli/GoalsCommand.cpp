#include "cli/GoalsCommand.h"

#include "cli/CsvText.h"
#include "cli/DayCsv.h"
#include "cli/StreamReporter.h"
#include "cli/ToolCommand.h"
#include "goals/GoalBook.h"
#include "goals/GoalText.h"
#include "store/EscapedText.h"
#include "store/GoalStore.h"
#include "store/LogBookDatabase.h"

#include <cstdio>
#include <sstream>

namespace {

// FROM..TO as two logbook dates in order.
bool ReadDates(const ToolCommand& tool, const std::string& text, Goal& goal) {
    const std::size_t dots = text.find("..");
    DateValue from;
    DateValue to;
    if (dots == std::string::npos || !DayCsv(tool.dates).ReadDate(text.substr(0, dots), from) ||
        !DayCsv(tool.dates).ReadDate(text.substr(dots + 2), to)) {
        return false;
    }
    goal.first = tool.dates.KeyOfDate(from);
    goal.last = tool.dates.KeyOfDate(to);
    return goal.first <= goal.last;
}

// The goal --add describes, read against the logbook's unit: kSuccess, or the status of
// the problem told.
int ReadGoal(ToolCommand& tool, const GoalText& text, Goal& goal) {
    const std::string& period = *tool.Value(Option::Add);
    if (const std::optional<Goal::Span> span = Goal::SpanOfWord(period);
        span && *span != Goal::Span::Dates) {
        goal.span = *span;
    } else if (ReadDates(tool, period, goal)) {
        goal.span = Goal::Span::Dates;
    } else {
        return tool.UsageError("--add \"" + period +
                               "\" is not week, month, year or FROM..TO (YYYY-MM-DD..YYYY-MM-DD, "
                               "in order)");
    }
    const std::optional<Goal::Quantity> quantity = Goal::QuantityOfWord(tool.operands[1]);
    if (!quantity) {
        return tool.UsageError("--add \"" + tool.operands[1] +
                               "\" is not distance, time, activities or days");
    }
    goal.quantity = *quantity;
    std::string problem;
    if (!text.Read(goal.quantity, tool.operands[2], goal.amount, problem)) {
        return tool.Fail(problem + " Nothing was changed.");
    }
    goal.sport = tool.Value(Option::Sport).value_or("");
    return ToolCommand::kSuccess;
}

// A figure as the CSV gives it: distance in the unit, time as a duration, counts.
std::string Figure(const GoalText& text, const std::string& unit, Goal::Quantity quantity,
                   double value) {
    if (quantity == Goal::Quantity::Time) {
        return text.Typed(quantity, value);
    }
    char figure[32];
    std::snprintf(figure, sizeof figure, "%.1f",
                  quantity == Goal::Quantity::Distance ? value / GoalText::MetresPer(unit) : value);
    return figure;
}

std::string Csv(const std::vector<GoalProgress::State>& states, const GoalText& text,
                const std::string& unit) {
    std::string csv = "number,period,first,last,quantity,sport,amount,done,remaining,gonePercent,"
                      "perDay,perWeek,projection,pace\n";
    int number = 0;
    for (const GoalProgress::State& s : states) {
        const Goal::Quantity q = s.goal.quantity;
        char gone[16];
        std::snprintf(gone, sizeof gone, "%.1f", s.shareGone * 100);
        std::string pace = Figure(text, unit, q, s.pace < 0 ? -s.pace : s.pace);
        if (s.pace < 0) {
            pace.insert(0, 1, '-');
        }
        std::string line;
        for (const std::string& field :
             {std::to_string(++number), std::string(Goal::Word(s.goal.span)),
              DateUtility::KeyText(s.first), DateUtility::KeyText(s.last),
              std::string(Goal::Word(q)) + (q == Goal::Quantity::Distance ? " (" + unit + ")" : ""),
              s.goal.sport, Figure(text, unit, q, s.goal.amount), Figure(text, unit, q, s.done),
              Figure(text, unit, q, s.remaining), std::string(gone),
              Figure(text, unit, q, s.perDay), Figure(text, unit, q, s.perWeek),
              Figure(text, unit, q, s.projection), pace}) {
            if (!line.empty()) {
                line.push_back(',');
            }
            line += CsvText::Field(field);
        }
        csv += line + "\n";
    }
    return csv;
}

} // namespace

int GoalsCommand(ToolCommand& tool) {
    const std::string& logbook = tool.operands[0];
    const bool add = tool.Given(Option::Add);
    const bool remove = tool.Given(Option::Remove);
    if (tool.operands.size() != (add ? 3U : 1U)) {
        return tool.UsageError(add ? "goals --add needs LOGBOOK, then after the period a "
                                     "QUANTITY and an AMOUNT"
                                   : "goals needs exactly one LOGBOOK");
    }
    if (tool.Given(Option::Sport) && !add) {
        return tool.UsageError("--sport goes with --add");
    }
    int removeNumber = 0;
    if (remove) {
        const std::string& n = *tool.Value(Option::Remove);
        if (n.empty() || n.size() > 6 || n.find_first_not_of("0123456789") != std::string::npos ||
            (removeNumber = std::stoi(n)) < 1) {
            return tool.UsageError("--remove \"" + n + "\" is not a goal's number (1, 2, ...)");
        }
    }

    StreamReporter reporter(tool.err, EscapedText::Of(logbook));
    LogBookDatabase database(reporter, tool.dates);
    const bool change = add || remove;
    if (!ToolCommand::Exists(logbook)) {
        return tool.Fail(EscapedText::Of(logbook) + ": no such logbook");
    }
    if (database.Open(logbook,
                      change ? LogBookDatabase::Access::Write : LogBookDatabase::Access::Read) ==
        LogBookDatabase::OpenResult::Failed) {
        return ToolCommand::kProblem;
    }
    ActivityStore store;
    if (const ActivityStore::Outcome open = store.Open(database, change);
        !open.Ok() && open.code != ActivityStore::Code::Missing) {
        return tool.Fail(EscapedText::Of(open.words));
    }
    const std::string unit = store.Unit();
    const GoalText text(tool.dates, unit);
    GoalStore goals(store);
    // Read whole before anything changes, so a refused --add leaves a --remove undone too.
    Goal goal;
    if (const int read = add ? ReadGoal(tool, text, goal) : ToolCommand::kSuccess;
        read != ToolCommand::kSuccess) {
        return read;
    }
    if (remove) {
        std::vector<Goal> present;
        if (const ActivityStore::Outcome read = goals.Read(present); !read.Ok()) {
            return tool.Fail(EscapedText::Of(read.words));
        }
        if (static_cast<std::size_t>(removeNumber) > present.size()) {
            return tool.Fail("there is no goal " + std::to_string(removeNumber) + " (" +
                             std::to_string(present.size()) + " are set); nothing was changed");
        }
        const ActivityStore::Outcome removed =
            goals.Remove(present[static_cast<std::size_t>(removeNumber - 1)].id);
        if (!removed.Ok()) {
            return tool.Fail(EscapedText::Of(removed.words));
        }
    }
    if (add) {
        if (const ActivityStore::Outcome added = goals.Add(goal); !added.Ok()) {
            return tool.Fail(EscapedText::Of(added.words));
        }
    }

    const DateValue today = tool.Today();
    WeekStart start{};
    tool.ReadWeekStart(start); // goals take no --week-start: the setting, never refused
    std::vector<GoalProgress::State> states;
    if (const ActivityStore::Outcome loaded =
            GoalBook::Load(database, store, tool.dates, tool.dates.KeyOfDate(today), start, states);
        !loaded.Ok()) {
        return tool.Fail(EscapedText::Of(loaded.words));
    }
    if (tool.Given(Option::Csv)) {
        return tool.Print(Csv(states, text, unit));
    }
    std::ostringstream out;
    if (states.empty()) {
        out << "No goals are set (--add sets one).\n";
    }
    int number = 0;
    for (const GoalProgress::State& s : states) {
        // The sport is the user's text: escaped, so it cannot move the terminal.
        out << ++number << "  " << EscapedText::Of(text.Description(s.goal)) << "\n   "
            << EscapedText::Of(text.Line(s)) << "\n   " << text.Details(s) << "\n";
    }
    return tool.Print(out.str());
}

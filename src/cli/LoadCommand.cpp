#include "cli/LoadCommand.h"

#include "cli/StreamReporter.h"
#include "cli/ToolCommand.h"
#include "load/LoadWords.h"
#include "load/TrainingLoad.h"
#include "store/ActivityStore.h"
#include "store/EscapedText.h"
#include "store/LogBookDatabase.h"

#include <sstream>

namespace {

constexpr Option kProfileOptions[] = {Option::HrMax,       Option::HrRest,
                                      Option::Sex,         Option::StartFitness,
                                      Option::FitnessDays, Option::FatigueDays};

const char* SourceWords(TrainingLoad::Source source) {
    switch (source) {
    case TrainingLoad::Source::Log:
        return " (from your log)";
    case TrainingLoad::Source::Assumed:
        return " (assumed: none in your log)";
    default:
        return "";
    }
}

std::string ProfileText(const TrainingLoad& load) {
    const TrainingLoad::HeartRates& rates = load.Rates();
    const LoadProfile& profile = load.Profile();
    return "Maximum heart rate " + std::to_string(rates.max) + SourceWords(rates.maxSource) +
           ", resting " + std::to_string(rates.rest) + SourceWords(rates.restSource) + ", sex " +
           LoadProfile::SexName(profile.sex) + ", starting fitness " +
           std::to_string(profile.startFitness) + ", fitness over " +
           std::to_string(profile.fitnessDays) + " days, fatigue over " +
           std::to_string(profile.fatigueDays) + " days\n";
}

// "unset" as a heart rate, starting fitness or number of days clears it.
std::string Given(const ToolCommand& tool, Option option) {
    const std::string& text = *tool.Value(option);
    return text == "unset" ? std::string() : text;
}

int SetProfile(ToolCommand& tool, const std::string& logbook) {
    if (!ToolCommand::Exists(logbook)) {
        return tool.Fail(logbook + ": no such logbook");
    }
    StreamReporter reporter(tool.err, EscapedText::Of(logbook));
    LogBookDatabase database(reporter, tool.dates);
    if (database.Open(logbook) == LogBookDatabase::OpenResult::Failed) {
        return ToolCommand::kProblem;
    }
    ActivityStore store;
    if (const ActivityStore::Outcome open = store.Open(database, true);
        !open.Ok() && open.code != ActivityStore::Code::Missing) {
        return tool.Fail(open.words + "; the profile was not changed");
    }
    LoadProfile profile = LoadProfile::Read(store);
    // The log's figures stand in for what is left unset, as in the window.
    TrainingLoad before;
    if (!before.Read(database, tool.dates.KeyOfDate(tool.Today()), 0)) {
        return tool.Fail(logbook + ": the logbook could not be read; the profile was not changed");
    }
    std::string why;
    const bool read =
        (!tool.Given(Option::HrMax) || profile.SetMaxHeartRate(Given(tool, Option::HrMax), why)) &&
        (!tool.Given(Option::HrRest) ||
         profile.SetRestHeartRate(Given(tool, Option::HrRest), why)) &&
        (!tool.Given(Option::Sex) || profile.SetSex(*tool.Value(Option::Sex), why)) &&
        (!tool.Given(Option::StartFitness) ||
         profile.SetStartFitness(Given(tool, Option::StartFitness), why)) &&
        (!tool.Given(Option::FitnessDays) ||
         profile.SetFitnessDays(Given(tool, Option::FitnessDays), why)) &&
        (!tool.Given(Option::FatigueDays) ||
         profile.SetFatigueDays(Given(tool, Option::FatigueDays), why));
    if (!read) {
        return tool.UsageError(why);
    }
    if (const std::string conflict =
            profile.Conflict(before.LogRates().max, before.LogRates().rest);
        !conflict.empty()) {
        return tool.Fail(conflict + "; the profile was not changed");
    }
    if (const std::string conflict = profile.DaysConflict(); !conflict.empty()) {
        return tool.Fail(conflict + "; the profile was not changed");
    }
    if (const ActivityStore::Outcome stored = profile.Store(store); !stored.Ok()) {
        return tool.Fail(stored.words + "; the profile was not changed");
    }
    TrainingLoad load;
    if (!load.Read(database, tool.dates.KeyOfDate(tool.Today()), 0)) {
        return tool.Print("The profile was stored.\n");
    }
    return tool.Print("The profile was stored. " + ProfileText(load));
}

} // namespace

int LoadCommand(ToolCommand& tool) {
    const std::string& logbook = tool.operands[0];
    bool setting = false;
    for (const Option option : kProfileOptions) {
        setting = setting || tool.Given(option);
    }
    if (setting) {
        if (tool.Given(Option::From) || tool.Given(Option::To) || tool.Given(Option::Range) ||
            tool.Given(Option::Csv)) {
            return tool.UsageError("--hr-max, --hr-rest, --sex, --start-fitness, --fitness-days "
                                   "and --fatigue-days set the profile and print no days: give "
                                   "--from, --to, --range and --csv without them");
        }
        return SetProfile(tool, logbook);
    }
    const DateValue today = tool.Today();
    DateValue to = today;
    if (!tool.ReadRange() || !tool.ReadDate(Option::To, to)) {
        return ToolCommand::kUsageError;
    }
    DateValue from = to;
    tool.dates.SubtractDays(from, 30);
    if (!tool.ReadDate(Option::From, from)) {
        return ToolCommand::kUsageError;
    }
    std::int32_t first = tool.dates.KeyOfDate(from);
    std::int32_t last = tool.dates.KeyOfDate(to);
    if (first > last) {
        return tool.UsageError("--from is after --to");
    }
    StreamReporter reporter(tool.err, EscapedText::Of(logbook));
    LogBookDatabase database(reporter, tool.dates);
    if (const int opened = tool.OpenToRead(database, logbook); opened != ToolCommand::kSuccess) {
        return opened;
    }
    if (!tool.RangeKeys(database, first, last)) {
        return ToolCommand::kProblem;
    }
    TrainingLoad load;
    // Printed only when every day was read: a missing day would change every figure after it.
    if (!load.Read(database, tool.dates.KeyOfDate(today), last) || database.ReadFailures() != 0 ||
        reporter.Count() != 0) {
        return tool.Fail(logbook + ": the logbook could not be read; nothing was printed");
    }
    if (!load.Problem().empty()) {
        tool.err << "veloria-logbook: " << load.Problem()
                 << "; the days' own time and difficulty are used\n";
    }
    const bool csv = tool.Given(Option::Csv);
    std::ostringstream text;
    if (!csv) {
        text << ProfileText(load);
    }
    text << LoadWords::Heading(csv);
    const std::span<const LoadDay> days = load.Range(first, last);
    for (const LoadDay& day : days) {
        text << LoadWords::Line(day, csv);
    }
    if (!csv && !days.empty()) {
        const LoadDay& end = days.back();
        text << LoadWords::FitnessFatigue(end) << "  " << LoadWords::Form(end) << "  "
             << LoadWords::Ramp(end) << "  " << LoadWords::Acwr(end) << "  "
             << LoadWords::Monotony(end) << "\n";
    }
    return tool.Print(text.str());
}

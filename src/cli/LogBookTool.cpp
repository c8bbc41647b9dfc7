#include "cli/LogBookTool.h"

#include "cli/ActivitiesCommand.h"
#include "cli/BackupCommand.h"
#include "cli/BackupsCommand.h"
#include "cli/CheckCommand.h"
#include "cli/ExportCommand.h"
#include "cli/GearCommand.h"
#include "cli/GoalsCommand.h"
#include "cli/ImportCommand.h"
#include "cli/LoadCommand.h"
#include "cli/RecordsCommand.h"
#include "cli/ReportCommand.h"
#include "cli/RestoreCommand.h"
#include "cli/SummaryCommand.h"
#include "cli/ToolCommand.h"
#include "cli/ViewCommands.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <new>
#include <optional>
#include <stdexcept>

const char* const LogBookTool::kUsage =
    "usage: veloria-logbook export LOGBOOK [DATES] [--type all|training|competition]\n"
    "                              [--output FILE]\n"
    "       veloria-logbook import LOGBOOK FILE-OR-FOLDER... [--unit km|mi]\n"
    "                             [--replace | --skip-existing] [--dry-run]\n"
    "       veloria-logbook check LOGBOOK [--repair]\n"
    "       veloria-logbook activities LOGBOOK [DATES] [--sport NAME] [--csv | --days]\n"
    "       veloria-logbook activities LOGBOOK --default-sport NAME\n"
    "       veloria-logbook goals LOGBOOK [--add week|month|year|FROM..TO\n"
    "                             distance|time|activities|days AMOUNT [--sport NAME]]\n"
    "                             [--remove N] [--csv]\n"
    "       veloria-logbook stats LOGBOOK [DATES] [--type all|training|competition] [--csv]\n"
    "       veloria-logbook summary LOGBOOK [--per week|month|year] [--sport NAME]\n"
    "                             [--week-start mon|sun|sat] [DATES] [--csv]\n"
    "       veloria-logbook calendar LOGBOOK [--month YYYY-MM] [--category NAME]\n"
    "       veloria-logbook graph LOGBOOK [--category NAME] [--type all|training|competition]\n"
    "                             [DATES]\n"
    "       veloria-logbook load LOGBOOK [DATES] [--csv]\n"
    "       veloria-logbook load LOGBOOK [--hr-max N|unset] [--hr-rest N|unset]\n"
    "                             [--sex m|f|unset] [--start-fitness N|unset]\n"
    "                             [--fitness-days N|unset] [--fatigue-days N|unset]\n"
    "       veloria-logbook report LOGBOOK [DATES] [--type all|training|competition]\n"
    "                             [--title TEXT] [--comments TEXT] [--no-title-page]\n"
    "                             [--no-page-numbers]\n"
    "                             [--output FILE]\n"
    "       veloria-logbook gear LOGBOOK [--all] [--csv]\n"
    "       veloria-logbook gear LOGBOOK --add NAME [--kind shoes|bike|other] [--sport NAME]\n"
    "                             [--start-distance N] [--limit N] [--first-use YYYY-MM-DD]\n"
    "       veloria-logbook gear LOGBOOK --retire NAME [--on YYYY-MM-DD]\n"
    "       veloria-logbook gear LOGBOOK --assign NAME [--from YYYY-MM-DD] [--to YYYY-MM-DD]\n"
    "                             [--sport NAME]\n"
    "       veloria-logbook records LOGBOOK [--sport NAME] [--csv]\n"
    "                             [--not-for-records WHEN | --for-records WHEN]\n"
    "                             [--race START | --not-race START]\n"
    "       veloria-logbook backup LOGBOOK\n"
    "       veloria-logbook backups LOGBOOK\n"
    "       veloria-logbook restore LOGBOOK BACKUP\n"
    "       veloria-logbook --help | --version\n"
    "\n"
    "  export   write the logbook's days as CSV (to standard output without --output)\n"
    "  import   store the days of one CSV file (nothing unless every row is good), or of\n"
    "           activity files: FIT, TCX and GPX, each perhaps gzip-compressed, named or\n"
    "           found in folders (every .fit, .gpx, .tcx, .fit.gz, ... under them). Each\n"
    "           activity is kept in LOGBOOK's activities file (NAME.vra beside NAME.vrl)\n"
    "           and goes on the local date of its start; a day's figures are its\n"
    "           activities' (sums, largest heart rate), distance in --unit (km unless mi);\n"
    "           a new day gets the sports as workout and the files as comment. An activity\n"
    "           stored already is left out. A file that cannot be read is left out with its\n"
    "           reason and the others are stored (status 1). A day typed by hand stops the\n"
    "           import unless --replace (its figures replaced, its other fields kept) or\n"
    "           --skip-existing (kept); --replace also replaces the activities of the days\n"
    "           it touches; --dry-run shows what would be stored. A CSV file that starts\n"
    "           with the header activities --csv writes holds activities: they are stored\n"
    "           as the files' are, and nothing unless every row is good\n"
    "  check    count the days and records and check the index and the activities file,\n"
    "           naming days an import was cut short before writing (a day changed or erased\n"
    "           by hand since its import is only noted); --repair rebuilds the index, sets a\n"
    "           damaged activities file aside and writes the days the import cut short\n"
    "           meant to write, leaving every other day alone\n"
    "  activities  the activities stored for the logbook (--sport: by name or short word,\n"
    "           such as Running or Run; --csv as CSV), with their totals and the default\n"
    "           sport, the sport of the days typed without activities; --days: each day's\n"
    "           line as the Log Book shows it; --default-sport sets it (Run, Ride, Swim...,\n"
    "           Other). CSV columns: date, start (HH:MM, this machine's clock), sport,\n"
    "           distanceKm, movingTime, avgHeartRate, maxHeartRate (0: none), calories,\n"
    "           file\n"
    "  goals    the goals kept beside the logbook and where each stands today: done, left,\n"
    "           the share of the period gone, what each day and week needs, the projection\n"
    "           at the present rate and how far ahead of or behind a steady pace; --add sets\n"
    "           one (this week, month or year, again each time, or FROM..TO; a distance in\n"
    "           the logbook's unit, a time as minutes, mm:ss or h:mm:ss, a number of\n"
    "           activities or active days; --sport NAME counts that sport only, its days\n"
    "           without activities under the default sport), --remove N takes the Nth away\n"
    "  stats    the Statistics window's table (--csv as CSV); by default the last 31 days\n"
    "  summary  the Summary window's rows, newest first: the periods holding --from..--to\n"
    "           (no length limit), by default the last 12 weeks or months, or every year;\n"
    "           weeks begin on vrl.ini's WEEKSTART, else the locale's first day\n"
    "  calendar a month as the Calendar shows it; by default this month and distance\n"
    "  graph    the points a graph plots, its axis and labels; by default distance over the\n"
    "           last 31 days\n"
    "  load     the Training Load window's figures per day: load (TRIMP from heart rate, or\n"
    "           estimated from time and difficulty), fitness, fatigue, form, ACWR and its\n"
    "           band, ramp, monotony, strain; by default the last 31 days. With --hr-max,\n"
    "           --hr-rest, --sex, --start-fitness, --fitness-days or --fatigue-days it sets\n"
    "           the profile they are worked out with instead (kept in the activities file;\n"
    "           unset: the heart rates from your log, 42 and 7 days)\n"
    "  report   the report file the Reports window writes (to standard output without\n"
    "           --output); title and comments hold at most 79 characters\n"
    "  gear     the Gear window's table: each item in use (--all: the retired too; --csv as\n"
    "           CSV) with its distance and time from its starting distance and the\n"
    "           activities that carry it, its limit used and the day it is likely to reach\n"
    "           it at the pace of the last 8 weeks. --add stores an item (distances N in\n"
    "           the logbook's unit; with --sport it becomes that sport's default unless an\n"
    "           item in use is already), --retire retires one (today without --on),\n"
    "           --assign gives it to the activities of a range (of --sport, else of the\n"
    "           sport it is for)\n"
    "  records  the Records window's lists of one sport (--sport: by name or short word;\n"
    "           the default sport without it): race bests at the standard distances from\n"
    "           competition days and activities counted as races, day records, and the\n"
    "           best efforts of imported tracks, ten each, and what is left out and why\n"
    "           (--csv as CSV). --not-for-records WHEN leaves a day (YYYY-MM-DD) or an\n"
    "           activity (YYYY-MM-DDTHH:MM, its start as activities lists it) out of\n"
    "           records, --for-records WHEN counts it again; --race START counts an\n"
    "           activity as a race, --not-race START no longer\n"
    "  backup   back the logbook up now (unless its newest backup holds the same bytes)\n"
    "  backups  list the logbook's backups, newest first: name, time, days, size; one that\n"
    "           fails its check is marked with a !\n"
    "  restore  put BACKUP (its name, or the path backup printed) in the logbook's place,\n"
    "           after backing up what is there, and say which days it adds, removes and\n"
    "           changes; refused for a damaged backup and while the logbook is open in Veloria\n"
    "  Backups are kept in $XDG_DATA_HOME/veloria/backups (~/.local/share/veloria/backups),\n"
    "  one folder per logbook, and made before every import, check --repair and restore:\n"
    "  the newest stays, and of the rest the 10 newest with the newest of each of the last\n"
    "  8 weeks and 12 months; one named later than the clock is kept and not counted.\n"
    "  DATES is --from YYYY-MM-DD and --to YYYY-MM-DD (either may be left out), or\n"
    "  --range RANGE, never both: RANGE is this-week, last-week, last:Nd (the N days up\n"
    "  to today), last:Nw (the N weeks of 7 days up to today), this-month, last-month,\n"
    "  ytd (1 January to today), last-year or all (the first to the last day the logbook\n"
    "  holds); a week begins on vrl.ini's WEEKSTART, else the locale's first day, and\n"
    "  this-week and this-month end today.\n"
    "  A range holds at most 1825 days; stats, graph and report cut a --range that holds\n"
    "  more to its last 1825 days and say so. NAME is one of distance, time, pace,\n"
    "  speed, rest-hr, max-hr, calories, water, sleep, temperature, weight, difficulty.\n"
    "\n"
    "Exit status: 0 success, 1 a problem found or bad input, 2 usage error.\n";

const char* const LogBookTool::kVersion = "veloria-logbook " VELORIA_VERSION "\n";

namespace {

struct OptionName {
    Option option;
    const char* name;
    bool takesValue; // else a flag, which refuses "=value"
};

constexpr OptionName kOptionNames[] = {
    {Option::From, "--from", true},
    {Option::To, "--to", true},
    {Option::Type, "--type", true},
    {Option::Output, "--output", true},
    {Option::Month, "--month", true},
    {Option::Category, "--category", true},
    {Option::Title, "--title", true},
    {Option::Comments, "--comments", true},
    {Option::NoTitlePage, "--no-title-page", false},
    {Option::NoPageNumbers, "--no-page-numbers", false},
    {Option::Replace, "--replace", false},
    {Option::Repair, "--repair", false},
    {Option::Csv, "--csv", false},
    {Option::Unit, "--unit", true},
    {Option::SkipExisting, "--skip-existing", false},
    {Option::DryRun, "--dry-run", false},
    {Option::Sport, "--sport", true},
    {Option::Days, "--days", false},
    {Option::DefaultSport, "--default-sport", true},
    {Option::Per, "--per", true},
    {Option::WeekStart, "--week-start", true},
    {Option::Add, "--add", true},
    {Option::Remove, "--remove", true},
    {Option::HrMax, "--hr-max", true},
    {Option::HrRest, "--hr-rest", true},
    {Option::Sex, "--sex", true},
    {Option::StartFitness, "--start-fitness", true},
    {Option::FitnessDays, "--fitness-days", true},
    {Option::FatigueDays, "--fatigue-days", true},
    {Option::All, "--all", false},
    {Option::Kind, "--kind", true},
    {Option::StartDistance, "--start-distance", true},
    {Option::Limit, "--limit", true},
    {Option::FirstUse, "--first-use", true},
    {Option::Retire, "--retire", true},
    {Option::On, "--on", true},
    {Option::Assign, "--assign", true},
    {Option::Range, "--range", true},
    {Option::NotForRecords, "--not-for-records", true},
    {Option::ForRecords, "--for-records", true},
    {Option::Race, "--race", true},
    {Option::NotRace, "--not-race", true},
};
static_assert(std::size(kOptionNames) == kOptionCount);

static_assert(kOptionCount <= 64, "a command's options are one 64-bit set");
using OptionSet = std::uint64_t;

constexpr OptionSet Takes(std::initializer_list<Option> options) {
    OptionSet set = 0;
    for (const Option option : options) {
        set |= std::uint64_t{1} << static_cast<unsigned>(option);
    }
    return set;
}

struct Command {
    const char* name;
    std::size_t operands;
    bool moreOperands;          // whether more than operands may follow
    const char* operandsWanted; // the usage error when the count differs
    OptionSet options;
    int (*run)(ToolCommand& tool);
};

constexpr const char* kOneLogbook = " needs exactly one LOGBOOK";
constexpr OptionSet kRange = Takes({Option::From, Option::To, Option::Range, Option::Type});

constexpr Command kCommands[] = {
    {"export", 1, false, kOneLogbook, kRange | Takes({Option::Output}), ExportCommand},
    {"import", 2, true, " needs LOGBOOK and a FILE-OR-FOLDER",
     Takes({Option::Replace, Option::SkipExisting, Option::Unit, Option::DryRun}), ImportCommand},
    {"check", 1, false, kOneLogbook, Takes({Option::Repair}), CheckCommand},
    {"activities", 1, false, kOneLogbook,
     Takes({Option::From, Option::To, Option::Sport, Option::Range, Option::Csv, Option::Days,
            Option::DefaultSport}),
     ActivitiesCommand},
    {"goals", 1, true, kOneLogbook,
     Takes({Option::Add, Option::Remove, Option::Sport, Option::Csv}), GoalsCommand},
    {"stats", 1, false, kOneLogbook, kRange | Takes({Option::Csv}), StatsCommand},
    {"summary", 1, false, kOneLogbook,
     Takes({Option::From, Option::To, Option::Range, Option::Per, Option::Sport, Option::WeekStart,
            Option::Csv}),
     SummaryCommand},
    {"calendar", 1, false, kOneLogbook, Takes({Option::Month, Option::Category}), CalendarCommand},
    {"graph", 1, false, kOneLogbook, kRange | Takes({Option::Category}), GraphCommand},
    {"load", 1, false, kOneLogbook,
     Takes({Option::From, Option::To, Option::Range, Option::Csv, Option::HrMax, Option::HrRest,
            Option::Sex, Option::StartFitness, Option::FitnessDays, Option::FatigueDays}),
     LoadCommand},
    {"report", 1, false, kOneLogbook,
     kRange | Takes({Option::Output, Option::Title, Option::Comments, Option::NoTitlePage,
                     Option::NoPageNumbers}),
     ReportCommand},
    {"gear", 1, false, kOneLogbook,
     Takes({Option::All, Option::Csv, Option::Add, Option::Kind, Option::Sport,
            Option::StartDistance, Option::Limit, Option::FirstUse, Option::Retire, Option::On,
            Option::Assign, Option::From, Option::To}),
     GearCommand},
    {"records", 1, false, kOneLogbook,
     Takes({Option::Sport, Option::Csv, Option::NotForRecords, Option::ForRecords, Option::Race,
            Option::NotRace}),
     RecordsCommand},
    {"backup", 1, false, kOneLogbook, 0, BackupCommand},
    {"backups", 1, false, kOneLogbook, 0, BackupsCommand},
    {"restore", 2, false, " needs LOGBOOK and the name of a BACKUP", 0, RestoreCommand},
};

} // namespace

int LogBookTool::Run(const std::vector<std::string>& arguments) {
    try {
        return RunCommand(arguments);
    } catch (const std::bad_alloc&) {
        err << "veloria-logbook: out of memory; nothing was changed" << std::endl;
    } catch (const std::exception& e) {
        err << "veloria-logbook: " << e.what() << "; nothing was changed" << std::endl;
    }
    return kProblem;
}

int LogBookTool::RunCommand(const std::vector<std::string>& arguments) {
    for (const std::string& a : arguments) {
        if (a == "--help" || a == "-h") {
            out << kUsage;
            return kSuccess;
        }
        if (a == "--version") {
            out << kVersion;
            return kSuccess;
        }
    }
    ToolCommand tool(out, err, kUsage);
    if (arguments.empty()) {
        return tool.UsageError("no command given");
    }
    tool.name = arguments[0];
    const Command* command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                          [&](const Command& c) { return tool.name == c.name; });
    if (command == std::end(kCommands)) {
        return tool.UsageError("unknown command \"" + tool.name + "\"");
    }
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        std::string a = arguments[i];
        if (a.rfind("--", 0) != 0) {
            tool.operands.push_back(a);
            continue;
        }
        std::optional<std::string> value;
        if (const std::size_t eq = a.find('='); eq != std::string::npos) {
            value = a.substr(eq + 1);
            a.resize(eq);
        }
        const OptionName* option = std::find_if(
            std::begin(kOptionNames), std::end(kOptionNames), [&](const OptionName& o) {
                return a == o.name && (command->options & Takes({o.option})) != 0;
            });
        if (option == std::end(kOptionNames)) {
            return tool.UsageError("unknown option " + a + " for " + tool.name);
        }
        if (!option->takesValue) {
            if (value) {
                return tool.UsageError(a + " takes no value");
            }
            value = "";
        } else if (!value) {
            if (i + 1 >= arguments.size()) {
                return tool.UsageError(a + " needs a value");
            }
            value = arguments[++i];
        }
        tool.Set(option->option, *value);
    }
    if (tool.operands.size() < command->operands ||
        (!command->moreOperands && tool.operands.size() > command->operands)) {
        return tool.UsageError(tool.name + command->operandsWanted);
    }
    return command->run(tool);
}

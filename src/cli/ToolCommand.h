#pragma once
// One command of veloria-logbook as it runs: its operands and the options it was given (the
// command table in LogBookTool has already refused any it does not take), the two streams it
// answers on, and the readers and endings the commands share. The commands themselves live in
// ExportCommand, ImportCommand, CheckCommand, ViewCommands and ReportCommand.

#include "store/DateRangePreset.h"
#include "store/DateUtility.h"
#include "store/DayType.h"
#include "views/ViewSelection.h"

#include <array>
#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

class LogBookDatabase;

enum class Option {
    From,
    To,
    Type,
    Output,
    Month,
    Category,
    Title,
    Comments,
    NoTitlePage,
    NoPageNumbers,
    Replace,
    Repair,
    Csv,
    Unit,
    SkipExisting,
    DryRun,
    Sport,
    Days,
    DefaultSport,
    Per,
    WeekStart,
    Add,
    Remove,
    HrMax,
    HrRest,
    Sex,
    StartFitness,
    FitnessDays,
    FatigueDays,
    All,
    Kind,
    StartDistance,
    Limit,
    FirstUse,
    Retire,
    On,
    Assign,
    Range,
    NotForRecords,
    ForRecords,
    Race,
    NotRace,
};
constexpr std::size_t kOptionCount = static_cast<std::size_t>(Option::NotRace) + 1;

class ToolCommand {
public:
    static constexpr int kSuccess = 0;
    static constexpr int kProblem = 1;
    static constexpr int kUsageError = 2;
    // So many lines of one kind are enough to see what is wrong with a file.
    static constexpr int kMaxListed = 100;

    // usage: the text a usage error ends with.
    ToolCommand(std::ostream& out, std::ostream& err, const char* usage)
        : out(out), err(err), usage(usage) {}

    // The value given, "" for a flag; nothing when the option was not given.
    const std::optional<std::string>& Value(Option option) const {
        return given[static_cast<std::size_t>(option)];
    }
    bool Given(Option option) const { return Value(option).has_value(); }
    void Set(Option option, std::string value) {
        given[static_cast<std::size_t>(option)] = std::move(value);
    }

    // Each prints its message and returns the exit status that goes with it.
    int Fail(const std::string& message);
    int UsageError(const std::string& message);

    // The readers of the options more than one command takes. Each leaves its result as it
    // was when the option is missing, and returns false once it has given the usage error.
    // --from or --to: a date from 1960-01-01 to 2100-12-31.
    bool ReadDate(Option fromOrTo, DateValue& date);
    // The first day of the week every command buckets weeks by: --week-start where the
    // command takes it, else vrl.ini's WEEKSTART as the windows read it, else the locale's.
    bool ReadWeekStart(WeekStart& start);
    // --range: one of DateRangePreset's words, never beside --from or --to. The range is
    // worked out once the logbook is open (RangeDays), since "all" reads its days.
    bool ReadRange();
    // The days --range names today (weeks as ReadWeekStart says), or nothing without it;
    // false once it has said that the logbook holds no days for "all".
    bool RangeDays(const LogBookDatabase& database, std::optional<DayRange>& days);
    // With --range, first and last become its days; without it they stay as they are. False
    // as RangeDays.
    bool RangeKeys(const LogBookDatabase& database, std::int32_t& first, std::int32_t& last);
    // A selection's range from --range, cut to the views' limit with a note on standard
    // error; true without --range.
    bool SelectRange(const LogBookDatabase& database, ViewSelection& selection);
    // --type: all (the default), training or competition.
    bool ReadDayType(DayType& type);
    // --category, --type, --to and --from (or --range) as a view's selection, with the
    // window's defaults (distance, all days, the 31 days up to today). --range's days are
    // put in by SelectRange.
    std::optional<ViewSelection> ReadSelection(const DateValue& today);

    DateValue Today() const {
        DateValue today;
        dates.Today(today);
        return today;
    }
    static bool Exists(const std::string& name);
    // Opens the logbook only to read, under a lock other readers share; kSuccess or kProblem
    // once the problem was told.
    int OpenToRead(LogBookDatabase& database, const std::string& logbook);
    // Has the store back the logbook up before its changes as its rule says; a backup that
    // cannot be made is said on standard error and the change goes ahead.
    void BackUpBeforeChanges(LogBookDatabase& database);
    // All of text to standard output; kSuccess, or kProblem when it could not be written.
    int Print(std::string_view text);
    // For a write to standard output that failed.
    int StandardOutputFailed();

    std::string name;
    std::vector<std::string> operands;
    std::ostream& out;
    std::ostream& err;
    DateUtility dates;

private:
    const char* usage;
    std::optional<DateRangePreset> range;
    std::array<std::optional<std::string>, kOptionCount> given;
};

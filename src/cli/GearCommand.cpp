#include "cli/GearCommand.h"

#include "cli/StreamReporter.h"
#include "cli/ToolCommand.h"
#include "gear/GearForm.h"
#include "gear/GearTable.h"
#include "store/ActivityStore.h"
#include "store/EscapedText.h"
#include "store/GearStore.h"
#include "store/LogBookDatabase.h"

#include <algorithm>

namespace {

std::int32_t TodayKey(const ToolCommand& tool) {
    return tool.dates.KeyOfDate(tool.Today());
}

int Show(ToolCommand& tool, LogBookDatabase& database, ActivityStore& store) {
    GearTable table;
    if (const ActivityStore::Outcome read = GearTable::Load(database, store, TodayKey(tool), table);
        !read.Ok()) {
        return tool.Fail(EscapedText::Of(read.words));
    }
    const bool all = tool.Given(Option::All);
    const std::string text = tool.Given(Option::Csv) ? table.Csv(all) : table.Text(all);
    // The names are the user's: a control in one is shown escaped, the lines stay lines.
    std::string shown;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t end = text.find('\n', from);
        shown += EscapedText::Of(text.substr(from, end - from)) + "\n";
        from = end + 1;
    }
    return tool.Print(shown);
}

int Add(ToolCommand& tool, ActivityStore& store) {
    GearForm form;
    form.boxes[GearForm::kName] = *tool.Value(Option::Add);
    if (const auto& kind = tool.Value(Option::Kind); kind && !GearItem::KindOf(*kind, form.kind)) {
        return tool.UsageError("--kind must be shoes, bike or other");
    }
    form.sport = tool.Value(Option::Sport).value_or("");
    form.boxes[GearForm::kStartDistance] = tool.Value(Option::StartDistance).value_or("");
    form.boxes[GearForm::kLimitDistance] = tool.Value(Option::Limit).value_or("");
    form.boxes[GearForm::kFirstUse] = tool.Value(Option::FirstUse).value_or("");
    const GearStore gear(store);
    std::vector<GearItem> items;
    gear.Items(items);
    const std::string sport = form.sport.empty() ? "" : GearForm::SportOf(form.sport);
    // The first item in use for a sport is its default.
    form.isDefault =
        !sport.empty() && std::none_of(items.begin(), items.end(), [&](const GearItem& i) {
            return i.defaultFor == sport && i.retired == 0;
        });
    std::string problem;
    if (form.FirstRefused(problem) >= 0) {
        return tool.UsageError(problem);
    }
    const double metresPerUnit = store.Unit() == "mi" ? 1609.344 : 1000.0;
    GearItem item;
    form.ReadInto(item, metresPerUnit);
    if (const ActivityStore::Outcome saved = GearStore(store).Save(item); !saved.Ok()) {
        return tool.Fail(EscapedText::Of(saved.words));
    }
    return tool.Print(EscapedText::Of(item.name) + " added" +
                      (item.defaultFor.empty() ? "" : ", the default for " + item.defaultFor) +
                      "\n");
}

int Retire(ToolCommand& tool, ActivityStore& store) {
    GearStore gear(store);
    GearItem item;
    const std::string& name = *tool.Value(Option::Retire);
    if (!gear.Find(name, item)) {
        return tool.Fail("no gear named " + EscapedText::Of(name));
    }
    std::int32_t on = TodayKey(tool);
    if (const auto& text = tool.Value(Option::On);
        text && (!GearForm::ReadDate(*text, on) || on == 0)) {
        return tool.UsageError("--on \"" + *text +
                               "\" is not a date from 1960-01-01 to 2100-12-31");
    }
    if (item.firstUse != 0 && on < item.firstUse) {
        return tool.Fail(EscapedText::Of(name) + " cannot be retired before its first use, " +
                         GearTable::Date(item.firstUse));
    }
    item.retired = on;
    item.defaultFor.clear(); // a retired item is no new activity's
    if (const ActivityStore::Outcome saved = gear.Save(item); !saved.Ok()) {
        return tool.Fail(EscapedText::Of(saved.words));
    }
    return tool.Print(EscapedText::Of(name) + " retired on " + GearTable::Date(on) + "\n");
}

int Assign(ToolCommand& tool, LogBookDatabase& database, ActivityStore& store) {
    GearStore gear(store);
    GearItem item;
    const std::string& name = *tool.Value(Option::Assign);
    if (!gear.Find(name, item)) {
        return tool.Fail("no gear named " + EscapedText::Of(name));
    }
    DateValue from{};
    DateValue to{};
    if (!tool.ReadDate(Option::From, from) || !tool.ReadDate(Option::To, to)) {
        return ToolCommand::kUsageError;
    }
    const std::int32_t first = tool.Given(Option::From) ? tool.dates.KeyOfDate(from) : 0;
    const std::int32_t last = tool.Given(Option::To) ? tool.dates.KeyOfDate(to) : 0;
    if (first != 0 && last != 0 && first > last) {
        return tool.UsageError("--from is after --to");
    }
    std::vector<std::string> sports = item.sports;
    if (const auto& sport = tool.Value(Option::Sport)) {
        sports = {GearForm::SportOf(*sport)};
    }
    std::vector<ActivityRow> rows;
    if (const ActivityStore::Outcome read = store.Read(first, last, rows); !read.Ok()) {
        return tool.Fail(EscapedText::Of(read.words));
    }
    std::vector<std::int64_t> starts;
    for (const ActivityRow& row : rows) {
        if (sports.empty() || std::find(sports.begin(), sports.end(), row.sport) != sports.end()) {
            starts.push_back(row.start);
        }
    }
    // Days typed by hand, without activities, are of the logbook's default sport.
    std::vector<std::int32_t> days;
    const std::string daySport = store.DefaultSport();
    if (sports.empty() || std::find(sports.begin(), sports.end(), daySport) != sports.end()) {
        std::vector<DayRecord> records;
        int count = 0;
        // A range without days reads as a failure with no records: nothing to give.
        database.LoadRange(tool.Given(Option::From) ? &from : nullptr,
                           tool.Given(Option::To) ? &to : nullptr, DayType::AllDays, records,
                           count);
        std::vector<ActivityRow> all;
        store.Read(first, last, all);
        for (int i = 0; i < count; ++i) {
            const DayRecord& day = records[static_cast<std::size_t>(i)];
            const bool hasActivities = std::any_of(
                all.begin(), all.end(), [&](const ActivityRow& r) { return r.day == day.dateKey; });
            if (day.erased == 0 && day.distance > 0 && !hasActivities) {
                days.push_back(day.dateKey);
            }
        }
    }
    int added = 0;
    int addedDays = 0;
    if (const ActivityStore::Outcome stored = gear.Assign(item.id, starts, added); !stored.Ok()) {
        return tool.Fail(EscapedText::Of(stored.words));
    }
    if (const ActivityStore::Outcome stored = gear.AssignDays(item.id, days, addedDays);
        !stored.Ok()) {
        return tool.Fail(EscapedText::Of(stored.words));
    }
    return tool.Print(EscapedText::Of(name) + " given to " + std::to_string(added) + " of " +
                      std::to_string(starts.size()) + " activities and " +
                      std::to_string(addedDays) + " of " + std::to_string(days.size()) +
                      " days without activities\n");
}

} // namespace

int GearCommand(ToolCommand& tool) {
    const std::string& logbook = tool.operands[0];
    const int actions = int{tool.Given(Option::Add)} + int{tool.Given(Option::Retire)} +
                        int{tool.Given(Option::Assign)};
    if (actions > 1) {
        return tool.UsageError("--add, --retire and --assign go one at a time");
    }
    const bool adding = tool.Given(Option::Add);
    if (!adding && (tool.Given(Option::Kind) || tool.Given(Option::StartDistance) ||
                    tool.Given(Option::Limit) || tool.Given(Option::FirstUse))) {
        return tool.UsageError("--kind, --start-distance, --limit and --first-use go with --add");
    }
    if (!tool.Given(Option::Retire) && tool.Given(Option::On)) {
        return tool.UsageError("--on goes with --retire");
    }
    if (!tool.Given(Option::Assign) && (tool.Given(Option::From) || tool.Given(Option::To) ||
                                        (!adding && tool.Given(Option::Sport)))) {
        return tool.UsageError(
            "--from, --to and --sport go with --assign (--sport with --add too)");
    }
    if (actions == 1 && (tool.Given(Option::All) || tool.Given(Option::Csv))) {
        return tool.UsageError("--all and --csv go with the table only");
    }

    StreamReporter reporter(tool.err, EscapedText::Of(logbook));
    LogBookDatabase database(reporter, tool.dates);
    ActivityStore store;
    if (actions == 0) {
        if (const int opened = tool.OpenToRead(database, logbook);
            opened != ToolCommand::kSuccess) {
            return opened;
        }
        if (const ActivityStore::Outcome open = store.Open(database, false);
            !open.Ok() && open.code != ActivityStore::Code::Missing) {
            return tool.Fail(EscapedText::Of(open.words));
        }
        return Show(tool, database, store);
    }
    if (!ToolCommand::Exists(logbook)) {
        return tool.Fail(EscapedText::Of(logbook) + ": no such logbook");
    }
    if (database.Open(logbook) == LogBookDatabase::OpenResult::Failed) {
        return ToolCommand::kProblem;
    }
    if (const ActivityStore::Outcome open = store.Open(database, true);
        !open.Ok() && open.code != ActivityStore::Code::Missing) {
        return tool.Fail(EscapedText::Of(open.words) + "; the gear was not changed");
    }
    return adding                       ? Add(tool, store)
           : tool.Given(Option::Retire) ? Retire(tool, store)
                                        : Assign(tool, database, store);
}

#include "cli/RecordsCommand.h"

#include "activities/ActivitySports.h"
#include "cli/ActivityCsv.h"
#include "cli/CsvText.h"
#include "cli/DayCsv.h"
#include "cli/StreamReporter.h"
#include "cli/ToolCommand.h"
#include "records/RecordBook.h"
#include "store/ActivityStore.h"
#include "store/EscapedText.h"
#include "store/LogBookDatabase.h"
#include "store/RecordStore.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <strings.h>

namespace {

struct MarkOption {
    Option option;
    RecordStore::Mark dayMark; // DayLeftOut, or Race when only an activity can be meant
    bool on;
    const char* name;
    const char* said; // what was done, after the day or activity
};

constexpr MarkOption kMarks[] = {
    {Option::NotForRecords, RecordStore::Mark::DayLeftOut, true, "--not-for-records",
     "left out of records"},
    {Option::ForRecords, RecordStore::Mark::DayLeftOut, false, "--for-records",
     "counted in records again"},
    {Option::Race, RecordStore::Mark::Race, true, "--race", "counted as a race"},
    {Option::NotRace, RecordStore::Mark::Race, false, "--not-race", "no longer counted as a race"},
};

// Applies one mark: WHEN is a day (YYYY-MM-DD) or an activity's start on the local clock
// (YYYY-MM-DDTHH:MM, as the activities command lists it). kSuccess once said.
int Mark(ToolCommand& tool, ActivityStore& store, const MarkOption& mark, const std::string& when) {
    const std::string name = mark.name;
    const std::size_t t = when.find('T');
    DateValue date{};
    if (!DayCsv(tool.dates).ReadDate(when.substr(0, t), date)) {
        return tool.UsageError(name + " needs YYYY-MM-DD or YYYY-MM-DDTHH:MM");
    }
    const std::int32_t day = tool.dates.KeyOfDate(date);
    RecordStore records(store);
    if (t == std::string::npos) {
        if (mark.dayMark != RecordStore::Mark::DayLeftOut) {
            return tool.UsageError(name + " needs an activity's start: YYYY-MM-DDTHH:MM");
        }
        if (const ActivityStore::Outcome set = records.SetMark(mark.dayMark, day, mark.on);
            !set.Ok()) {
            return tool.Fail(EscapedText::Of(set.words));
        }
        tool.out << DateUtility::KeyText(day) << ' ' << mark.said << '\n';
        return ToolCommand::kSuccess;
    }
    std::vector<ActivityRow> rows;
    store.Read(day, day, rows);
    const std::string time = when.substr(t + 1);
    const ActivityRow* found = nullptr;
    for (const ActivityRow& row : rows) {
        if (ActivityCsv::LocalTime(row.start) == time) {
            found = &row;
            break;
        }
    }
    if (!found) {
        return tool.Fail("no activity starts at " + EscapedText::Of(when));
    }
    const RecordStore::Mark kind = mark.dayMark == RecordStore::Mark::DayLeftOut
                                       ? RecordStore::Mark::ActivityLeftOut
                                       : RecordStore::Mark::Race;
    if (const ActivityStore::Outcome set = records.SetMark(kind, found->start, mark.on);
        !set.Ok()) {
        return tool.Fail(EscapedText::Of(set.words));
    }
    tool.out << DateUtility::KeyText(day) << ' ' << time << ' ' << EscapedText::Of(found->sport)
             << ' ' << mark.said << '\n';
    return ToolCommand::kSuccess;
}

std::string Plain(const RecordBook& book, const std::string& sport) {
    std::string text;
    for (const std::string& line : book.Lines(sport)) {
        text += line + '\n';
    }
    return text;
}

std::string Csv(const RecordBook& book, const std::string& sport) {
    std::string text = "kind,sport,record,rank,date,figure,detail\n";
    auto line = [&](std::initializer_list<std::string> fields) {
        bool first = true;
        for (const std::string& field : fields) {
            if (!first) {
                text += ',';
            }
            first = false;
            CsvText::AppendField(text, field);
        }
        text += '\n';
    };
    for (const RecordBook::Record& record : book.Records()) {
        for (std::size_t i = 0; i < record.top.size(); ++i) {
            const RecordBook::Entry& e = record.top[i];
            line({RecordBook::KindTitle(record.kind), sport, record.title, std::to_string(i + 1),
                  e.date, e.figure, e.detail});
        }
    }
    for (const RecordBook::LeftOut& l : book.LeftOuts()) {
        line({"Left out", sport, l.what, "", DateUtility::KeyText(l.day), "", l.why});
    }
    return text;
}

} // namespace

int RecordsCommand(ToolCommand& tool) {
    const std::string& logbook = tool.operands[0];
    bool marking = false;
    for (const MarkOption& mark : kMarks) {
        marking = marking || tool.Given(mark.option);
    }
    StreamReporter reporter(tool.err, EscapedText::Of(logbook));
    LogBookDatabase database(reporter, tool.dates);
    if (!marking) {
        if (const int opened = tool.OpenToRead(database, logbook);
            opened != ToolCommand::kSuccess) {
            return opened;
        }
    } else if (!ToolCommand::Exists(logbook)) {
        return tool.Fail(EscapedText::Of(logbook) + ": no such logbook");
    } else if (database.Open(logbook, LogBookDatabase::Access::Write) ==
               LogBookDatabase::OpenResult::Failed) {
        return ToolCommand::kProblem;
    }
    ActivityStore store;
    if (const ActivityStore::Outcome open = store.Open(database, marking);
        !open.Ok() && open.code != ActivityStore::Code::Missing &&
        !(open.code == ActivityStore::Code::ReadOnly && !marking)) {
        return tool.Fail(EscapedText::Of(open.words));
    }
    for (const MarkOption& mark : kMarks) {
        if (const std::optional<std::string>& when = tool.Value(mark.option)) {
            if (const int done = Mark(tool, store, mark, *when); done != ToolCommand::kSuccess) {
                return done;
            }
        }
    }

    WeekStart weekStart = WeekStart::Monday;
    if (!tool.ReadWeekStart(weekStart)) {
        return ToolCommand::kUsageError;
    }
    RecordBook::Input input;
    if (!RecordBook::Read(database, store, input, weekStart)) {
        return ToolCommand::kProblem;
    }
    std::string sport = input.defaultSport;
    if (const std::optional<std::string>& asked = tool.Value(Option::Sport)) {
        const std::vector<std::string> sports = RecordBook::Sports(input);
        const auto found = std::find_if(sports.begin(), sports.end(), [&](const std::string& s) {
            return ActivitySports::Matches(s, *asked);
        });
        if (found == sports.end()) {
            std::string known;
            for (const std::string& s : sports) {
                known += (known.empty() ? "" : ", ") + s;
            }
            return tool.Fail("no records of " + EscapedText::Of(*asked) +
                             "; there are records of " + EscapedText::Of(known));
        }
        sport = *found;
    }
    RecordBook book;
    book.Compute(input, sport);
    return tool.Print(tool.Given(Option::Csv) ? Csv(book, sport) : Plain(book, sport));
}

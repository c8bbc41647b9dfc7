#include "records/RecordBook.h"

#include "records/RecordLimits.h"
#include "store/ActivityStore.h"
#include "store/DateUtility.h"
#include "store/EscapedText.h"
#include "store/LogBookDatabase.h"
#include "store/Period.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>

namespace {

constexpr double kMetresPerMile = 1609.344;

struct DayThreshold {
    const char* name;
    double metres;
};
constexpr DayThreshold kFastestDays[] = {{"5 km", 5000}, {"10 km", 10000}, {"21.1 km", 21100}};

// What a record ranks, with the figures its line shows; only the ten best are put in words.
struct Candidate {
    double value;
    std::int32_t day;
    std::int64_t start;
    double metres = 0;
    double seconds = 0;
    const char* how = "";
};

// The best first, ties to the earliest day, then the earliest start; each made a line.
template <typename Words>
std::vector<RecordBook::Entry> Top(std::vector<Candidate>& candidates, bool lowestFirst,
                                   Words words) {
    const std::size_t n = std::min(RecordBook::kTop, candidates.size());
    std::partial_sort(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(n),
                      candidates.end(), [&](const Candidate& a, const Candidate& b) {
                          if (a.value != b.value) {
                              return lowestFirst ? a.value < b.value : a.value > b.value;
                          }
                          return a.day != b.day ? a.day < b.day : a.start < b.start;
                      });
    std::vector<RecordBook::Entry> top;
    for (std::size_t i = 0; i < n; ++i) {
        const Candidate& c = candidates[i];
        RecordBook::Entry entry{c.day, c.start, c.value, DateUtility::KeyText(c.day), "", ""};
        words(c, entry);
        top.push_back(std::move(entry));
    }
    return top;
}

std::int32_t Seconds(const ActivityRow& a) {
    return a.elapsedSeconds > 0 ? a.elapsedSeconds : a.movingSeconds;
}

} // namespace

const std::vector<RecordBook::Standard> RecordBook::kRaceDistances = {
    {"1,500 m", 1500}, {"1 mile", 1609.344}, {"3 km", 3000},         {"5 km", 5000},
    {"10 km", 10000},  {"15 km", 15000},     {"10 miles", 16093.44}, {"Half marathon", 21097.5},
    {"30 km", 30000},  {"Marathon", 42195},  {"50 km", 50000},       {"100 km", 100000},
};

const std::vector<RecordBook::Standard> RecordBook::kEffortDistances = {
    {"1 km", 1000},      {"5 km", 5000}, {"10 km", 10000}, {"Half marathon", 21097.5},
    {"Marathon", 42195},
};

const char* RecordBook::KindTitle(Kind kind) {
    switch (kind) {
    case Kind::RaceBest:
        return "Race bests";
    case Kind::DayRecord:
        return "Day records";
    case Kind::BestEffort:
        return "Best efforts from tracks";
    }
    return "";
}

std::string RecordBook::TimeText(double seconds) {
    const long whole = std::lround(std::ceil(seconds - 1e-6));
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
    return text;
}

std::string RecordBook::DistanceText(double metres) const {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f %s", metres / (miles ? kMetresPerMile : 1000.0),
                  miles ? "mi" : "km");
    return text;
}

std::string RecordBook::PaceText(double metres, double seconds) const {
    const double perUnit = seconds / (metres / (miles ? kMetresPerMile : 1000.0));
    const long whole = std::lround(std::ceil(perUnit - 1e-6));
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld/%s", whole / 60, whole % 60, miles ? "mi" : "km");
    return text;
}

bool RecordBook::Read(LogBookDatabase& logbook, ActivityStore& activities, Input& input,
                      WeekStart weekStart) {
    input = Input{};
    input.weekStart = weekStart;
    const IndexTable& table = logbook.Table();
    if (logbook.BeginReading("rb") != LogBookDatabase::Result::Ok) {
        return false;
    }
    bool read = true;
    for (int i = 0; i < table.Count() && read; ++i) {
        if (table.At(i).IsErased()) {
            continue;
        }
        DayRecord day;
        read = logbook.ReadAtPosition(i, day) == LogBookDatabase::ReadResult::Read;
        if (read && day.erased == 0) {
            input.days.push_back(day);
        }
    }
    logbook.EndReading();
    if (!read) {
        input.days.clear();
        return false;
    }
    activities.Read(0, 0, input.activities); // none when the file is missing or unreadable
    RecordStore kept(activities);
    input.daysLeftOut = kept.Marked(RecordStore::Mark::DayLeftOut);
    input.activitiesLeftOut = kept.Marked(RecordStore::Mark::ActivityLeftOut);
    input.races = kept.Marked(RecordStore::Mark::Race);
    input.efforts = kept.Efforts();
    input.defaultSport = activities.DefaultSport();
    input.miles = activities.Unit() == "mi";
    return true;
}

std::vector<std::string> RecordBook::Sports(const Input& input) {
    std::set<std::string> others;
    for (const ActivityRow& a : input.activities) {
        if (a.sport != input.defaultSport && a.sport != "Transition") {
            others.insert(a.sport);
        }
    }
    std::vector<std::string> sports{input.defaultSport};
    sports.insert(sports.end(), others.begin(), others.end());
    return sports;
}

void RecordBook::Compute(const Input& input, const std::string& sport) {
    records.clear();
    leftOut.clear();
    counted.clear();
    miles = input.miles;
    const double perUnit = miles ? kMetresPerMile : 1000.0;

    std::map<std::int32_t, DayFigures> figures;
    std::map<std::int32_t, const DayRecord*> live;
    for (const DayRecord& d : input.days) {
        live[d.dateKey] = &d;
        figures[d.dateKey].day = d.dateKey;
        if (input.daysLeftOut.count(d.dateKey) > 0) {
            leftOut.push_back({d.dateKey, 0, DateUtility::KeyText(d.dateKey), "not for records"});
        }
    }
    for (const ActivityRow& a : input.activities) {
        const auto day = figures.find(a.day);
        if (day == figures.end()) {
            continue; // its day was erased from the logbook
        }
        ++day->second.activities;
        if (a.sport != sport || input.daysLeftOut.count(a.day) > 0) {
            continue;
        }
        const std::string what =
            DateUtility::KeyText(a.day) + " " + a.sport + " " + DistanceText(a.metres);
        if (input.activitiesLeftOut.count(a.start) > 0) {
            leftOut.push_back({a.day, a.start, what, "not for records"});
            continue;
        }
        if (const std::string why = RecordLimits::TooFast(a.sport, a.metres, a.movingSeconds);
            !why.empty()) {
            leftOut.push_back({a.day, a.start, what, why});
            continue;
        }
        counted.insert(a.start);
        day->second.only = ++day->second.counting == 1 ? a.start : 0;
        day->second.metres += a.metres;
        day->second.seconds += a.movingSeconds;
        day->second.clock += Seconds(a);
        day->second.raceActivity = day->second.raceActivity || input.races.count(a.start) > 0;
    }
    if (sport == input.defaultSport) {
        for (auto& [key, f] : figures) {
            const DayRecord& d = *live[key];
            if (f.activities > 0 || input.daysLeftOut.count(key) > 0) {
                continue;
            }
            const double metres = static_cast<double>(d.distance) * perUnit;
            if (const std::string why = RecordLimits::TooFast(sport, metres, d.time);
                !why.empty()) {
                leftOut.push_back(
                    {key, 0, DateUtility::KeyText(key) + " " + DistanceText(metres), why});
                continue;
            }
            f.metres = std::max(metres, 0.0);
            f.seconds = f.clock = std::max(d.time, 0);
        }
    }
    std::vector<DayFigures> days;
    for (const auto& [key, f] : figures) {
        if (input.daysLeftOut.count(key) == 0 && (f.metres > 0 || f.seconds > 0)) {
            days.push_back(f);
        }
    }
    RaceBests(input, sport, days);
    DayRecords(input, days);
    Efforts(input, sport);
}

void RecordBook::RaceBests(const Input& input, const std::string& sport,
                           const std::vector<DayFigures>& days) {
    std::vector<Candidate> candidates;
    for (const ActivityRow& a : input.activities) {
        if (a.sport == sport && input.races.count(a.start) > 0 && counted.count(a.start) > 0) {
            const double seconds = Seconds(a);
            candidates.push_back({seconds, a.day, a.start, a.metres, seconds, "race"});
        }
    }
    std::set<std::int32_t> competitions;
    for (const DayRecord& d : input.days) {
        if (d.competition == 'Y') {
            competitions.insert(d.dateKey);
        }
    }
    for (const DayFigures& f : days) {
        // A day whose race is an activity marked so is that activity's, not the day's sum.
        if (competitions.count(f.day) > 0 && !f.raceActivity && f.clock > 0) {
            candidates.push_back({f.clock, f.day, 0, f.metres, f.clock, "competition"});
        }
    }
    for (const Standard& standard : kRaceDistances) {
        std::vector<Candidate> matching;
        for (const Candidate& c : candidates) {
            if (std::abs(c.metres - standard.metres) <= standard.metres * kRaceTolerance) {
                matching.push_back(c);
            }
        }
        records.push_back(
            {Kind::RaceBest, standard.name, Top(matching, true, [&](const Candidate& c, Entry& e) {
                 e.figure = TimeText(c.seconds);
                 e.detail = DistanceText(c.metres) + ", " + c.how;
             })});
    }
}

void RecordBook::DayRecords(const Input& input, const std::vector<DayFigures>& days) {
    std::vector<Candidate> distances;
    std::vector<Candidate> times;
    for (const DayFigures& f : days) {
        if (f.metres > 0) {
            distances.push_back({f.metres, f.day, f.only, f.metres, f.seconds});
        }
        if (f.seconds > 0) {
            times.push_back({f.seconds, f.day, f.only, f.metres, f.seconds});
        }
    }
    records.push_back({Kind::DayRecord, "Longest distance",
                       Top(distances, false, [&](const Candidate& c, Entry& e) {
                           e.figure = DistanceText(c.metres);
                           e.detail = c.seconds > 0 ? TimeText(c.seconds) : "";
                       })});
    records.push_back(
        {Kind::DayRecord, "Longest time", Top(times, false, [&](const Candidate& c, Entry& e) {
             e.figure = TimeText(c.seconds);
             e.detail = c.metres > 0 ? DistanceText(c.metres) : "";
         })});

    const std::pair<PeriodKind, const char*> periods[] = {
        {PeriodKind::Week, "Biggest week"},
        {PeriodKind::Month, "Biggest month"},
        {PeriodKind::Year, "Biggest year"},
    };
    for (const auto& [kind, title] : periods) {
        std::map<std::int32_t, double> sums; // by the period's first day
        std::optional<Period> period;
        for (const DayFigures& f : days) {
            if (!period || !period->Holds(f.day)) { // days come in date order
                period = Period::Containing(f.day, kind, input.weekStart);
            }
            sums[period->FirstDay()] += f.metres;
        }
        std::vector<Candidate> candidates;
        for (const auto& [first, metres] : sums) {
            if (metres > 0) {
                candidates.push_back({metres, first, 0, metres});
            }
        }
        records.push_back(
            {Kind::DayRecord, title, Top(candidates, false, [&](const Candidate& c, Entry& e) {
                 e.date = Period::Containing(c.day, kind, input.weekStart).Label();
                 e.figure = DistanceText(c.metres);
             })});
    }

    std::vector<Candidate> streaks;
    for (std::size_t i = 0; i < days.size();) {
        std::size_t j = i + 1;
        while (j < days.size() &&
               weeks::DayNumber(days[j].day) == weeks::DayNumber(days[j - 1].day) + 1) {
            ++j;
        }
        // The streak's last day rides in seconds, for its line.
        streaks.push_back(
            {static_cast<double>(j - i), days[i].day, 0, 0, static_cast<double>(days[j - 1].day)});
        i = j;
    }
    records.push_back({Kind::DayRecord, "Most active days in a row",
                       Top(streaks, false, [&](const Candidate& c, Entry& e) {
                           const long count = std::lround(c.value);
                           e.figure = std::to_string(count) + (count == 1 ? " day" : " days");
                           e.detail =
                               "to " + DateUtility::KeyText(static_cast<std::int32_t>(c.seconds));
                       })});

    for (const DayThreshold& threshold : kFastestDays) {
        std::vector<Candidate> candidates;
        for (const DayFigures& f : days) {
            if (f.metres >= threshold.metres && f.seconds > 0) {
                candidates.push_back({f.seconds / f.metres, f.day, f.only, f.metres, f.seconds});
            }
        }
        records.push_back(
            {Kind::DayRecord,
             std::string("Fastest day of at least ") + threshold.name + " (average pace)",
             Top(candidates, true, [&](const Candidate& c, Entry& e) {
                 e.figure = PaceText(c.metres, c.seconds);
                 e.detail = DistanceText(c.metres) + " in " + TimeText(c.seconds);
             })});
    }
}

void RecordBook::Efforts(const Input& input, const std::string& sport) {
    std::map<std::int64_t, const ActivityRow*> activities;
    for (const ActivityRow& a : input.activities) {
        if (a.sport == sport && counted.count(a.start) > 0) {
            activities[a.start] = &a;
        }
    }
    for (const Standard& standard : kEffortDistances) {
        std::vector<Candidate> candidates;
        for (const RecordStore::Effort& e : input.efforts) {
            if (std::abs(e.metres - standard.metres) >= 0.01 || e.seconds <= 0) {
                continue;
            }
            if (const auto a = activities.find(e.start); a != activities.end()) {
                candidates.push_back(
                    {e.seconds, a->second->day, e.start, a->second->metres, e.seconds});
            }
        }
        records.push_back({Kind::BestEffort, standard.name,
                           Top(candidates, true, [&](const Candidate& c, Entry& e) {
                               e.figure = TimeText(c.seconds);
                               e.detail = "in " + DistanceText(c.metres);
                           })});
    }
}

std::vector<std::string> RecordBook::Lines(const std::string& sport) const {
    std::vector<std::string> lines;
    for (const Kind kind : {Kind::RaceBest, Kind::DayRecord, Kind::BestEffort}) {
        lines.push_back(std::string(KindTitle(kind)) + " (" + EscapedText::Of(sport) + ")");
        for (const Record& record : records) {
            if (record.kind != kind) {
                continue;
            }
            lines.push_back("  " + record.title + (record.top.empty() ? ": none" : ""));
            for (std::size_t i = 0; i < record.top.size(); ++i) {
                const Entry& e = record.top[i];
                char rank[24];
                std::snprintf(rank, sizeof rank, "%2zu.", i + 1);
                lines.push_back("    " + std::string(rank) + ' ' + e.date + "  " + e.figure +
                                (e.detail.empty() ? "" : "  " + e.detail));
            }
        }
    }
    lines.push_back("Left out of records");
    if (leftOut.empty()) {
        lines.push_back("  none");
    }
    for (const LeftOut& l : leftOut) {
        lines.push_back("  " + EscapedText::Of(l.what) + ": " + l.why);
    }
    return lines;
}

#include "gear/GearTable.h"

#include "store/LogBookDatabase.h"
#include "store/WeekStart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace {

// The unit's figure with two decimals, or none when it is whole ("700", "12.50").
std::string Figure(double value) {
    char text[48];
    const double rounded = std::round(value * 100.0) / 100.0;
    std::snprintf(text, sizeof text, rounded == std::floor(rounded) ? "%.0f" : "%.2f", rounded);
    return text;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\n\r") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

// Whether used has come to share tenths of limit: exact for whole metres and seconds.
bool AtLeast(double used, double limit, int tenths) {
    return limit > 0 && used * 10.0 >= limit * tenths;
}

} // namespace

GearTable::GearTable(const Input& input)
    : unit(input.unit), metresPerUnit(input.unit == "mi" ? 1609.344 : 1000.0), today(input.today) {
    std::map<std::int64_t, const ActivityRow*> byStart;
    std::map<std::int32_t, int> activityDays;
    for (const ActivityRow& row : input.activities) {
        byStart.emplace(row.start, &row);
        ++activityDays[row.day];
    }
    for (const GearItem& item : input.items) {
        rows.push_back(Make(item, input, byStart, activityDays));
    }
}

GearTable::Row GearTable::Make(const GearItem& item, const Input& input,
                               const std::map<std::int64_t, const ActivityRow*>& byStart,
                               const std::map<std::int32_t, int>& activityDays) const {
    Row row;
    row.item = item;
    for (const GearStore::Link& link : input.activityLinks) {
        const auto found = byStart.find(link.at);
        if (link.gear != item.id || found == byStart.end()) {
            continue; // another item's, or an activity that is gone (an undo may bring it back)
        }
        const ActivityRow& a = *found->second;
        row.uses.push_back({a.day, a.start, a.sport, a.metres, a.movingSeconds});
    }
    for (const GearStore::Link& link : input.dayLinks) {
        const auto day = static_cast<std::int32_t>(link.at);
        const auto found = input.days.find(day);
        // A day that has activities since counts through them.
        if (link.gear != item.id || found == input.days.end() || found->second.erased != 0 ||
            activityDays.count(day) != 0) {
            continue;
        }
        row.uses.push_back(
            {day, 0, "", found->second.distance * metresPerUnit, found->second.time});
    }
    std::erase_if(row.uses, [&](const Use& use) { return !item.InUseOn(use.day); });
    std::sort(row.uses.begin(), row.uses.end(), [](const Use& a, const Use& b) {
        return a.day != b.day ? a.day < b.day : a.start < b.start;
    });

    row.metres = item.startMetres;
    double recentMetres = 0;
    std::int64_t recentSeconds = 0;
    const std::int64_t todayNumber = weeks::DayNumber(today);
    for (const Use& use : row.uses) {
        row.metres += use.metres;
        row.seconds += use.seconds;
        const std::int64_t age = todayNumber - weeks::DayNumber(use.day);
        if (age >= 0 && age < kProjectionWeeks * 7) {
            recentMetres += use.metres;
            recentSeconds += use.seconds;
        }
    }
    if (!row.uses.empty()) {
        row.firstUse = row.uses.front().day;
        row.lastUse = row.uses.back().day;
    }

    const auto seconds = static_cast<double>(row.seconds);
    const auto limitSeconds = static_cast<double>(item.limitSeconds);
    if (item.limitMetres > 0) {
        row.fraction = row.metres / item.limitMetres;
    }
    if (item.limitSeconds > 0) {
        row.fraction = std::max(row.fraction, seconds / limitSeconds);
    }
    if (AtLeast(row.metres, item.limitMetres, 10) || AtLeast(seconds, limitSeconds, 10)) {
        row.warning = Warning::Reached;
    } else if (AtLeast(row.metres, item.limitMetres, 9) || AtLeast(seconds, limitSeconds, 9)) {
        row.warning = Warning::Near;
    }

    // remaining / (recent / 8 weeks) weeks, in whole days rounded up.
    double remaining = 0;
    double recent = 0;
    if (item.limitMetres > 0) {
        remaining = item.limitMetres - row.metres;
        recent = recentMetres;
    } else if (item.limitSeconds > 0) {
        remaining = limitSeconds - seconds;
        recent = static_cast<double>(recentSeconds);
    }
    if (row.Active() && row.warning != Warning::Reached && remaining > 0 && recent > 0) {
        const double days = std::ceil(remaining * kProjectionWeeks * 7 / recent);
        row.projected = weeks::KeyOfDayNumber(todayNumber + static_cast<std::int64_t>(days));
    }
    return row;
}

ActivityStore::Outcome GearTable::Load(LogBookDatabase& logbook, ActivityStore& store,
                                       std::int32_t today, GearTable& table) {
    Input input;
    input.today = today;
    input.unit = store.Unit();
    const GearStore gear(store);
    for (const ActivityStore::Outcome& outcome :
         {gear.Items(input.items), gear.ActivityLinks(input.activityLinks),
          gear.DayLinks(input.dayLinks)}) {
        if (!outcome.Ok()) {
            return outcome;
        }
    }
    if (!input.items.empty()) {
        if (const ActivityStore::Outcome read = store.Read(0, 0, input.activities);
            !read.Ok() && read.code != ActivityStore::Code::Missing) {
            return read;
        }
    }
    for (const GearStore::Link& link : input.dayLinks) {
        const auto key = static_cast<std::int32_t>(link.at);
        DayRecord record = DayRecord::Blank(key);
        if (logbook.ReadDay(DateValue::Of(key / 10000, key / 100 % 100, key % 100), record) ==
            LogBookDatabase::ReadResult::Read) {
            input.days.emplace(key, record);
        }
    }
    table = GearTable(input);
    return {};
}

const GearTable::Row* GearTable::Find(std::int64_t id) const {
    for (const Row& row : rows) {
        if (row.item.id == id) {
            return &row;
        }
    }
    return nullptr;
}

std::string GearTable::Distance(double metres) const {
    char text[48];
    std::snprintf(text, sizeof text, "%.2f %s", metres / metresPerUnit, unit.c_str());
    return text;
}

std::string GearTable::Time(std::int64_t seconds) {
    char text[48];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return text;
}

std::string GearTable::Date(std::int32_t key) {
    if (key == 0) {
        return "-";
    }
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", key / 10000, key / 100 % 100, key % 100);
    return text;
}

std::string GearTable::Limit(const GearItem& item) const {
    std::string text;
    if (item.limitMetres > 0) {
        text = Figure(item.limitMetres / metresPerUnit) + " " + unit;
    }
    if (item.limitSeconds > 0) {
        text += (text.empty() ? "" : " / ") + Time(item.limitSeconds);
    }
    return text.empty() ? "-" : text;
}

std::string GearTable::Percent(const Row& row) {
    if (row.item.limitMetres <= 0 && row.item.limitSeconds <= 0) {
        return "-";
    }
    return std::to_string(static_cast<long long>(std::floor(row.fraction * 100.0 + 1e-9))) + "%";
}

std::string GearTable::WarningText(const Row& row) const {
    if (row.warning == Warning::None) {
        return {};
    }
    const bool byDistance = AtLeast(row.metres, row.item.limitMetres, 9);
    const std::string done = byDistance ? Figure(row.metres / metresPerUnit) : Time(row.seconds);
    const std::string limit = byDistance ? Figure(row.item.limitMetres / metresPerUnit) + " " + unit
                                         : Time(row.item.limitSeconds);
    return row.item.name + ": " + done + " of " + limit + ", " + Percent(row) +
           (row.warning == Warning::Reached ? " of its limit: time to retire it."
                                            : " of its limit.");
}

std::vector<std::string> GearTable::Warnings() const {
    std::vector<std::string> lines;
    for (const Row& row : rows) {
        if (row.Active() && row.warning != Warning::None) {
            lines.push_back(WarningText(row));
        }
    }
    return lines;
}

std::string GearTable::Bar(const Row& row, int cells) {
    const int filled = static_cast<int>(std::floor(std::min(row.fraction, 1.0) * cells + 1e-9));
    std::string bar(1, '[');
    bar.append(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(cells - filled), '.');
    bar.push_back(']');
    return bar;
}

std::string GearTable::Line(const Row& row) const {
    char line[400];
    std::snprintf(line, sizeof line, "%-18s %11s %9s %4zu  %-10s %-10s %s %4s  %s",
                  row.item.name.c_str(), Distance(row.metres).c_str(), Time(row.seconds).c_str(),
                  row.uses.size(), Date(row.firstUse).c_str(), Date(row.lastUse).c_str(),
                  Bar(row).c_str(), Percent(row).c_str(),
                  !row.Active()        ? ("retired " + Date(row.item.retired)).c_str()
                  : row.projected != 0 ? Date(row.projected).c_str()
                                       : "");
    std::string text = line;
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::string GearTable::UseLine(const Use& use) const {
    char line[160];
    std::snprintf(line, sizeof line, "%s  %-10s %12s %10s", Date(use.day).c_str(),
                  use.start == 0 ? "(the day)" : use.sport.c_str(), Distance(use.metres).c_str(),
                  Time(use.seconds).c_str());
    return line;
}

std::string GearTable::UsesTitle(const Row& row) {
    std::size_t days = 0;
    for (const Use& use : row.uses) {
        days += use.start == 0 ? 1 : 0;
    }
    std::string title =
        "Activities of " + row.item.name + ": " + std::to_string(row.uses.size() - days);
    if (days > 0) {
        title += ", and " + std::to_string(days) +
                 (days == 1 ? " day without activities" : " days without activities");
    }
    return title;
}

std::string GearTable::Text(bool all) const {
    std::ostringstream text;
    char line[512];
    std::snprintf(line, sizeof line, "%-20s  %-5s  %12s  %10s  %5s  %-10s  %-10s  %12s  %4s  %s\n",
                  "Name", "Kind", "Distance", "Time", "Uses", "First use", "Last use", "Limit",
                  "Used", "Retire by");
    text << line;
    for (const Row& row : rows) {
        if (!all && !row.Active()) {
            continue;
        }
        std::snprintf(line, sizeof line,
                      "%-20s  %-5s  %12s  %10s  %5zu  %-10s  %-10s  %12s  %4s  %s%s\n",
                      row.item.name.c_str(), GearItem::KindWord(row.item.kind),
                      Distance(row.metres).c_str(), Time(row.seconds).c_str(), row.uses.size(),
                      Date(row.firstUse).c_str(), Date(row.lastUse).c_str(),
                      Limit(row.item).c_str(), Percent(row).c_str(), Date(row.projected).c_str(),
                      row.Active() ? "" : ("  retired " + Date(row.item.retired)).c_str());
        text << line;
    }
    for (const std::string& warning : Warnings()) {
        text << warning << "\n";
    }
    return text.str();
}

std::string GearTable::Csv(bool all) const {
    std::ostringstream text;
    text << "name,kind,distance,unit,time,uses,firstUse,lastUse,limit,used,retireBy,retired\n";
    for (const Row& row : rows) {
        if (!all && !row.Active()) {
            continue;
        }
        const std::string fields[] = {CsvField(row.item.name),
                                      GearItem::KindWord(row.item.kind),
                                      Figure(row.metres / metresPerUnit),
                                      unit,
                                      Time(row.seconds),
                                      std::to_string(row.uses.size()),
                                      Date(row.firstUse),
                                      Date(row.lastUse),
                                      Limit(row.item),
                                      Percent(row),
                                      Date(row.projected),
                                      Date(row.item.retired)};
        bool first = true;
        for (const std::string& field : fields) {
            text << (first ? "" : ",") << field;
            first = false;
        }
        text << "\n";
    }
    return text.str();
}

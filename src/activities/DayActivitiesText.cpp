#include "activities/DayActivitiesText.h"

#include "activities/ActivityDays.h"
#include "activities/ActivitySports.h"
#include "store/EscapedText.h"

#include <algorithm>
#include <cstdio>

namespace {

std::size_t Characters(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string Joined(const std::vector<std::string>& parts, std::size_t count) {
    std::string line;
    for (std::size_t i = 0; i < count; ++i) {
        line += (i == 0 ? "" : DayActivitiesText::kSeparator) + parts[i];
    }
    return line;
}

} // namespace

std::string DayActivitiesText::Time(std::int32_t seconds) {
    seconds = std::max(seconds, 0);
    const int hours = seconds / 3600;
    char text[32];
    if (hours > 0) {
        std::snprintf(text, sizeof text, "%d:%02d:%02d", hours, seconds / 60 % 60, seconds % 60);
    } else {
        std::snprintf(text, sizeof text, "%02d:%02d", seconds / 60, seconds % 60);
    }
    return text;
}

std::string DayActivitiesText::Line(const std::vector<ActivityRow>& activities,
                                    std::string_view unit, std::size_t most) {
    std::vector<const ActivityRow*> shown;
    for (const ActivityRow& row : activities) {
        if (!ActivitySports::Word(row.sport).empty()) {
            shown.push_back(&row);
        }
    }
    std::stable_sort(shown.begin(), shown.end(), [](const ActivityRow* a, const ActivityRow* b) {
        return a->start < b->start;
    });
    const double metresPerUnit = ActivityDays::MetresPer(
        unit == "mi" ? ActivityDays::Unit::Miles : ActivityDays::Unit::Kilometres);
    std::vector<std::string> parts;
    for (const ActivityRow* row : shown) {
        char distance[48];
        std::snprintf(distance, sizeof distance, " %.2f ", row->metres / metresPerUnit);
        // The file is read like any other: a sport it names is quoted safely.
        parts.push_back(EscapedText::Of(ActivitySports::Word(row->sport)) + distance +
                        std::string(unit) + " " + Time(row->movingSeconds));
    }
    for (std::size_t count = parts.size();; --count) {
        std::string line = Joined(parts, count);
        if (count < parts.size()) {
            line += (count == 0 ? "+" : std::string(kSeparator) + "+") +
                    std::to_string(parts.size() - count) + " more";
        }
        if (count == 0 || Characters(line) <= most) {
            return line;
        }
    }
}

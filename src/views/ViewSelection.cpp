#include "views/ViewSelection.h"

#include <algorithm>

const std::array<const char*, ViewSelection::kCategoryCount> ViewSelection::kCategoryTexts = {
    "DISTANCE   ", "TIME       ", "PACE       ", "SPEED      ", "REST H RATE", "MAX H RATE ",
    "CALORIES   ", "WATER      ", "HOURS SLEPT", "TEMPERATURE", "WEIGHT     ", "DIFFICULTY ",
};

const std::array<const char*, ViewSelection::kCategoryCount> ViewSelection::kCategoryNames = {
    "distance", "time",  "pace",  "speed",       "rest-hr", "max-hr",
    "calories", "water", "sleep", "temperature", "weight",  "difficulty",
};

ViewSelection::ViewSelection(const DateUtility& dates, const DateValue& today)
    : dates(dates), start(today), end(today) {
    dates.SubtractDays(start, kDefaultDaysBack);
}

const char* ViewSelection::CategoryText(Category value) {
    const int index = static_cast<int>(value);
    return index >= 0 && index < kCategoryCount ? kCategoryTexts[static_cast<std::size_t>(index)]
                                                : "";
}

bool ViewSelection::CategoryNamed(std::string_view name, Category& category) {
    const auto found = std::find(kCategoryNames.begin(), kCategoryNames.end(), name);
    if (found == kCategoryNames.end()) {
        return false;
    }
    category = static_cast<Category>(found - kCategoryNames.begin());
    return true;
}

bool ViewSelection::IsTimeValued(Category value) {
    return value == Category::Time || value == Category::Pace;
}

std::string ViewSelection::StartText() const {
    return dates.LongDateText(start);
}

std::string ViewSelection::EndText() const {
    return dates.LongDateText(end);
}

int ViewSelection::DaysInRange() const {
    return dates.DaysBetween(start, end);
}

bool ViewSelection::Positions(LogBookDatabase& database,
                              std::vector<std::int32_t>& positions) const {
    int count = 0;
    if (database.FastIndex(&start, &end, dayType, positions, count) !=
        LogBookDatabase::Result::Ok) {
        positions.clear();
        return false;
    }
    positions.resize(
        static_cast<std::size_t>(std::clamp(count, 0, static_cast<int>(positions.size()))));
    return true;
}

Category ViewSelection::NextCategory(Category value) {
    const int next = static_cast<int>(value) + 1;
    return next >= kCategoryCount ? Category::Distance : static_cast<Category>(next);
}

void ViewSelection::NextCategory() {
    category = NextCategory(category);
}

void ViewSelection::NextDayType() {
    dayType = ::NextDayType(dayType);
}

bool ViewSelection::LaterStart() {
    if (start == end) {
        return false;
    }
    dates.AddDays(start, 1);
    return true;
}

bool ViewSelection::EarlierStart() {
    if (DaysInRange() >= kMostDays) {
        return false;
    }
    dates.SubtractDays(start, 1);
    return true;
}

bool ViewSelection::LaterEnd() {
    if (DaysInRange() >= kMostDays) {
        return false;
    }
    dates.AddDays(end, 1);
    return true;
}

bool ViewSelection::EarlierEnd() {
    if (start == end) {
        return false;
    }
    dates.SubtractDays(end, 1);
    return true;
}

bool ViewSelection::SetRange(const DateValue& first, const DateValue& last) {
    const int days = dates.DaysBetween(first, last);
    if (first.year < DateUtility::kFirstYear || last.year > DateUtility::kLastYear || days < 1 ||
        days > kMostDays) {
        return false;
    }
    start = first;
    end = last;
    return true;
}

#include "store/DateUtility.h"

#include "store/NumberText.h"

#include <algorithm>
#include <climits>
#include <cstdio>

const char* const DateUtility::kMonthNames[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                  "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
const char* const DateUtility::kWeekdayNames[7] = {"SUN", "MON", "TUE", "WED", "THR", "FRI", "SAT"};

namespace {

const char* MonthName(std::int32_t month) {
    return month >= 1 && month <= 12 ? DateUtility::kMonthNames[month - 1] : "???";
}

const char* WeekdayName(std::int32_t weekday) {
    return weekday >= 1 && weekday <= 7 ? DateUtility::kWeekdayNames[weekday - 1] : "???";
}

bool IsCalendarDate(const DateValue& date, const DateUtility& dates) {
    return date.month >= 1 && date.month <= 12 && date.day >= 1 &&
           date.day <= dates.DaysInMonth(date);
}

// Days since 1 March of year 0 in the proleptic Gregorian calendar.
long long DayNumber(const DateValue& date) {
    long long y = date.year;
    const long long m = date.month;
    if (m <= 2) {
        --y;
    }
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yearOfEra = y - era * 400;
    const long long dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra;
}

// Splits a duration text at ':' into at most three integers, skipping empty pieces.
int DurationPieces(std::string_view text, int pieces[3]) {
    int count = 0;
    std::size_t start = 0;
    while (start <= text.size() && count < 3) {
        std::size_t end = text.find(':', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        if (end > start) {
            pieces[count++] = NumberText::ReadInteger(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return count;
}

std::string TwoDigits(int hours, int minutes, int seconds) {
    char text[48];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", hours, minutes, seconds);
    return text;
}

} // namespace

void DateUtility::Today(DateValue& date) const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    date = DateOfClock(local);
}

DateValue DateUtility::DateOfClock(const std::tm& local) {
    DateValue date;
    date.month = local.tm_mon + 1;
    date.weekday = local.tm_wday + 1;
    date.day = local.tm_mday;
    // Years 50 and below read as 2000..2050: a pivot kept from clocks that gave two-digit
    // years. A clock's years count from 1900, so no year since 1951 is moved.
    date.year = local.tm_year > 50 ? local.tm_year + 1900 : local.tm_year + 2000;
    return date;
}

bool DateUtility::IsLeapYear(std::int32_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

bool DateUtility::IsLogbookKey(std::int32_t key) {
    const std::int32_t year = key / 10000;
    const std::int32_t month = key / 100 % 100;
    const std::int32_t day = key % 100;
    if (key < 0 || year < kFirstYear || year > kLastYear || month < 1 || month > 12 || day < 1) {
        return false;
    }
    DateValue date;
    date.year = year;
    date.month = month;
    return day <= DateUtility().DaysInMonth(date);
}

int DateUtility::DaysInMonth(const DateValue& date) const {
    switch (date.month) {
    case 2:
        return IsLeapYear(date.year) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default:
        return 31;
    }
}

void DateUtility::AddDays(DateValue& date, int n) const {
    for (int i = 0; i < n && date.year != kLastYear; ++i) {
        date.weekday = date.weekday >= 7 ? 1 : date.weekday + 1;
        if (date.day < DaysInMonth(date)) {
            ++date.day;
        } else {
            date.day = 1;
            if (date.month >= 12) {
                date.month = 1;
                ++date.year;
            } else {
                ++date.month;
            }
        }
    }
}

void DateUtility::SubtractDays(DateValue& date, int n) const {
    for (int i = 0; i < n && date.year != kFirstYear; ++i) {
        date.weekday = date.weekday < 2 ? 7 : date.weekday - 1;
        if (date.day >= 2) {
            --date.day;
        } else {
            if (date.month <= 1) {
                date.month = 12;
                --date.year;
            } else {
                --date.month;
            }
            date.day = DaysInMonth(date);
        }
    }
}

void DateUtility::NextMonth(DateValue& date) const {
    if (date.month == 12 && date.year == kLastYear) {
        return;
    }
    if (date.month >= 12) {
        date.month = 1;
        ++date.year;
    } else {
        ++date.month;
    }
}

void DateUtility::PreviousMonth(DateValue& date) const {
    if (date.month == 1 && date.year == kFirstYear) {
        return;
    }
    if (date.month <= 1) {
        date.month = 12;
        --date.year;
    } else {
        --date.month;
    }
}

void DateUtility::NextYear(DateValue& date) const {
    if (date.year != kLastYear) {
        ++date.year;
    }
}

void DateUtility::PreviousYear(DateValue& date) const {
    if (date.year != kFirstYear) {
        --date.year;
    }
}

int DateUtility::DaysBetween(const DateValue& first, const DateValue& last) const {
    // Counted by day numbers rather than by stepping, so that dates out of order or with
    // weekdays from different origins cannot keep the walk from ending.
    if (!IsCalendarDate(first, *this) || !IsCalendarDate(last, *this)) {
        return 0;
    }
    const long long days = DayNumber(last) - DayNumber(first) + 1;
    if (days <= 0) {
        return 0;
    }
    return days > INT_MAX ? INT_MAX : static_cast<int>(days);
}

int DateUtility::MonthBounds(const DateValue& date, DateValue& first, DateValue& last) const {
    const int days = DaysInMonth(date);
    first = date;
    first.day = 1;
    last = date;
    last.day = days;
    return days;
}

int DateUtility::WeekdayOfMonthStart(const DateValue& date) const {
    if (date.year >= kFirstYear && date.year <= kLastYear && date.month >= 1 && date.month <= 12) {
        // The key-value method below holds for 1900..2099 only; 2100 is reachable, so
        // the calendar's own years are counted exactly.
        DateValue start = date;
        start.day = 1;
        const long long sinceMarch = DayNumber(start); // day 0 of the count is a Wednesday
        return static_cast<int>((sinceMarch + 3) % 7);
    }
    static const int kMonthCode[12] = {1, 4, 4, 0, 2, 5, 0, 3, 6, 1, 4, 6};
    const int month = date.month >= 1 && date.month <= 12 ? date.month : 1;
    const int yy = ((date.year % 100) + 100) % 100;
    const int c = kMonthCode[month - 1] + yy + yy / 4;
    int d = c + 1;
    if (IsLeapYear(date.year) && month <= 2) {
        d = c;
    }
    if (date.year >= 2000) {
        d += 6; // the 2000s' century code (the 1900s' is 0)
    }
    const int r = d % 7;
    return r > 0 ? r - 1 : 6;
}

std::int32_t DateUtility::KeyOfDate(const DateValue& date) const {
    return date.year * 10000 + date.month * 100 + date.day;
}

void DateUtility::DateOfKey(std::int32_t key, DateValue& date) const {
    date.month = key / 100 % 100;
    date.year = key / 10000;
    date.day = key % 100;
    // A key holds no weekday, and every caller uses only month, day and year: Monday (2)
    // stands in, any weekday would do.
    date.weekday = 2;
}

std::string DateUtility::ShortDateText(const DateValue& date) const {
    char text[48];
    std::snprintf(text, sizeof text, "%s-%02d-%4d", MonthName(date.month), date.day, date.year);
    return text;
}

std::string DateUtility::LongDateText(const DateValue& date) const {
    char text[64];
    std::snprintf(text, sizeof text, "%s, %s %02d, %4d", WeekdayName(date.weekday),
                  MonthName(date.month), date.day, date.year);
    return text;
}

std::string DateUtility::KeyText(std::int32_t key) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", key / 10000, key / 100 % 100, key % 100);
    return text;
}

std::string DateUtility::MonthText(const DateValue& date) const {
    char text[48];
    std::snprintf(text, sizeof text, "%s, %4d", MonthName(date.month), date.year);
    return text;
}

std::string DateUtility::DurationText(std::int32_t seconds) const {
    if (seconds <= 0) {
        return "00:00:00";
    }
    return TwoDigits(seconds / 3600, seconds % 3600 / 60, seconds % 60);
}

void DateUtility::NormaliseDurationText(std::string& text) const {
    int pieces[3] = {0, 0, 0};
    const int count = DurationPieces(text, pieces);
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    if (count == 1) {
        minutes = pieces[0];
    } else if (count == 2) {
        minutes = pieces[0];
        seconds = pieces[1];
    } else if (count == 3) {
        hours = pieces[0];
        minutes = pieces[1];
        seconds = pieces[2];
    }
    const auto inRange = [](int v) { return v >= 0 && v < 60 ? v : 0; };
    text = TwoDigits(inRange(hours), inRange(minutes), inRange(seconds));
}

std::int32_t DateUtility::SecondsOfDurationText(std::string_view text) const {
    if (text.size() != 8) { // only the hh:mm:ss a duration box is normalised to
        return 0;
    }
    int pieces[3] = {0, 0, 0};
    DurationPieces(text, pieces);
    const long long total = 3600LL * pieces[0] + 60LL * pieces[1] + pieces[2];
    if (total > INT_MAX) {
        return INT_MAX;
    }
    if (total < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<std::int32_t>(total);
}

bool DateUtility::ReadDuration(std::string_view text, std::int32_t& seconds) const {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    if (text.empty()) {
        seconds = 0;
        return true;
    }
    std::string_view pieces[3];
    int count = 0;
    for (std::size_t start = 0;;) {
        const std::size_t end = std::min(text.find(':', start), text.size());
        if (count == 3) {
            return false;
        }
        pieces[count++] = text.substr(start, end - start);
        if (end == text.size()) {
            break;
        }
        start = end + 1;
    }
    long long values[3] = {0, 0, 0};
    for (int i = 0; i < count; ++i) {
        // Minutes and seconds have two digits at most, hours ten (more overflows anyway).
        const bool hours = count == 3 && i == 0;
        if (pieces[i].empty() || pieces[i].size() > (hours ? 10U : 2U)) {
            return false;
        }
        for (const char c : pieces[i]) {
            if (c < '0' || c > '9') {
                return false;
            }
            values[i] = values[i] * 10 + (c - '0');
        }
        if (!hours && values[i] >= 60) {
            return false;
        }
    }
    long long total = 0;
    if (count == 1) {
        total = values[0] * 60;
    } else if (count == 2) {
        total = values[0] * 60 + values[1];
    } else {
        total = values[0] * 3600 + values[1] * 60 + values[2];
    }
    if (total > INT32_MAX) {
        return false;
    }
    seconds = static_cast<std::int32_t>(total);
    return true;
}

bool DateUtility::ReadDate(std::string_view text, DateValue& date) const {
    auto digits = [&](std::size_t at, std::size_t count, std::int32_t& value) {
        value = 0;
        for (std::size_t i = at; i < at + count; ++i) {
            if (text[i] < '0' || text[i] > '9') {
                return false;
            }
            value = value * 10 + (text[i] - '0');
        }
        return true;
    };
    std::int32_t y = 0;
    std::int32_t m = 0;
    std::int32_t d = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !digits(0, 4, y) ||
        !digits(5, 2, m) || !digits(8, 2, d) || y < kFirstYear || y > kLastYear || m < 1 ||
        m > 12 || d < 1) {
        return false;
    }
    const DateValue value = DateValue::Of(y, m, d);
    if (d > DaysInMonth(value)) {
        return false;
    }
    date = value;
    return true;
}

// Days from civil and back: the era-based method, exact over the whole int64 range used.
std::int64_t DateUtility::DaysOfDate(std::int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void DateUtility::DateOfDays(std::int64_t days, std::int64_t& year, int& month, int& day) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

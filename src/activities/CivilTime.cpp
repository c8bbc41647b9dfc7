#include "activities/CivilTime.h"

#include "store/DateUtility.h"

#include <cctype>
#include <ctime>

std::int64_t CivilTime::DateKeyAt(std::int64_t utc, std::int64_t offset) {
    const std::int64_t local = utc + offset;
    std::int64_t days = local / 86400;
    if (local % 86400 < 0) {
        --days;
    }
    std::int64_t year = 0;
    int month = 0;
    int day = 0;
    DateUtility::DateOfDays(days, year, month, day);
    return year * 10000 + month * 100 + day;
}

std::optional<std::int64_t> CivilTime::LocalDateKey(std::int64_t utc) {
    const std::time_t t = static_cast<std::time_t>(utc);
    std::tm local{};
    if (::localtime_r(&t, &local) == nullptr) {
        return std::nullopt;
    }
    return (static_cast<std::int64_t>(local.tm_year) + 1900) * 10000 + (local.tm_mon + 1) * 100 +
           local.tm_mday;
}

namespace {

// Exactly count digits at text[at]; advances at.
bool Digits(std::string_view text, std::size_t& at, std::size_t count, int& value) {
    if (at + count > text.size()) {
        return false;
    }
    value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char c = text[at + i];
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    at += count;
    return true;
}

bool Expect(std::string_view text, std::size_t& at, char c) {
    if (at < text.size() && text[at] == c) {
        ++at;
        return true;
    }
    return false;
}

} // namespace

std::optional<std::int64_t> CivilTime::ReadDateTime(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    std::size_t at = 0;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!Digits(text, at, 4, year) || !Expect(text, at, '-') || !Digits(text, at, 2, month) ||
        !Expect(text, at, '-') || !Digits(text, at, 2, day) || !Expect(text, at, 'T') ||
        !Digits(text, at, 2, hour) || !Expect(text, at, ':') || !Digits(text, at, 2, minute) ||
        !Expect(text, at, ':') || !Digits(text, at, 2, second)) {
        return std::nullopt;
    }
    if (Expect(text, at, '.')) {
        const std::size_t first = at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            ++at;
        }
        if (at == first) {
            return std::nullopt;
        }
    }
    std::int64_t offset = 0;
    if (Expect(text, at, 'Z')) {
    } else if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        const int sign = text[at++] == '-' ? -1 : 1;
        int hours = 0, minutes = 0;
        if (!Digits(text, at, 2, hours) || !Expect(text, at, ':') ||
            !Digits(text, at, 2, minutes) || hours > 14 || minutes > 59) {
            return std::nullopt;
        }
        offset = sign * (hours * 3600 + minutes * 60);
    }
    if (at != text.size() || month < 1 || month > 12 || day < 1 || hour > 24 || minute > 59 ||
        second > 60) {
        return std::nullopt;
    }
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (day > kDays[month - 1] || (month == 2 && day == 29 && !leap)) {
        return std::nullopt;
    }
    return DateUtility::DaysOfDate(year, month, day) * 86400 + hour * 3600 + minute * 60 + second -
           offset;
}

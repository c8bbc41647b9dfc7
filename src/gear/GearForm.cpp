#include "gear/GearForm.h"

#include "activities/ActivitySports.h"
#include "gear/GearTable.h"
#include "store/DateUtility.h"

#include <cmath>
#include <cstdio>
#include <strings.h>

const char* const GearForm::kLabels[kBoxCount] = {
    "Name", "Starting distance", "Distance limit", "Time limit", "First use", "Retired"};

namespace {

bool Digits(const std::string& text, std::size_t from, std::size_t to) {
    if (from >= to) {
        return false;
    }
    for (std::size_t i = from; i < to; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    return true;
}

} // namespace

bool GearForm::ReadNumber(const std::string& text, double& value) {
    value = 0;
    if (text.empty()) {
        return true;
    }
    const std::size_t point = text.find('.');
    const std::size_t whole = point == std::string::npos ? text.size() : point;
    // "12", "12.5", ".5", "12." read; signs, exponents and blanks do not.
    const bool reads = point == std::string::npos ? Digits(text, 0, text.size())
                                                  : (Digits(text, 0, whole) || whole == 0) &&
                                                        (Digits(text, point + 1, text.size()) ||
                                                         point + 1 == text.size()) &&
                                                        text.size() > 1;
    if (!reads || text.size() > 12) {
        return false;
    }
    value = std::strtod(text.c_str(), nullptr);
    return value <= kMostUnits;
}

bool GearForm::ReadDate(const std::string& text, std::int32_t& key) {
    key = 0;
    if (text.empty()) {
        return true;
    }
    const DateUtility dates;
    DateValue date;
    if (!dates.ReadDate(text, date)) {
        return false;
    }
    key = dates.KeyOfDate(date);
    return true;
}

bool GearForm::ReadTime(const std::string& text, std::int64_t& seconds) {
    seconds = 0;
    if (text.empty()) {
        return true;
    }
    const std::size_t first = text.find(':');
    const std::size_t hoursEnd = first == std::string::npos ? text.size() : first;
    if (!Digits(text, 0, hoursEnd) || hoursEnd > 6) {
        return false;
    }
    std::int64_t total = std::stoll(text.substr(0, hoursEnd)) * 3600;
    if (first != std::string::npos) {
        // H:MM or H:MM:SS, minutes and seconds in two digits below 60.
        const std::size_t second = text.find(':', first + 1);
        const std::size_t minutesEnd = second == std::string::npos ? text.size() : second;
        if (minutesEnd != first + 3 || !Digits(text, first + 1, minutesEnd)) {
            return false;
        }
        const int minutes = std::stoi(text.substr(first + 1, 2));
        int secs = 0;
        if (second != std::string::npos) {
            if (text.size() != second + 3 || !Digits(text, second + 1, text.size())) {
                return false;
            }
            secs = std::stoi(text.substr(second + 1, 2));
        }
        if (minutes > 59 || secs > 59) {
            return false;
        }
        total += minutes * 60 + secs;
    }
    seconds = total;
    return true;
}

std::string GearForm::SportOf(const std::string& text) {
    for (const std::string_view word : ActivitySports::Words()) {
        if (::strcasecmp(std::string(word).c_str(), text.c_str()) == 0) {
            return ActivitySports::SportOf(word);
        }
        const std::string sport = ActivitySports::SportOf(word);
        if (::strcasecmp(sport.c_str(), text.c_str()) == 0) {
            return sport;
        }
    }
    return text;
}

std::string GearForm::NumberText(double value) {
    char text[48];
    const double rounded = std::round(value * 100.0) / 100.0;
    std::snprintf(text, sizeof text, rounded == std::floor(rounded) ? "%.0f" : "%.2f", rounded);
    return text;
}

GearForm GearForm::Show(const GearItem& item, double metresPerUnit) {
    GearForm form;
    form.kind = item.kind;
    form.sport = item.sports.empty() ? "" : std::string(ActivitySports::Word(item.sports[0]));
    if (!item.sports.empty() && form.sport.empty()) {
        form.sport = item.sports[0];
    }
    form.isDefault = !item.defaultFor.empty();
    form.boxes[kName] = item.name;
    form.boxes[kStartDistance] =
        item.startMetres > 0 ? NumberText(item.startMetres / metresPerUnit) : "";
    form.boxes[kLimitDistance] =
        item.limitMetres > 0 ? NumberText(item.limitMetres / metresPerUnit) : "";
    form.boxes[kLimitTime] = item.limitSeconds > 0 ? GearTable::Time(item.limitSeconds) : "";
    form.boxes[kFirstUse] = item.firstUse ? GearTable::Date(item.firstUse) : "";
    form.boxes[kRetired] = item.retired ? GearTable::Date(item.retired) : "";
    form.notes = item.notes;
    return form;
}

int GearForm::FirstRefused(std::string& problem) const {
    const std::string& name = boxes[kName];
    if (name.find_first_not_of(' ') == std::string::npos) {
        problem = "Give the gear a name.";
        return kName;
    }
    if (name.size() > kNameSize || name.find_first_of(",\n\r\t") != std::string::npos) {
        problem = "A name holds at most 40 characters and no comma.";
        return kName;
    }
    double number = 0;
    for (const Box box : {kStartDistance, kLimitDistance}) {
        if (!ReadNumber(boxes[box], number)) {
            problem = std::string(kLabels[box]) + ": \"" + boxes[box] +
                      "\" is not a distance (a number such as 120 or 12.5).";
            return box;
        }
    }
    std::int64_t seconds = 0;
    if (!ReadTime(boxes[kLimitTime], seconds)) {
        problem = std::string(kLabels[kLimitTime]) + ": \"" + boxes[kLimitTime] +
                  "\" is not a time (hours, or H:MM:SS).";
        return kLimitTime;
    }
    std::int32_t first = 0;
    std::int32_t retired = 0;
    for (const Box box : {kFirstUse, kRetired}) {
        if (!ReadDate(boxes[box], box == kFirstUse ? first : retired)) {
            problem =
                std::string(kLabels[box]) + ": \"" + boxes[box] + "\" is not a date (YYYY-MM-DD).";
            return box;
        }
    }
    if (first != 0 && retired != 0 && retired < first) {
        problem = "It cannot be retired before its first use.";
        return kRetired;
    }
    if (isDefault && sport.empty()) {
        problem = "Choose the sport it is the default for.";
        return kBoxCount;
    }
    return -1;
}

void GearForm::ReadInto(GearItem& item, double metresPerUnit) const {
    item.name = boxes[kName];
    item.kind = kind;
    item.sports.clear();
    if (!sport.empty()) {
        item.sports.push_back(SportOf(sport));
    }
    item.defaultFor = isDefault && !sport.empty() ? SportOf(sport) : "";
    double number = 0;
    ReadNumber(boxes[kStartDistance], number);
    item.startMetres = std::round(number * metresPerUnit);
    ReadNumber(boxes[kLimitDistance], number);
    item.limitMetres = std::round(number * metresPerUnit);
    ReadTime(boxes[kLimitTime], item.limitSeconds);
    ReadDate(boxes[kFirstUse], item.firstUse);
    ReadDate(boxes[kRetired], item.retired);
    item.notes = notes.substr(0, kNotesSize);
}

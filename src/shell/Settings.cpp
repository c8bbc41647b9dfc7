#include "shell/Settings.h"

#include "framework/TLocale.h"
#include "framework/TProfile.h"
#include "store/Period.h"

WeekStart Settings::ReadWeekStart(const TProfile& profile) {
    const std::string word = profile.GetString(kSection, kWeekStartKey, "", 8);
    if (const std::optional<WeekStart> start = periods::WeekStartOfWord(word)) {
        return *start;
    }
    return WeekStartOfWeekday(TLocale::FirstWeekday());
}

WeekStart Settings::WeekStartOfWeekday(int isoWeekday) {
    return isoWeekday == 7   ? WeekStart::Sunday
           : isoWeekday == 6 ? WeekStart::Saturday
                             : WeekStart::Monday;
}

std::string Settings::TitleFor(const std::string& path) {
    return "Veloria - [" + (path.empty() ? std::string("no logbook open") : path) + "]";
}

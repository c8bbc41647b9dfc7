#pragma once
// The program's settings file, vrl.ini: one section with the last logbook and the version
// that last ran, the first day of the week, and the main window's title, which names that
// logbook.

#include "store/WeekStart.h"

#include <string>

class TProfile;

class Settings {
public:
    static constexpr const char* kIniFile = "vrl.ini";
    static constexpr const char* kSection = "GENERAL INFO";
    static constexpr const char* kLogBookKey = "LOGBOOK";
    static constexpr const char* kVersionKey = "VERSION";
    static constexpr const char* kVersion = "3.2";
    // What VERSION reads as when the file has none.
    static constexpr const char* kNoVersion = "NONE";

    // mon, sun or sat; missing or anything else: the locale's first day.
    static constexpr const char* kWeekStartKey = "WEEKSTART";

    // The first day of the week every window buckets weeks by.
    static WeekStart ReadWeekStart(const TProfile& profile);
    // A locale's first weekday (1 Monday .. 7 Sunday): Sunday and Saturday are kept, any
    // other day is taken as Monday.
    static WeekStart WeekStartOfWeekday(int isoWeekday);

    // "Veloria - [path]"; "Veloria - [no logbook open]" for an empty path.
    static std::string TitleFor(const std::string& path);
};

#pragma once
// The program's settings file, vrl.ini: one section with the last logbook and the version
// that last ran, and the main window's title, which names that logbook.

#include <string>

class Settings {
public:
    static constexpr const char* kIniFile = "vrl.ini";
    static constexpr const char* kSection = "GENERAL INFO";
    static constexpr const char* kLogBookKey = "LOGBOOK";
    static constexpr const char* kVersionKey = "VERSION";
    static constexpr const char* kVersion = "3.2";
    // What VERSION reads as when the file has none.
    static constexpr const char* kNoVersion = "NONE";

    // "Veloria - [path]"; "Veloria - [no logbook open]" for an empty path.
    static std::string TitleFor(const std::string& path);
};

#pragma once
// One activity as the activities file beside a logbook keeps it: what a day record cannot
// hold (each activity of the day on its own, its sport, where it came from).

#include <cstdint>
#include <optional>
#include <string>

struct ActivityRow {
    std::int64_t id = 0;    // the file's own number for it; 0 before it is stored
    std::int32_t day = 0;   // the logbook's date key of its local start date
    std::int64_t start = 0; // seconds since 1970-01-01 00:00 UTC
    std::string sport;      // the readers' English name ("Running", "Cycling")
    double metres = 0;
    std::int32_t movingSeconds = 0;
    std::int32_t elapsedSeconds = 0;
    std::int32_t avgHeartRate = 0; // 0: not recorded
    std::int32_t maxHeartRate = 0; // 0: not recorded
    std::int32_t calories = 0;
    std::optional<double> ascent; // metres, when the file gives it
    std::string file;             // the name of the file it was read from (UTF-8)
    std::uint64_t fileHash = 0;   // ContentHash of that file's bytes
    std::string note;
};

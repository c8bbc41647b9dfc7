#pragma once
// One activity as a file tells it (a FIT session, a TCX activity, a GPX track), and why a
// file gave none. Times are seconds since 1970-01-01 00:00 UTC.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A track point with a time and the distance covered up to it.
struct TrackPoint {
    std::int64_t time = 0; // seconds since 1970-01-01 00:00 UTC
    double metres = 0;     // from the activity's start
};

struct Activity {
    std::int64_t start = 0;
    // Local time minus UTC as the file states it; none: the machine's time zone decides.
    std::optional<std::int64_t> localOffset;
    std::string sport;  // English, capitalised ("Cross country skiing"); "Other" when unknown
    double seconds = 0; // moving time, pauses left out
    double metres = 0;
    double calories = 0;
    int maxHeartRate = 0;               // 0: not recorded
    std::optional<double> avgHeartRate; // over the moving time
    // How the figures were found when the file did not give them the usual way, for the
    // user to read beside the day ("from its laps; the session is missing"); empty otherwise.
    std::string note;
    double elapsed = 0;           // first moment to last, pauses in; 0: not told
    std::optional<double> ascent; // metres climbed, when the file says
    // The points that carry both a time and a distance, in file order (empty without any):
    // the import finds the best efforts in them and keeps no more of them.
    std::vector<TrackPoint> track = {};
};

// Why a file gave no activities; the text names the reason for the user.
enum class FileProblem {
    None,
    Unreadable,
    Damaged,
    CutShort,
    CrcMismatch,
    NotAnActivity,
    NoActivity,
    WithoutTimes,
    OutsideDates,
    NotXml,
    UnknownContent,
    TooLarge,  // its content expands past ActivityInput::kMaxContent
    Cancelled, // the reading was stopped while in this file
};

const char* FileProblemText(FileProblem problem);

struct ActivityFileResult {
    std::vector<Activity> activities;
    FileProblem problem = FileProblem::None;
    // What exactly, when there is more to say (the system's error, the XML parser's word and
    // line). The readers' own words only: it never quotes the file's bytes.
    std::string detail;
};

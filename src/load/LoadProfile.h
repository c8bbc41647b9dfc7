#pragma once
// The athlete's figures the training load is worked out with, kept as settings of the
// activities file beside the logbook: maximum and resting heart rate (unset: taken from the
// log), sex for the impulse's weighting, the time constants of fitness and fatigue, and a
// fitness to start from. Also the rules for the text a user gives for each of them.

#include "load/TrainingImpulse.h"
#include "store/ActivityStore.h"

#include <optional>
#include <string>
#include <string_view>

class LoadProfile {
public:
    static constexpr const char* kMaxHeartRateName = "load_hr_max";
    static constexpr const char* kRestHeartRateName = "load_hr_rest";
    static constexpr const char* kSexName = "load_sex";
    static constexpr const char* kFitnessDaysName = "load_fitness_days";
    static constexpr const char* kFatigueDaysName = "load_fatigue_days";
    static constexpr const char* kStartFitnessName = "load_start_fitness";

    // What a user may give.
    static constexpr int kLowestMax = 100;
    static constexpr int kHighestMax = 240;
    static constexpr int kLowestRest = 25;
    static constexpr int kHighestRest = 120;
    static constexpr int kHighestStartFitness = 300;
    static constexpr int kMostDays = 365;
    static constexpr int kDefaultFitnessDays = 42;
    static constexpr int kDefaultFatigueDays = 7;

    std::optional<int> maxHeartRate;
    std::optional<int> restHeartRate;
    Sex sex = Sex::Unset;
    int fitnessDays = kDefaultFitnessDays;
    int fatigueDays = kDefaultFatigueDays;
    int startFitness = 0;

    // The profile as stored; a setting that does not read as its rules say counts as unset.
    static LoadProfile Read(const ActivityStore& store);
    // Stores every field (unset ones as empty settings).
    ActivityStore::Outcome Store(ActivityStore& store) const;

    // A whole number from lowest to highest, blanks around it allowed; nothing else.
    static bool ReadWhole(std::string_view text, int lowest, int highest, int& value);
    // "m", "male", "f", "female", "unset" or "" (case ignored).
    static bool ReadSex(std::string_view text, Sex& sex);
    static const char* SexName(Sex sex); // "male", "female", "unset"

    // Reads one field from a user's text: an empty text unsets the heart rates and the start
    // fitness and puts back 42 and 7 days. False with the words that say why, the profile
    // unchanged.
    bool SetMaxHeartRate(std::string_view text, std::string& why);
    bool SetRestHeartRate(std::string_view text, std::string& why);
    bool SetStartFitness(std::string_view text, std::string& why);
    bool SetFitnessDays(std::string_view text, std::string& why);
    bool SetFatigueDays(std::string_view text, std::string& why);
    bool SetSex(std::string_view text, std::string& why);
    // The words when the resting heart rate used is not below the maximum used, else empty;
    // an unset one is the figure the log gives.
    std::string Conflict(int logMax, int logRest) const;
    // The words when fatigue is not the shorter of the two time constants, else empty.
    std::string DaysConflict() const;
};

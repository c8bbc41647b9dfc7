#include "load/LoadProfile.h"

#include <cctype>
#include <charconv>

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

std::optional<int> Stored(const ActivityStore& store, const char* name, int lowest, int highest) {
    int value = 0;
    if (LoadProfile::ReadWhole(store.Setting(name), lowest, highest, value)) {
        return value;
    }
    return std::nullopt;
}

std::string Range(const char* what, int lowest, int highest) {
    return std::string(what) + " must be a whole number from " + std::to_string(lowest) + " to " +
           std::to_string(highest);
}

bool SetOptional(std::string_view text, const char* what, int lowest, int highest,
                 std::optional<int>& field, std::string& why) {
    if (Trimmed(text).empty()) {
        field.reset();
        return true;
    }
    int value = 0;
    if (!LoadProfile::ReadWhole(text, lowest, highest, value)) {
        why = Range(what, lowest, highest);
        return false;
    }
    field = value;
    return true;
}

// A whole number from lowest to highest, or whenEmpty for an empty text.
bool SetWhole(std::string_view text, const char* what, int lowest, int highest, int whenEmpty,
              int& field, std::string& why) {
    int value = whenEmpty;
    if (!Trimmed(text).empty() && !LoadProfile::ReadWhole(text, lowest, highest, value)) {
        why = Range(what, lowest, highest);
        return false;
    }
    field = value;
    return true;
}

} // namespace

bool LoadProfile::ReadWhole(std::string_view text, int lowest, int highest, int& value) {
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    int read = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), read);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || read < lowest ||
        read > highest) {
        return false;
    }
    value = read;
    return true;
}

bool LoadProfile::ReadSex(std::string_view text, Sex& sex) {
    const std::string word = Lower(Trimmed(text));
    if (word == "m" || word == "male") {
        sex = Sex::Male;
    } else if (word == "f" || word == "female") {
        sex = Sex::Female;
    } else if (word.empty() || word == "unset") {
        sex = Sex::Unset;
    } else {
        return false;
    }
    return true;
}

const char* LoadProfile::SexName(Sex sex) {
    switch (sex) {
    case Sex::Male:
        return "male";
    case Sex::Female:
        return "female";
    default:
        return "unset";
    }
}

LoadProfile LoadProfile::Read(const ActivityStore& store) {
    LoadProfile p;
    p.maxHeartRate = Stored(store, kMaxHeartRateName, kLowestMax, kHighestMax);
    p.restHeartRate = Stored(store, kRestHeartRateName, kLowestRest, kHighestRest);
    ReadSex(store.Setting(kSexName), p.sex);
    p.fitnessDays = Stored(store, kFitnessDaysName, 1, kMostDays).value_or(kDefaultFitnessDays);
    p.fatigueDays = Stored(store, kFatigueDaysName, 1, kMostDays).value_or(kDefaultFatigueDays);
    p.startFitness = Stored(store, kStartFitnessName, 0, kHighestStartFitness).value_or(0);
    return p;
}

ActivityStore::Outcome LoadProfile::Store(ActivityStore& store) const {
    const auto text = [](const std::optional<int>& v) {
        return v ? std::to_string(*v) : std::string();
    };
    const std::pair<const char*, std::string> settings[] = {
        {kMaxHeartRateName, text(maxHeartRate)},
        {kRestHeartRateName, text(restHeartRate)},
        {kSexName, sex == Sex::Unset ? std::string() : SexName(sex)},
        {kFitnessDaysName, std::to_string(fitnessDays)},
        {kFatigueDaysName, std::to_string(fatigueDays)},
        {kStartFitnessName, std::to_string(startFitness)},
    };
    for (const auto& [name, value] : settings) {
        if (const ActivityStore::Outcome stored = store.SetSetting(name, value); !stored.Ok()) {
            return stored;
        }
    }
    return {};
}

bool LoadProfile::SetMaxHeartRate(std::string_view text, std::string& why) {
    return SetOptional(text, "The maximum heart rate", kLowestMax, kHighestMax, maxHeartRate, why);
}

bool LoadProfile::SetRestHeartRate(std::string_view text, std::string& why) {
    return SetOptional(text, "The resting heart rate", kLowestRest, kHighestRest, restHeartRate,
                       why);
}

bool LoadProfile::SetStartFitness(std::string_view text, std::string& why) {
    return SetWhole(text, "The starting fitness", 0, kHighestStartFitness, 0, startFitness, why);
}

bool LoadProfile::SetFitnessDays(std::string_view text, std::string& why) {
    return SetWhole(text, "The fitness days", 1, kMostDays, kDefaultFitnessDays, fitnessDays, why);
}

bool LoadProfile::SetFatigueDays(std::string_view text, std::string& why) {
    return SetWhole(text, "The fatigue days", 1, kMostDays, kDefaultFatigueDays, fatigueDays, why);
}

bool LoadProfile::SetSex(std::string_view text, std::string& why) {
    if (!ReadSex(text, sex)) {
        why = "The sex must be m, f or unset";
        return false;
    }
    return true;
}

std::string LoadProfile::Conflict(int logMax, int logRest) const {
    if (restHeartRate.value_or(logRest) >= maxHeartRate.value_or(logMax)) {
        return "The resting heart rate must be below the maximum heart rate";
    }
    return {};
}

std::string LoadProfile::DaysConflict() const {
    if (fatigueDays >= fitnessDays) {
        return "The fatigue days must be fewer than the fitness days";
    }
    return {};
}

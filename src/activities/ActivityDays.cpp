#include "activities/ActivityDays.h"

#include "activities/ActivitySports.h"
#include "activities/ActivityTotals.h"
#include "activities/CivilTime.h"
#include "store/PaceSpeed.h"
#include "store/Windows1252.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr std::int64_t kFirstKey = 19600101;
constexpr std::int64_t kLastKey = 21001231;

std::int32_t Saturated(double value) {
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(std::round(value), 0.0, kMax));
}

double Hundredths(double value) {
    return std::round(value * 100.0) / 100.0;
}

// Windows-1252 text cut to what a field of size bytes holds with its NUL.
void PutText(char* field, std::size_t size, const std::string& utf8) {
    const std::string bytes = Windows1252::Encode(utf8);
    const std::size_t n = std::min(bytes.size(), size - 1);
    std::memcpy(field, bytes.data(), n);
    field[n] = '\0';
}

std::string Joined(const std::vector<std::string>& words, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += (i == 0 ? "" : " + ") + words[i];
    }
    return text;
}

// The sports' words as the workout field holds them: whole words only, and "+N" for the N
// that do not fit.
std::string Workout(const std::vector<std::string>& words) {
    constexpr std::size_t kRoom = DayRecord::kWorkoutSize - 1;
    const auto fits = [](const std::string& text) {
        return Windows1252::Encode(text).size() <= kRoom;
    };
    std::string text = Joined(words, words.size());
    for (std::size_t shown = words.size(); !fits(text) && shown > 0;) {
        --shown;
        text =
            Joined(words, shown) + (shown == 0 ? "+" : " +") + std::to_string(words.size() - shown);
    }
    return text;
}

// "Imported from a.fit, b.gpx"; nothing for activities without a file (added by hand).
std::string ImportedFrom(const std::vector<std::string>& files) {
    std::string text;
    for (const std::string& file : files) {
        if (!file.empty()) {
            text += (text.empty() ? "Imported from " : ", ") + file;
        }
    }
    return text;
}

std::string Sentences(const std::string& a, const std::string& b) {
    return a.empty() || b.empty() ? a + b : a + " " + b;
}

} // namespace

std::int64_t ActivityDays::DateKeyOf(const Activity& activity) {
    if (activity.localOffset) {
        return CivilTime::DateKeyAt(activity.start, *activity.localOffset);
    }
    return CivilTime::LocalDateKey(activity.start).value_or(0);
}

bool ActivityDays::Add(const std::string& fileName, const std::vector<Activity>& activities,
                       std::uint64_t fileHash) {
    std::vector<std::int32_t> keys;
    for (const Activity& activity : activities) {
        const std::int64_t key = DateKeyOf(activity);
        if (key < kFirstKey || key > kLastKey) {
            return false;
        }
        keys.push_back(static_cast<std::int32_t>(key));
    }
    fileNames.push_back(fileName);
    fileHashes.push_back(fileHash);
    for (std::size_t i = 0; i < activities.size(); ++i) {
        byDate[keys[i]].push_back({activities[i], fileNames.size() - 1});
    }
    return true;
}

std::vector<ActivityDays::Day> ActivityDays::Days(Unit unit) const {
    const double metresPerUnit = unit == Unit::Miles ? kMetresPerMile : kMetresPerKilometre;
    std::vector<Day> days;
    for (const auto& [key, placedUnsorted] : byDate) {
        std::vector<const Placed*> placed;
        for (const Placed& p : placedUnsorted) {
            placed.push_back(&p);
        }
        std::stable_sort(placed.begin(), placed.end(), [](const Placed* a, const Placed* b) {
            return a->activity.start < b->activity.start;
        });
        double metres = 0, seconds = 0, calories = 0;
        double hrWeighted = 0, hrSeconds = 0, hrSum = 0;
        int hrCount = 0;
        int maxHeartRate = 0;
        std::vector<std::string> words;
        Day day{DayRecord::Blank(key), {}, {}, {}};
        for (const Placed* p : placed) {
            const Activity& a = p->activity;
            metres += a.metres;
            seconds += a.seconds;
            calories += a.calories;
            maxHeartRate = std::max(maxHeartRate, a.maxHeartRate);
            if (a.avgHeartRate) {
                hrWeighted += *a.avgHeartRate * a.seconds;
                hrSeconds += a.seconds;
                hrSum += *a.avgHeartRate;
                ++hrCount;
            }
            const std::string word(ActivitySports::Word(a.sport));
            if (!word.empty() && std::find(words.begin(), words.end(), word) == words.end()) {
                words.push_back(word);
            }
            const std::string& file = fileNames[p->file];
            if (!ActivitySports::IsTransition(a.sport)) {
                day.activities.push_back(ActivityTotals::RowOf(a, key, file, fileHashes[p->file]));
            }
            if (std::find(day.files.begin(), day.files.end(), file) == day.files.end()) {
                day.files.push_back(file);
            }
            if (!a.note.empty()) {
                const std::string note = file + ": " + a.note;
                if (std::find(day.notes.begin(), day.notes.end(), note) == day.notes.end()) {
                    day.notes.push_back(note);
                }
            }
        }
        DayRecord& r = day.record;
        const double distance = Hundredths(metres / metresPerUnit);
        r.distance = static_cast<float>(distance);
        r.time = Saturated(seconds);
        r.calories = Saturated(calories);
        r.maxHeartRate = maxHeartRate;
        const PaceSpeed paceSpeed = PaceSpeed::Of(distance, r.time);
        r.pace = paceSpeed.pace;
        r.speed = paceSpeed.speed;
        r.competition = 'N';
        PutText(r.workout, DayRecord::kWorkoutSize, Workout(words));
        std::string comments;
        if (hrCount > 0) {
            const double average = hrSeconds > 0 ? hrWeighted / hrSeconds : hrSum / hrCount;
            comments = "Avg HR " + std::to_string(std::lround(average)) + ".";
        }
        comments = Sentences(comments, ImportedFrom(day.files));
        PutText(r.comments, DayRecord::kCommentsSize, comments);
        // The figures the activities file will tell: a transition's are no activity's.
        ActivityTotals::Apply(r, day.activities, metresPerUnit);
        days.push_back(std::move(day));
    }
    return days;
}

ActivityDays::Day ActivityDays::FromActivities(std::int32_t key,
                                               const std::vector<ActivityRow>& activities,
                                               Unit unit) {
    Day day{DayRecord::Blank(key), {}, {}, activities};
    double hrWeighted = 0, hrSeconds = 0;
    for (const ActivityRow& a : activities) {
        if (std::find(day.files.begin(), day.files.end(), a.file) == day.files.end()) {
            day.files.push_back(a.file);
        }
        if (a.avgHeartRate > 0) {
            hrWeighted += static_cast<double>(a.avgHeartRate) * a.movingSeconds;
            hrSeconds += a.movingSeconds;
        }
    }
    DayRecord& r = day.record;
    r.competition = 'N';
    ActivityTotals::Apply(r, activities, MetresPer(unit));
    PutText(r.workout, DayRecord::kWorkoutSize, SportsOf(activities));
    std::string comments;
    if (hrSeconds > 0) {
        comments = "Avg HR " + std::to_string(std::lround(hrWeighted / hrSeconds)) + ".";
    }
    comments = Sentences(comments, ImportedFrom(day.files));
    PutText(r.comments, DayRecord::kCommentsSize, comments);
    return day;
}

std::string ActivityDays::SportsOf(const std::vector<ActivityRow>& activities) {
    std::vector<std::string> words;
    for (const ActivityRow& a : activities) {
        const std::string word(ActivitySports::Word(a.sport));
        if (!word.empty() && std::find(words.begin(), words.end(), word) == words.end()) {
            words.push_back(word);
        }
    }
    return Workout(words);
}

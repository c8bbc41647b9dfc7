#include "load/TrainingLoad.h"

#include "store/ActivityStore.h"
#include "store/LogBookDatabase.h"
#include "store/WeekStart.h"

#include <algorithm>
#include <map>

namespace {

std::int32_t DaysBefore(std::int32_t key, int days) {
    return weeks::KeyOfDayNumber(weeks::DayNumber(key) - days);
}

struct DayParts {
    const DayRecord* record = nullptr;
    std::vector<const ActivityRow*> activities;
};

} // namespace

TrainingLoad::HeartRates TrainingLoad::RatesFor(const LoadProfile& profile,
                                                const std::vector<DayRecord>& days,
                                                const std::vector<ActivityRow>& activities,
                                                std::int32_t today) {
    HeartRates rates;
    // The windows count today: 12 months are today and the 364 days before.
    const std::int32_t maxFrom = DaysBefore(today, kMaxFromDays - 1);
    const std::int32_t restFrom = DaysBefore(today, kRestFromDays - 1);
    int highest = 0;
    int lowestRest = 0;
    for (const DayRecord& day : days) {
        if (day.erased != 0 || day.dateKey > today) {
            continue;
        }
        if (day.dateKey >= maxFrom) {
            highest = std::max(highest, static_cast<int>(day.maxHeartRate));
        }
        if (day.dateKey >= restFrom && day.restHeartRate > 0 &&
            (lowestRest == 0 || day.restHeartRate < lowestRest)) {
            lowestRest = day.restHeartRate;
        }
    }
    for (const ActivityRow& a : activities) {
        if (a.day >= maxFrom && a.day <= today) {
            highest = std::max(highest, static_cast<int>(a.maxHeartRate));
        }
    }
    if (profile.maxHeartRate) {
        rates.max = *profile.maxHeartRate;
        rates.maxSource = Source::Profile;
    } else if (highest > 0) {
        rates.max = highest;
        rates.maxSource = Source::Log;
    }
    if (profile.restHeartRate) {
        rates.rest = *profile.restHeartRate;
        rates.restSource = Source::Profile;
    } else if (lowestRest > 0) {
        rates.rest = lowestRest;
        rates.restSource = Source::Log;
    }
    return rates;
}

std::vector<DailyLoad> TrainingLoad::DailyLoads(const std::vector<DayRecord>& days,
                                                const std::vector<ActivityRow>& activities,
                                                const HeartRates& rates, Sex sex) {
    std::map<std::int32_t, DayParts> parts;
    for (const DayRecord& day : days) {
        if (day.erased == 0) {
            parts[day.dateKey].record = &day;
        }
    }
    for (const ActivityRow& a : activities) {
        parts[a.day].activities.push_back(&a);
    }
    std::vector<DailyLoad> loads;
    loads.reserve(parts.size());
    for (const auto& [key, part] : parts) {
        // Activities of a day the logbook does not hold (erased in the Log Book) are gone too.
        if (!part.record) {
            continue;
        }
        const char difficulty = part.record ? part.record->difficulty : 0;
        const double guessed = TrainingImpulse::ReserveOfDifficulty(difficulty);
        DailyLoad daily{key, 0, false};
        if (part.activities.empty()) {
            const double minutes = part.record->time / 60.0;
            if (minutes > 0) {
                daily.load = TrainingImpulse::Of(minutes, guessed, sex);
                daily.estimated = true;
            }
        }
        // Each activity on its own: the impulse of summed averages is not the sum of impulses.
        for (const ActivityRow* a : part.activities) {
            const std::int32_t seconds =
                a->movingSeconds > 0 ? a->movingSeconds : a->elapsedSeconds;
            const double minutes = seconds / 60.0;
            if (minutes <= 0) {
                continue;
            }
            if (a->avgHeartRate > 0) {
                daily.load += TrainingImpulse::Of(
                    minutes, TrainingImpulse::Reserve(a->avgHeartRate, rates.rest, rates.max), sex);
            } else {
                daily.load += TrainingImpulse::Of(minutes, guessed, sex);
                daily.estimated = true;
            }
        }
        loads.push_back(daily);
    }
    return loads;
}

void TrainingLoad::Compute(const std::vector<DayRecord>& dayRecords,
                           const std::vector<ActivityRow>& activities, const LoadProfile& chosen,
                           std::int32_t today, std::int32_t last) {
    profile = chosen;
    rates = RatesFor(profile, dayRecords, activities, today);
    logRates = RatesFor(LoadProfile{}, dayRecords, activities, today);
    LoadModel model;
    model.fitnessDays = profile.fitnessDays;
    model.fatigueDays = profile.fatigueDays;
    model.startFitness = profile.startFitness;
    days = model.Run(DailyLoads(dayRecords, activities, rates, profile.sex), std::max(today, last));
}

bool TrainingLoad::Read(LogBookDatabase& database, std::int32_t today, std::int32_t last) {
    problem.clear();
    std::vector<DayRecord> records;
    int count = 0;
    if (database.LoadRange(nullptr, nullptr, DayType::AllDays, records, count) !=
        LogBookDatabase::ReadResult::Read) {
        days.clear();
        return false;
    }
    records.resize(
        static_cast<std::size_t>(std::clamp(count, 0, static_cast<int>(records.size()))));
    std::vector<ActivityRow> activities;
    ActivityStore store;
    LoadProfile stored;
    const ActivityStore::Outcome open = store.Open(database, false);
    if (open.Ok() || open.code == ActivityStore::Code::ReadOnly) {
        stored = LoadProfile::Read(store);
        if (const ActivityStore::Outcome read = store.Read(0, 0, activities); !read.Ok()) {
            activities.clear();
            problem = read.words;
        }
    } else if (open.code != ActivityStore::Code::Missing) {
        problem = open.words;
    }
    Compute(records, activities, stored, today, last);
    return true;
}

std::span<const LoadDay> TrainingLoad::Range(std::int32_t first, std::int32_t last) const {
    const auto begin = std::lower_bound(days.begin(), days.end(), first,
                                        [](const LoadDay& d, std::int32_t k) { return d.key < k; });
    const auto end = std::upper_bound(begin, days.end(), last,
                                      [](std::int32_t k, const LoadDay& d) { return k < d.key; });
    return {begin, end};
}

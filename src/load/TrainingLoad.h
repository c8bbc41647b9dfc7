#pragma once
// The training load of a logbook, one computation for the Training Load window and the
// load command: each day's load from its activities (a day without any from its own time
// and difficulty; the day record holds no average heart rate), then LoadModel over every day
// from the first entry on. The heart rates come from the profile, else from the log: the
// highest maximum of the days and activities of the last 12 months and the lowest resting
// rate above 0 of the last 90 days; with nothing in the log either, 185 and 60.

#include "load/LoadModel.h"
#include "load/LoadProfile.h"
#include "store/ActivityRow.h"
#include "store/DayRecord.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class LogBookDatabase;

class TrainingLoad {
public:
    static constexpr int kAssumedMax = 185;
    static constexpr int kAssumedRest = 60;
    static constexpr int kMaxFromDays = 365;
    static constexpr int kRestFromDays = 90;

    enum class Source { Profile, Log, Assumed };
    struct HeartRates {
        int max = kAssumedMax;
        int rest = kAssumedRest;
        Source maxSource = Source::Assumed;
        Source restSource = Source::Assumed;
    };

    static HeartRates RatesFor(const LoadProfile& profile, const std::vector<DayRecord>& days,
                               const std::vector<ActivityRow>& activities, std::int32_t today);
    // The load of each day the logbook holds, by key. An activity counts its moving minutes
    // (its elapsed ones when it has no moving time).
    static std::vector<DailyLoad> DailyLoads(const std::vector<DayRecord>& days,
                                             const std::vector<ActivityRow>& activities,
                                             const HeartRates& rates, Sex sex);

    // The model from these days and activities through last (today at least).
    void Compute(const std::vector<DayRecord>& days, const std::vector<ActivityRow>& activities,
                 const LoadProfile& profile, std::int32_t today, std::int32_t last);
    // The same from the open logbook and its activities file (and its profile there). False
    // when the days could not be read; an activities file that cannot be read leaves the
    // days on their own, and Problem says so.
    bool Read(LogBookDatabase& database, std::int32_t today, std::int32_t last);

    const std::vector<LoadDay>& Days() const { return days; }
    // The model's days from first to last (both counted), as far as the model reaches.
    std::span<const LoadDay> Range(std::int32_t first, std::int32_t last) const;
    const LoadProfile& Profile() const { return profile; }
    const HeartRates& Rates() const { return rates; }
    // The heart rates the log alone gives (or the assumed ones), whatever the profile says.
    const HeartRates& LogRates() const { return logRates; }
    const std::string& Problem() const { return problem; }

private:
    LoadProfile profile;
    HeartRates rates;
    HeartRates logRates;
    std::vector<LoadDay> days;
    std::string problem;
};

#include "load/LoadModel.h"

#include "store/WeekStart.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int kWeek = 7;

} // namespace

std::vector<LoadDay> LoadModel::Run(const std::vector<DailyLoad>& loads, std::int32_t last) const {
    std::vector<LoadDay> days;
    if (loads.empty()) {
        return days;
    }
    const std::int64_t first = weeks::DayNumber(loads.front().key);
    const std::int64_t end = std::max(weeks::DayNumber(last), weeks::DayNumber(loads.back().key));
    days.reserve(static_cast<std::size_t>(end - first + 1));
    const double fitnessGain = 1 - std::exp(-1.0 / fitnessDays);
    const double fatigueGain = 1 - std::exp(-1.0 / fatigueDays);
    double fitness = startFitness;
    double fatigue = 0;
    // The last week's loads and fitness, oldest first, days before the log as 0 and the start.
    std::array<double, kWeek> week{};
    std::array<double, kWeek> fitnessWeek;
    fitnessWeek.fill(startFitness);
    std::size_t next = 0;
    for (std::int64_t n = first; n <= end; ++n) {
        LoadDay day;
        day.key = weeks::KeyOfDayNumber(n);
        if (next < loads.size() && loads[next].key == day.key) {
            day.load = loads[next].load;
            day.estimated = loads[next].estimated;
            ++next;
        }
        day.buildingUp = n - first < fitnessDays;
        day.form = fitness - fatigue;
        fitness += (day.load - fitness) * fitnessGain;
        fatigue += (day.load - fatigue) * fatigueGain;
        day.fitness = fitness;
        day.fatigue = fatigue;
        const std::size_t slot = static_cast<std::size_t>((n - first) % kWeek);
        // fitnessWeek[slot] holds the fitness of 7 days ago until it is replaced.
        day.ramp = fitness - fitnessWeek[slot];
        fitnessWeek[slot] = fitness;
        week[slot] = day.load;
        if (fitness != 0) {
            day.acwr = fatigue / fitness;
        }
        double sum = 0;
        for (const double l : week) {
            sum += l;
        }
        const double mean = sum / kWeek;
        double squares = 0;
        for (const double l : week) {
            squares += (l - mean) * (l - mean);
        }
        const double sd = std::sqrt(squares / kWeek);
        day.weekLoad = sum;
        // Seven equal loads leave rounding noise, not a spread.
        if (sd > 1e-9 * (1 + mean)) {
            day.monotony = mean / sd;
            day.strain = sum * *day.monotony;
        }
        days.push_back(day);
    }
    return days;
}

#pragma once
// Fitness, fatigue and form from daily loads, in one pass over the days: each of fitness
// (CTL) and fatigue (ATL) moves towards the day's load by 1 - e^(-1/T) of the gap (T 42 and
// 7 days); form (TSB) is yesterday's fitness less yesterday's fatigue; ramp is fitness less
// fitness a week before; ACWR is fatigue over fitness; monotony is the mean of the last 7
// days' loads over their standard deviation (of the 7, divided by 7), strain the week's load
// times monotony. Days before the first load count as 0, and fitness before it is the
// starting fitness.

#include <cstdint>
#include <optional>
#include <vector>

struct DailyLoad {
    std::int32_t key = 0; // YYYYMMDD
    double load = 0;
    bool estimated = false; // some of it was guessed without a heart rate
};

struct LoadDay {
    std::int32_t key = 0;
    double load = 0;
    bool estimated = false;
    bool buildingUp = false; // within the first fitness constant's days of the log
    double fitness = 0;
    double fatigue = 0;
    double form = 0;
    double ramp = 0;
    std::optional<double> acwr;     // none while fitness is 0
    std::optional<double> monotony; // none when the week's loads do not vary
    std::optional<double> strain;
    double weekLoad = 0;
};

class LoadModel {
public:
    int fitnessDays = 42;
    int fatigueDays = 7;
    double startFitness = 0;

    // Every day from the first load's to last (or to the last load's, whichever is later);
    // loads sorted by key, one per day. Empty without loads.
    std::vector<LoadDay> Run(const std::vector<DailyLoad>& loads, std::int32_t last) const;
};

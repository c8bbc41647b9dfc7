#include "records/RecordLimits.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace {

struct Limit {
    const char* sport;
    double kmh;
    bool asPace; // said as a pace per km (per 100 m for swimming)
};

constexpr std::array<Limit, 6> kLimits = {{
    {"Running", 24, true},
    {"Walking", 12, true},
    {"Hiking", 12, true},
    {"Swimming", 6, true},
    {"Cycling", 100, false},
    {"Biking", 100, false},
}};

const Limit* Find(std::string_view sport) {
    for (const Limit& limit : kLimits) {
        if (sport == limit.sport) {
            return &limit;
        }
    }
    return nullptr;
}

// "2:30/km" for a speed; "1:00/100 m" for swimming. Rounded up: a pace is never said faster
// than it was.
std::string PaceText(double kmh, bool swim) {
    const double metres = swim ? 100.0 : 1000.0;
    const long seconds = std::lround(std::ceil(metres / (kmh / 3.6) - 1e-9));
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld/%s", seconds / 60, seconds % 60,
                  swim ? "100 m" : "km");
    return text;
}

std::string SpeedText(double kmh) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f km/h", kmh);
    return text;
}

} // namespace

double RecordLimits::Limit(std::string_view sport) {
    const ::Limit* limit = Find(sport);
    return limit ? limit->kmh : 0;
}

std::string RecordLimits::TooFast(std::string_view sport, double metres, double seconds) {
    const ::Limit* limit = Find(sport);
    if (!limit || metres <= 0 || seconds <= 0) {
        return "";
    }
    const double kmh = metres / seconds * 3.6;
    if (kmh <= limit->kmh) {
        return "";
    }
    const bool swim = sport == "Swimming";
    return limit->asPace ? "faster than " + PaceText(limit->kmh, swim) + ": " + PaceText(kmh, swim)
                         : "faster than " + SpeedText(limit->kmh) + ": " + SpeedText(kmh);
}

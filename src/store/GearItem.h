#pragma once
// One piece of gear as the activities file keeps it: shoes, a bike or anything else whose
// wear follows the distance and time of the activities that carry it. Distances in metres,
// dates as logbook keys (YYYYMMDD).

#include <cstdint>
#include <string>
#include <vector>

enum class GearKind { Shoes, Bike, Other };

struct GearItem {
    std::int64_t id = 0; // 0 before it is stored
    std::string name;    // unique, as the user typed it
    GearKind kind = GearKind::Shoes;
    std::vector<std::string> sports; // English sport names it is for; empty: any sport
    std::int32_t firstUse = 0;       // 0: counts from its first activity
    std::int32_t retired = 0;        // 0: in use; else the last day that counts
    double startMetres = 0;          // what it had done before it was logged
    double limitMetres = 0;          // 0: no distance limit
    std::int64_t limitSeconds = 0;   // 0: no time limit
    std::string defaultFor;          // the sport whose new activities get it; empty: none
    std::string notes;

    // "shoes", "bike", "other" as the command line and the file say them.
    static const char* KindWord(GearKind kind);
    // False when the word names no kind.
    static bool KindOf(const std::string& word, GearKind& kind);
    // Whether a day falls in its use: from first use to retirement, both included.
    bool InUseOn(std::int32_t day) const {
        return (firstUse == 0 || day >= firstUse) && (retired == 0 || day <= retired);
    }
};

#pragma once
// What the import makes of an activity's sport: the short word a day's workout names it by,
// whether two files' sports can be one activity's, and the plain limits beyond which a
// damaged file's figures are refused. Sports are named as the readers name them
// ("Running", TCX's "Biking", FIT's "Cycling", "Transition").

#include "activities/Activity.h"

#include <string>
#include <string_view>
#include <vector>

class ActivitySports {
public:
    static constexpr double kMostMetres = 1000000;    // 1000 km in one activity
    static constexpr double kMostSeconds = 48 * 3600; // 48 hours

    // "Run", "Ride" (for "Cycling" and "Biking"), "Swim"...; a sport without a short word
    // keeps its name, a transition has none (empty).
    static std::string_view Word(std::string_view sport);
    // The short words, each once, in the order of the sports; what a user picks from.
    static std::vector<std::string_view> Words();
    // The sport a short word stands for (its first); a word of the user's own is its sport.
    static std::string SportOf(std::string_view word);
    // Whether a stored sport is the one asked for by its name or its short word, case
    // ignored: "running" and "Run" ask for "Running", "Cycling" for "Biking" (both "Ride").
    static bool Matches(std::string_view stored, std::string_view asked);
    // A multisport's change between sports, which is no sport of its own.
    static bool IsTransition(std::string_view sport);
    // Whether two files may tell the same activity: one sport, or one of them unknown
    // ("Other": a GPX track without a type, say).
    static bool MayBeSame(std::string_view a, std::string_view b);
    // The highest average speed believed of a sport, in km/h.
    static double SpeedLimit(std::string_view sport);
    // Why an activity's figures cannot be true ("42949.67 km in one activity, more than
    // 1000"), empty when they can.
    static std::string Implausible(const Activity& activity);
};

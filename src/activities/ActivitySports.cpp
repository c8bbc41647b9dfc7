#include "activities/ActivitySports.h"

#include <strings.h>

#include <cstdio>
#include <iterator>

namespace {

struct Sport {
    const char* name;
    const char* word;
    double speedLimit; // km/h; 0: kOtherLimit
};

// Limits are generous on purpose: they catch a wrapped counter or a broken timer, never a
// fast day. Running's is 2:00 a km.
constexpr double kOtherLimit = 150;
constexpr Sport kSports[] = {
    {"Running", "Run", 30},
    {"Cycling", "Ride", 100},
    {"Biking", "Ride", 100},
    {"E biking", "E-bike", 100},
    {"Swimming", "Swim", 15},
    {"Walking", "Walk", 20},
    {"Hiking", "Hike", 20},
    {"Rowing", "Row", 30},
    {"Paddling", "Paddle", 30},
    {"Kayaking", "Kayak", 30},
    {"Stand up paddleboarding", "SUP", 30},
    {"Fitness equipment", "Gym", 0},
    {"Cross country skiing", "XC ski", 0},
    {"Alpine skiing", "Ski", 0},
    {"Snowboarding", "Snowboard", 0},
    {"Snowshoeing", "Snowshoe", 20},
    {"Inline skating", "Skate", 0},
    {"Ice skating", "Ice skate", 0},
    {"Rock climbing", "Climb", 0},
    {"American football", "Football", 0},
    // Carried by an engine or the air: a day's log may hold them all the same.
    {"Motorcycling", "Motorcycling", 400},
    {"Driving", "Driving", 400},
    {"Flying", "Flying", 400},
    {"Sky diving", "Sky diving", 400},
    {"Hang gliding", "Hang gliding", 400},
};

const Sport* Find(std::string_view sport) {
    for (const Sport& s : kSports) {
        if (sport == s.name) {
            return &s;
        }
    }
    return nullptr;
}

std::string Printed(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

std::string_view ActivitySports::Word(std::string_view sport) {
    if (IsTransition(sport)) {
        return {};
    }
    const Sport* s = Find(sport);
    return s ? std::string_view(s->word) : sport;
}

std::vector<std::string_view> ActivitySports::Words() {
    std::vector<std::string_view> words;
    for (const Sport& s : kSports) {
        if (words.empty() || words.back() != s.word) {
            words.push_back(s.word);
        }
    }
    return words;
}

std::string ActivitySports::SportOf(std::string_view word) {
    for (const Sport& s : kSports) {
        if (word == s.word) {
            return s.name;
        }
    }
    return std::string(word);
}

bool ActivitySports::Matches(std::string_view stored, std::string_view asked) {
    const auto same = [](std::string_view a, std::string_view b) {
        return !a.empty() && ::strcasecmp(std::string(a).c_str(), std::string(b).c_str()) == 0;
    };
    const std::string_view word = Word(stored);
    return same(stored, asked) || same(word, asked) || same(word, Word(asked));
}

bool ActivitySports::IsTransition(std::string_view sport) {
    return sport == "Transition";
}

bool ActivitySports::MayBeSame(std::string_view a, std::string_view b) {
    return a == "Other" || b == "Other" ||
           (IsTransition(a) ? IsTransition(b) : !IsTransition(b) && Word(a) == Word(b));
}

double ActivitySports::SpeedLimit(std::string_view sport) {
    const Sport* s = Find(sport);
    return s && s->speedLimit > 0 ? s->speedLimit : kOtherLimit;
}

std::string ActivitySports::Implausible(const Activity& activity) {
    // Written so that a NaN is refused too.
    if (!(activity.metres >= 0 && activity.metres <= kMostMetres)) {
        return Printed("%.2f km", activity.metres / 1000) + " in one activity, more than " +
               Printed("%.0f", kMostMetres / 1000);
    }
    if (!(activity.seconds >= 0 && activity.seconds <= kMostSeconds)) {
        return Printed("%.1f hours", activity.seconds / 3600) + " in one activity, more than " +
               Printed("%.0f", kMostSeconds / 3600);
    }
    // Without a moving time there is no average to judge. Compared as metres * 3600 against
    // km/h * 1000 * seconds: exact at the limit itself.
    const double limit = SpeedLimit(activity.sport);
    if (activity.seconds > 0 && activity.metres * 3600 > limit * 1000 * activity.seconds) {
        return activity.sport + " at " +
               Printed("%.2f km/h", activity.metres * 3.6 / activity.seconds) +
               " on average, more than " + Printed("%.0f", limit);
    }
    return {};
}

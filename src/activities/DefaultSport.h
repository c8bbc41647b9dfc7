#pragma once
// The sport of the days a logbook holds without activities (typed by hand): the user picks
// it by its short word, and the activities file keeps its English name beside the logbook.
// The File menu's Logbook Settings and veloria-logbook activities --default-sport both go
// through here.

#include "store/ActivityStore.h"

#include <string>
#include <string_view>
#include <vector>

class LogBookDatabase;

class DefaultSport {
public:
    static constexpr const char* kSetting = "default_sport";

    // What a user picks from: the sports' short words, each once, then "Other".
    static std::vector<std::string> Choices();
    // The English name of a choice given as its word or its name, case ignored ("run",
    // "Running": "Running"); empty when it is none of the choices.
    static std::string NameOf(std::string_view given);
    // The word a stored name is shown by ("Cycling": "Ride").
    static std::string WordOf(std::string_view name);

    // Stores the sport (an English name) for an open logbook, creating its activities file
    // when there is none. A file that may not be changed gives its outcome and is left as
    // it is.
    static ActivityStore::Outcome Store(const LogBookDatabase& logbook, const std::string& name);
};

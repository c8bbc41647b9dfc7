#include "activities/DefaultSport.h"

#include "activities/ActivitySports.h"

#include <algorithm>
#include <strings.h>

std::vector<std::string> DefaultSport::Choices() {
    std::vector<std::string> choices;
    for (const std::string_view word : ActivitySports::Words()) {
        choices.emplace_back(word);
    }
    // A GPX track without a type is "Other" to the readers; a day may be as vague.
    if (std::find(choices.begin(), choices.end(), "Other") == choices.end()) {
        choices.emplace_back("Other");
    }
    return choices;
}

std::string DefaultSport::NameOf(std::string_view given) {
    const std::string text(given);
    for (const std::string& word : Choices()) {
        const std::string name = ActivitySports::SportOf(word);
        if (::strcasecmp(text.c_str(), word.c_str()) == 0 ||
            ::strcasecmp(text.c_str(), name.c_str()) == 0) {
            return name;
        }
    }
    return {};
}

std::string DefaultSport::WordOf(std::string_view name) {
    const std::string_view word = ActivitySports::Word(name);
    return std::string(word.empty() ? name : word);
}

ActivityStore::Outcome DefaultSport::Store(const LogBookDatabase& logbook,
                                           const std::string& name) {
    ActivityStore store;
    if (const ActivityStore::Outcome opened = store.Open(logbook, true);
        !opened.Ok() && opened.code != ActivityStore::Code::Missing) {
        return opened;
    }
    return store.SetSetting(kSetting, name);
}

#include "editor/LogBookHistory.h"

void LogBookHistory::Add(const DayRecord* before, const DayRecord& after) {
    changes.erase(changes.begin() + static_cast<std::ptrdiff_t>(done), changes.end());
    changes.push_back(
        {before != nullptr, before ? *before : DayRecord::Blank(after.dateKey), after});
    if (changes.size() > kLimit) {
        changes.pop_front();
    }
    done = changes.size();
}

void LogBookHistory::Clear() {
    changes.clear();
    done = 0;
}

const LogBookHistory::Change* LogBookHistory::ToUndo() const {
    return done > 0 ? &changes[done - 1] : nullptr;
}

const LogBookHistory::Change* LogBookHistory::ToRedo() const {
    return done < changes.size() ? &changes[done] : nullptr;
}

DayRecord LogBookHistory::Restored(const Change& change) {
    if (change.hadRecord) {
        return change.before;
    }
    DayRecord erased = change.after;
    erased.erased = 1;
    return erased;
}

bool LogBookHistory::Undo(LogBookDatabase& database, std::int32_t& key) {
    const Change* change = ToUndo();
    if (!change ||
        database.StoreRecord(Restored(*change)) != LogBookDatabase::StoreResult::Stored) {
        return false;
    }
    key = change->after.dateKey;
    --done;
    return true;
}

bool LogBookHistory::Redo(LogBookDatabase& database, std::int32_t& key) {
    const Change* change = ToRedo();
    if (!change || database.StoreRecord(change->after) != LogBookDatabase::StoreResult::Stored) {
        return false;
    }
    key = change->after.dateKey;
    ++done;
    return true;
}

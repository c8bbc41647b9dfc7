#include "editor/LogBookHistory.h"

#include "store/ActivityStore.h"

void LogBookHistory::Add(const DayRecord* before, const DayRecord& after) {
    changes.erase(changes.begin() + static_cast<std::ptrdiff_t>(done), changes.end());
    changes.push_back({before != nullptr,
                       before ? *before : DayRecord::Blank(after.dateKey),
                       after,
                       false,
                       {},
                       {}});
    if (changes.size() > kLimit) {
        changes.pop_front();
    }
    done = changes.size();
}

void LogBookHistory::AddActivities(const DayRecord* before, const DayRecord& after,
                                   std::vector<ActivityRow> rowsBefore,
                                   std::vector<ActivityRow> rowsAfter) {
    Add(before, after);
    Change& change = changes.back();
    change.activities = true;
    change.rowsBefore = std::move(rowsBefore);
    change.rowsAfter = std::move(rowsAfter);
}

bool LogBookHistory::StoreWithActivities(LogBookDatabase& database,
                                         std::vector<ActivityRow>& present,
                                         std::vector<ActivityRow>& target, const DayRecord& record,
                                         std::string& problem) {
    ActivityStore store;
    if (const ActivityStore::Outcome opened = store.Open(database, true);
        !opened.Ok() && opened.code != ActivityStore::Code::Missing) {
        problem = opened.words;
        return false;
    }
    // One backup holds the activities and the day as they were.
    database.ChangeAhead(false);
    if (store.IsOpen()) {
        store.SettleWritten(database);
    }
    std::vector<std::int64_t> gone;
    for (const ActivityRow& row : present) {
        gone.push_back(row.id);
    }
    const std::string unit = store.Unit();
    if (const ActivityStore::Outcome changed = store.Change(gone, target, unit, {record});
        !changed.Ok()) {
        problem = changed.words;
        return false;
    }
    if (database.StoreRecord(record) == LogBookDatabase::StoreResult::Stored) {
        // Should this fail, the planned record is the one the day holds: check --repair
        // clears it and changes no day.
        store.Settle({record.dateKey});
        return true;
    }
    std::vector<std::int64_t> added;
    for (const ActivityRow& row : target) {
        added.push_back(row.id);
    }
    if (store.Change(added, present, unit, {}, {record.dateKey}).Ok()) {
        problem = "the day could not be stored";
        return false;
    }
    problem = "the activities were stored but their day was not; veloria-logbook check "
              "--repair writes the day";
    return false;
}

bool LogBookHistory::StoreActivities(LogBookDatabase& database, const DayRecord* before,
                                     const DayRecord& after,
                                     const std::vector<ActivityRow>& rowsBefore,
                                     std::vector<ActivityRow>& rowsAfter, std::string& problem) {
    std::vector<ActivityRow> present = rowsBefore;
    if (!StoreWithActivities(database, present, rowsAfter, after, problem)) {
        return false;
    }
    AddActivities(before, after, rowsBefore, rowsAfter);
    return true;
}

bool LogBookHistory::StoreSide(LogBookDatabase& database, Change& change, bool redo) {
    problem.clear();
    if (!change.activities) {
        return database.StoreRecord(redo ? change.after : Restored(change)) ==
               LogBookDatabase::StoreResult::Stored;
    }
    return redo ? StoreWithActivities(database, change.rowsBefore, change.rowsAfter, change.after,
                                      problem)
                : StoreWithActivities(database, change.rowsAfter, change.rowsBefore,
                                      Restored(change), problem);
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
    if (done == 0 || !StoreSide(database, changes[done - 1], false)) {
        return false;
    }
    const Change* change = ToUndo();
    key = change->after.dateKey;
    --done;
    return true;
}

bool LogBookHistory::Redo(LogBookDatabase& database, std::int32_t& key) {
    if (done == changes.size() || !StoreSide(database, changes[done], true)) {
        return false;
    }
    const Change* change = ToRedo();
    key = change->after.dateKey;
    ++done;
    return true;
}

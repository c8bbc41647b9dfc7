#pragma once
// The days the Log Book stored in this run, newest last, each with its record before and
// after, so that a change can be taken back and made again. It holds the records and the
// place between what is done and what was undone; reading the keys and showing the day is
// the dialog's business.

#include "store/ActivityRow.h"
#include "store/DayRecord.h"
#include "store/LogBookDatabase.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

class LogBookHistory {
public:
    // The oldest change goes when one more comes.
    static constexpr std::size_t kLimit = 1000;

    struct Change {
        // Whether the day had a record before the change, live or erased: without one, undoing
        // the change erases the day again.
        bool hadRecord;
        DayRecord before;
        DayRecord after;
        // A change of the day's activities carries its rows before and after; undoing it
        // puts the rows back with the record (their ids follow the file).
        bool activities = false;
        std::vector<ActivityRow> rowsBefore;
        std::vector<ActivityRow> rowsAfter;
    };

    // A day was stored: before is its record as it lay in the logbook, null when it had none.
    // What was undone can no longer be redone.
    void Add(const DayRecord* before, const DayRecord& after);
    // The day's activities were changed by StoreWithActivities.
    void AddActivities(const DayRecord* before, const DayRecord& after,
                       std::vector<ActivityRow> rowsBefore, std::vector<ActivityRow> rowsAfter);
    // Stores a day and its activities as one step: present's rows go and target's come
    // (their ids set) in one change of the activities file that also plans the record, then
    // the record, then the plan is settled. A kill in between leaves the planned record for
    // check --repair to write. False when nothing was stored (said in problem); present then
    // holds the rows as they lie in the file again.
    static bool StoreWithActivities(LogBookDatabase& database, std::vector<ActivityRow>& present,
                                    std::vector<ActivityRow>& target, const DayRecord& record,
                                    std::string& problem);
    // StoreWithActivities, and the step added once it stored: before is the day as the
    // logbook holds it (null for none), rowsBefore the rows as the file holds them.
    bool StoreActivities(LogBookDatabase& database, const DayRecord* before, const DayRecord& after,
                         const std::vector<ActivityRow>& rowsBefore,
                         std::vector<ActivityRow>& rowsAfter, std::string& problem);
    void Clear();

    // The change that undo or redo takes next, or null.
    const Change* ToUndo() const;
    const Change* ToRedo() const;
    // What undoing a change stores: the record as it was, or the stored day erased as Erase
    // Day erases one (its bytes kept, flagged erased) when it had none.
    static DayRecord Restored(const Change& change);

    // Stores the record that undoes (redoes) the next change; on success the history steps
    // past it and key is the changed day. False when there is nothing to take back (to make
    // again) or the store failed, which has said so; the history then stays as it was.
    bool Undo(LogBookDatabase& database, std::int32_t& key);
    bool Redo(LogBookDatabase& database, std::int32_t& key);

    // Why the last undo or redo of an activities step failed; empty when it did not (a day's
    // own store failure is said by the store).
    const std::string& Problem() const { return problem; }

    std::size_t Count() const { return changes.size(); }
    std::size_t UndoCount() const { return done; }
    std::size_t RedoCount() const { return changes.size() - done; }

private:
    // Stores what undoing (redoing) the change gives; false when the store failed.
    bool StoreSide(LogBookDatabase& database, Change& change, bool redo);

    std::deque<Change> changes;
    // Changes [0, done) are in the logbook; those after were undone.
    std::size_t done = 0;
    std::string problem;
};

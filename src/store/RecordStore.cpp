#include "store/RecordStore.h"

#include "store/SqlStatement.h"
#include "store/SqlTransaction.h"

#include <sqlite3.h>

std::set<std::int64_t> RecordStore::Marked(Mark mark) const {
    std::set<std::int64_t> keys;
    if (sqlite3* db = store.Connection()) {
        SqlStatement s(db, "SELECT key FROM record_mark WHERE kind = ?1");
        s.Bind(1, static_cast<std::int64_t>(mark));
        while (s.Step() == SQLITE_ROW) {
            keys.insert(s.Int(0));
        }
    }
    return keys;
}

ActivityStore::Outcome RecordStore::SetMark(Mark mark, std::int64_t key, bool on) {
    if (const ActivityStore::Outcome ready = store.Ready(); !ready.Ok()) {
        return ready;
    }
    SqlStatement s(store.Connection(),
                   on ? "INSERT OR IGNORE INTO record_mark(kind, key) VALUES(?1, ?2)"
                      : "DELETE FROM record_mark WHERE kind = ?1 AND key = ?2");
    s.Bind(1, static_cast<std::int64_t>(mark));
    s.Bind(2, key);
    return s.Step() == SQLITE_DONE ? ActivityStore::Outcome{} : Failed("cannot keep the mark");
}

std::vector<RecordStore::Effort> RecordStore::EffortsIn(const ActivityStore& store) {
    std::vector<Effort> efforts;
    if (sqlite3* db = store.Connection()) {
        SqlStatement s(db, "SELECT start, metres, seconds FROM best_effort ORDER BY start, metres");
        while (s.Step() == SQLITE_ROW) {
            efforts.push_back({s.Int(0), s.Real(1), s.Real(2)});
        }
    }
    return efforts;
}

ActivityStore::Outcome RecordStore::StoreEfforts(const std::vector<Effort>& efforts) {
    if (efforts.empty()) {
        return {};
    }
    if (const ActivityStore::Outcome ready = store.Ready(); !ready.Ok()) {
        return ready;
    }
    sqlite3* db = store.Connection();
    SqlTransaction change(db);
    if (!change.Begun()) {
        return Failed("cannot keep the best efforts");
    }
    bool ok = true;
    {
        SqlStatement clear(db, "DELETE FROM best_effort WHERE start = ?1");
        SqlStatement add(db, "INSERT OR REPLACE INTO best_effort(start, metres, seconds) "
                             "VALUES(?1, ?2, ?3)");
        std::set<std::int64_t> cleared;
        for (const Effort& e : efforts) {
            if (cleared.insert(e.start).second) {
                clear.Bind(1, e.start);
                ok = ok && clear.Step() == SQLITE_DONE;
                clear.Reset();
            }
            add.Bind(1, e.start);
            add.Bind(2, e.metres);
            add.Bind(3, e.seconds);
            ok = ok && add.Step() == SQLITE_DONE;
            add.Reset();
        }
    }
    if (!ok || !change.Commit()) {
        return Failed("cannot keep the best efforts");
    }
    return {};
}

ActivityStore::Outcome RecordStore::Failed(const char* what) const {
    const char* why = store.Connection() ? sqlite3_errmsg(store.Connection()) : "no file";
    return {ActivityStore::Code::Failed, store.FileName() + ": " + what + " (" + why + ")"};
}

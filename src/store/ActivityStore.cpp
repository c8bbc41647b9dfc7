#include "store/ActivityStore.h"

#include "store/ActivityFileCopy.h"
#include "store/FileIo.h"
#include "store/LogBookDatabase.h"
#include "store/SqlStatement.h"
#include "store/SqlTransaction.h"
#include "store/SqliteLibrary.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Why a file could not be opened as a database: when SQLite itself could not be loaded, that.
std::string CannotOpen() {
    const std::string& problem = SqliteLibrary::Problem();
    return problem.empty() ? "cannot be opened" : "cannot be opened: " + problem;
}

using Statement = SqlStatement;

// Each step takes a file of the version before it to the next; a file records in
// user_version how many it has had. Steps are only ever added at the end.
const char* const kMigrations[ActivityStore::kVersion] = {
    // 1: the activities, and the settings of the import (the unit of its distances).
    "CREATE TABLE activity("
    " id INTEGER PRIMARY KEY,"
    " day INTEGER NOT NULL,"
    " start INTEGER NOT NULL,"
    " sport TEXT NOT NULL,"
    " metres REAL NOT NULL,"
    " moving INTEGER NOT NULL,"
    " elapsed INTEGER NOT NULL,"
    " avg_hr INTEGER NOT NULL,"
    " max_hr INTEGER NOT NULL,"
    " calories INTEGER NOT NULL,"
    " ascent REAL,"
    " file TEXT NOT NULL,"
    " file_hash INTEGER NOT NULL,"
    " note TEXT NOT NULL);"
    "CREATE TABLE setting(name TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID;",
    // 2: a day's activities, and those near a start, found without reading them all.
    "CREATE INDEX activity_day ON activity(day, start);"
    "CREATE INDEX activity_start ON activity(start);",
    // 3: the day records an import is about to store, kept until the logbook holds them.
    "CREATE TABLE planned_day(day INTEGER PRIMARY KEY, record BLOB NOT NULL);",
    // 4: the user's goals (GoalStore): recurring periods carry first = last = 0; amounts in
    // metres, seconds or counts.
    "CREATE TABLE goal(id INTEGER PRIMARY KEY, period TEXT NOT NULL, first INTEGER NOT NULL,"
    " last INTEGER NOT NULL, quantity TEXT NOT NULL, sport TEXT NOT NULL, amount REAL NOT NULL);",
    // 5: gear, and the activities (by start) and the days without activities carrying it.
    "CREATE TABLE gear("
    " id INTEGER PRIMARY KEY,"
    " name TEXT NOT NULL UNIQUE,"
    " kind TEXT NOT NULL,"
    " sports TEXT NOT NULL,"
    " first_use INTEGER NOT NULL,"
    " retired INTEGER NOT NULL,"
    " start_metres REAL NOT NULL,"
    " limit_metres REAL NOT NULL,"
    " limit_seconds INTEGER NOT NULL,"
    " default_for TEXT NOT NULL,"
    " notes TEXT NOT NULL);"
    "CREATE TABLE gear_activity(gear INTEGER NOT NULL, start INTEGER NOT NULL,"
    " PRIMARY KEY(gear, start)) WITHOUT ROWID;"
    "CREATE INDEX gear_activity_start ON gear_activity(start);"
    "CREATE TABLE gear_day(gear INTEGER NOT NULL, day INTEGER NOT NULL,"
    " PRIMARY KEY(gear, day)) WITHOUT ROWID;",
    // 6: what records leave out or count as a race, and the best efforts of tracks, by the
    // activity's start (its id changes when undo or an import puts it back) or the day.
    "CREATE TABLE record_mark(kind INTEGER NOT NULL, key INTEGER NOT NULL,"
    " PRIMARY KEY(kind, key)) WITHOUT ROWID;"
    "CREATE TABLE best_effort(start INTEGER NOT NULL, metres REAL NOT NULL,"
    " seconds REAL NOT NULL, PRIMARY KEY(start, metres)) WITHOUT ROWID;",
};

// A logbook named NAME.vra, or linked there, would be taken for its own activities file.
const char* const kIsTheLogbook = "is the logbook itself or its index; no activities are kept "
                                  "beside this logbook";

const char* const kColumns = "SELECT id, day, start, sport, metres, moving, elapsed, avg_hr, "
                             "max_hr, calories, ascent, file, file_hash, note FROM activity ";

std::int32_t Int32(std::int64_t value) {
    return value < INT32_MIN   ? INT32_MIN
           : value > INT32_MAX ? INT32_MAX
                               : static_cast<std::int32_t>(value);
}

ActivityRow RowOf(const Statement& s) {
    ActivityRow row;
    row.id = s.Int(0);
    row.day = Int32(s.Int(1));
    row.start = s.Int(2);
    row.sport = s.Text(3);
    row.metres = s.Real(4);
    row.movingSeconds = Int32(s.Int(5));
    row.elapsedSeconds = Int32(s.Int(6));
    row.avgHeartRate = Int32(s.Int(7));
    row.maxHeartRate = Int32(s.Int(8));
    row.calories = Int32(s.Int(9));
    if (!s.Null(10)) {
        row.ascent = s.Real(10);
    }
    row.file = s.Text(11);
    row.fileHash = static_cast<std::uint64_t>(s.Int(12));
    row.note = s.Text(13);
    return row;
}

bool Damage(int code) {
    return code == SQLITE_NOTADB || code == SQLITE_CORRUPT;
}

int UserVersion(sqlite3* db, int& version) {
    Statement s(db, "PRAGMA user_version");
    if (!s.Prepared()) {
        return s.Status();
    }
    if (s.Step() != SQLITE_ROW) {
        return s.Status();
    }
    version = static_cast<int>(s.Int(0));
    return SQLITE_OK;
}

} // namespace

ActivityStore::~ActivityStore() {
    Close();
}

std::string ActivityStore::NameFor(const std::string& logbook) {
    return ActivityFileCopy::NameFor(logbook);
}

void ActivityStore::Close() {
    sqlite3_close_v2(db);
    db = nullptr;
    version = 0;
}

ActivityStore::Outcome ActivityStore::Failure(Code code, const std::string& what) const {
    std::string words = fileName + " " + what;
    if (db && code == Code::Failed) {
        words += " (" + std::string(sqlite3_errmsg(db)) + ")";
    }
    return {code, words};
}

ActivityStore::Outcome ActivityStore::Open(const LogBookDatabase& logbook, bool write) {
    Close();
    writable = false;
    if (!logbook.IsOpen()) {
        return {Code::Failed, "no logbook is open"};
    }
    // Beside the file a link names, so the activities stay with the days they make.
    logbookFile = fileio::Resolved(logbook.DataFileName());
    fileName = NameFor(logbookFile);
    if (logbook.Holds(fileName)) {
        return Failure(Code::Failed, kIsTheLogbook);
    }
    writable = write;
    struct stat info {};
    if (::stat(fileName.c_str(), &info) != 0) {
        if (errno == ENOENT) {
            return {Code::Missing, ""};
        }
        writable = false;
        return Failure(Code::Failed, "cannot be read: " + fileio::Reason(errno));
    }
    if (!S_ISREG(info.st_mode)) {
        writable = false;
        return Failure(Code::Failed, "is not a regular file; the activities are left out");
    }
    return OpenFile(write);
}

ActivityStore::Outcome ActivityStore::OpenFile(bool write) {
    // Opened to write even when only read, where the file allows: a change that a killed
    // program left half done is rolled back before anything is read.
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    const int opened = sqlite3_open_v2(fileName.c_str(), &db, flags, nullptr);
    if (opened != SQLITE_OK) {
        const Outcome failed = Failure(Code::Failed, CannotOpen());
        Close();
        writable = false;
        return failed;
    }
    writable = write && sqlite3_db_readonly(db, "main") == 0;
    // Readers share the logbook: one rolling back what a killed writer left is waited for.
    sqlite3_busy_timeout(db, 5000);
    // Rollback journal: a change leaves no file behind once it is done.
    sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;", nullptr, nullptr,
                 nullptr);
    const int read = UserVersion(db, version);
    if (read != SQLITE_OK) {
        const Outcome failed =
            Damage(read) ? Failure(Code::Damaged, "is damaged: it is not an activities file; "
                                                  "veloria-logbook check --repair sets it aside")
                         : Failure(Code::Failed, "cannot be read");
        Close();
        writable = false;
        return failed;
    }
    // A journal still there once the first read has rolled back any change it held was
    // left by a program killed as it began one; the logbook's lock shuts every other writer
    // out, so it is no one's.
    if (sqlite3_db_readonly(db, "main") == 0) {
        ::unlink((fileName + "-journal").c_str());
    }
    if (version > kVersion && write) {
        writable = false;
        return Failure(Code::Newer, "was written by a newer Veloria: its activities are read "
                                    "but not changed");
    }
    // An older file that may only be read is read as it is: each step only adds.
    if (version < kVersion && writable) {
        if (const Outcome migrated = Migrate(); !migrated.Ok()) {
            Close();
            writable = false;
            return migrated;
        }
    }
    if (write && !writable) {
        return Failure(Code::ReadOnly, "is read-only: its activities are read but not changed");
    }
    return {};
}

ActivityStore::Outcome ActivityStore::Migrate() {
    if (UserVersion(db, version) != SQLITE_OK) {
        return Failure(Code::Failed, "cannot be brought up to date");
    }
    SqlTransaction change(db);
    if (!change.Begun()) {
        return Failure(Code::Failed, "cannot be brought up to date");
    }
    for (int step = version; step < kVersion; ++step) {
        if (sqlite3_exec(db, kMigrations[step], nullptr, nullptr, nullptr) != SQLITE_OK) {
            return Failure(Code::Failed, "cannot be brought up to date");
        }
    }
    const std::string setVersion = "PRAGMA user_version=" + std::to_string(kVersion);
    if (sqlite3_exec(db, setVersion.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK ||
        !change.Commit()) {
        return Failure(Code::Failed, "cannot be brought up to date");
    }
    version = kVersion;
    return {};
}

ActivityStore::Outcome ActivityStore::Read(std::int32_t first, std::int32_t last,
                                           std::vector<ActivityRow>& rows) const {
    return Select("WHERE day BETWEEN ?1 AND ?2 ORDER BY day, start, id", first,
                  last == 0 ? INT32_MAX : last, rows);
}

ActivityStore::Outcome ActivityStore::Starting(std::int64_t first, std::int64_t last,
                                               std::vector<ActivityRow>& rows) const {
    return Select("WHERE start BETWEEN ?1 AND ?2 ORDER BY start, id", first, last, rows);
}

ActivityStore::Outcome ActivityStore::Select(const char* where, std::int64_t first,
                                             std::int64_t last,
                                             std::vector<ActivityRow>& rows) const {
    rows.clear();
    if (!db || version == 0) {
        return {db ? Code::Ok : Code::Missing, ""}; // a file whose making was cut short is empty
    }
    Statement s(db, (std::string(kColumns) + where).c_str());
    s.Bind(1, first);
    s.Bind(2, last);
    while (s.Prepared() && s.Step() == SQLITE_ROW) {
        rows.push_back(RowOf(s));
    }
    if (s.Status() != SQLITE_DONE) {
        rows.clear();
        return Failure(Damage(s.Status()) ? Code::Damaged : Code::Failed, "cannot be read");
    }
    return {};
}

std::string ActivityStore::Unit() const {
    if (!db) {
        return "km";
    }
    Statement s(db, "SELECT value FROM setting WHERE name = 'unit'");
    return s.Prepared() && s.Step() == SQLITE_ROW && s.Text(0) == "mi" ? "mi" : "km";
}

ActivityStore::Outcome ActivityStore::Ready() {
    if (!db && writable) {
        if (!SqliteLibrary::Problem().empty()) {
            return Failure(Code::Failed, CannotOpen()); // and no empty file is left
        }
        // Made empty (an empty file is an empty database) with the logbook's permissions and
        // owner, so that the activities are as private as the days.
        struct stat info {};
        const mode_t mode = ::stat(logbookFile.c_str(), &info) == 0 ? info.st_mode & 0666 : 0600;
        const int fd = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0) {
            return Failure(Code::Failed, "cannot be created: " + fileio::Reason(errno));
        }
        if (::geteuid() == 0) {
            [[maybe_unused]] const int kept = ::fchown(fd, info.st_uid, info.st_gid);
        }
        ::close(fd);
        if (const Outcome created = OpenFile(true); !created.Ok()) {
            return created;
        }
        fileio::SyncFolder(fileName);
    }
    if (!db) {
        return Failure(Code::Failed, "cannot be changed: it could not be opened");
    }
    if (!writable) {
        return Failure(Code::ReadOnly, "is read-only: nothing can be stored in it");
    }
    return {};
}

std::string ActivityStore::Setting(const std::string& name) const {
    if (!db || version == 0) {
        return {};
    }
    Statement s(db, "SELECT value FROM setting WHERE name = ?1");
    s.Bind(1, name);
    return s.Prepared() && s.Step() == SQLITE_ROW ? s.Text(0) : std::string();
}

ActivityStore::Outcome ActivityStore::SetSetting(const std::string& name,
                                                 const std::string& value) {
    if (const Outcome ready = Ready(); !ready.Ok()) {
        return ready;
    }
    Statement s(db, "INSERT OR REPLACE INTO setting(name, value) VALUES(?1, ?2)");
    s.Bind(1, name);
    s.Bind(2, value);
    if (s.Step() != SQLITE_DONE) {
        return Failure(Code::Failed, "cannot be changed");
    }
    return {};
}

std::string ActivityStore::DefaultSport() const {
    const std::string sport = Setting("default_sport");
    return sport.empty() ? "Running" : sport;
}

ActivityStore::Outcome ActivityStore::Change(const std::vector<std::int64_t>& remove,
                                             std::vector<ActivityRow>& add, const std::string& unit,
                                             const std::vector<DayRecord>& planned,
                                             const std::vector<std::int32_t>& settled) {
    if (const Outcome ready = Ready(); !ready.Ok()) {
        return ready;
    }
    // Rolled back as it goes, after the failure has taken SQLite's words.
    SqlTransaction change(db);
    const auto fail = [&](const char* what) { return Failure(Code::Failed, what); };
    if (!change.Begun()) {
        return fail("cannot be changed");
    }
    Statement erase(db, "DELETE FROM activity WHERE id = ?1");
    for (const std::int64_t id : remove) {
        erase.Bind(1, id);
        if (erase.Step() != SQLITE_DONE) {
            return fail("cannot be changed");
        }
        erase.Reset();
    }
    Statement insert(db, "INSERT INTO activity(day, start, sport, metres, moving, elapsed, "
                         "avg_hr, max_hr, calories, ascent, file, file_hash, note) "
                         "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13)");
    for (ActivityRow& row : add) {
        insert.Bind(1, static_cast<std::int64_t>(row.day));
        insert.Bind(2, row.start);
        insert.Bind(3, row.sport);
        insert.Bind(4, row.metres);
        insert.Bind(5, static_cast<std::int64_t>(row.movingSeconds));
        insert.Bind(6, static_cast<std::int64_t>(row.elapsedSeconds));
        insert.Bind(7, static_cast<std::int64_t>(row.avgHeartRate));
        insert.Bind(8, static_cast<std::int64_t>(row.maxHeartRate));
        insert.Bind(9, static_cast<std::int64_t>(row.calories));
        if (row.ascent) {
            insert.Bind(10, *row.ascent);
        } else {
            insert.BindNull(10);
        }
        insert.Bind(11, row.file);
        insert.Bind(12, static_cast<std::int64_t>(row.fileHash));
        insert.Bind(13, row.note);
        if (insert.Step() != SQLITE_DONE) {
            return fail("cannot be changed");
        }
        row.id = sqlite3_last_insert_rowid(db);
        insert.Reset();
    }
    Statement unplan(db, "DELETE FROM planned_day WHERE day = ?1");
    for (const std::int32_t day : settled) {
        unplan.Bind(1, static_cast<std::int64_t>(day));
        if (unplan.Step() != SQLITE_DONE) {
            return fail("cannot be changed");
        }
        unplan.Reset();
    }
    Statement plan(db, "INSERT OR REPLACE INTO planned_day(day, record) VALUES(?1, ?2)");
    for (const DayRecord& record : planned) {
        unsigned char bytes[DayRecord::kSize];
        record.ToBytes(bytes);
        plan.Bind(1, static_cast<std::int64_t>(record.dateKey));
        plan.Bind(2, bytes, sizeof bytes);
        if (plan.Step() != SQLITE_DONE) {
            return fail("cannot be changed");
        }
        plan.Reset();
    }
    Statement setting(db, "INSERT OR REPLACE INTO setting(name, value) VALUES('unit', ?1)");
    setting.Bind(1, unit);
    if (setting.Step() != SQLITE_DONE || !change.Commit()) {
        return fail("cannot be changed");
    }
    return {};
}

ActivityStore::Outcome ActivityStore::Settle(const std::vector<std::int32_t>& days) {
    if (!db || !writable) {
        return Failure(Code::Failed, "cannot be changed");
    }
    SqlTransaction change(db);
    if (!change.Begun()) {
        return Failure(Code::Failed, "cannot be changed");
    }
    Statement unplan(db, "DELETE FROM planned_day WHERE day = ?1");
    for (const std::int32_t day : days) {
        unplan.Bind(1, static_cast<std::int64_t>(day));
        if (unplan.Step() != SQLITE_DONE) {
            return Failure(Code::Failed, "cannot be changed");
        }
        unplan.Reset();
    }
    if (!change.Commit()) {
        return Failure(Code::Failed, "cannot be changed");
    }
    return {};
}

ActivityStore::Outcome ActivityStore::Planned(std::vector<DayRecord>& records) const {
    records.clear();
    if (!db || version < 3) {
        return {db ? Code::Ok : Code::Missing, ""}; // no import of this file planned any day
    }
    Statement s(db, "SELECT day, record FROM planned_day ORDER BY day");
    while (s.Prepared() && s.Step() == SQLITE_ROW) {
        // A record of another size or for another day is no import's: it is left out.
        const std::string bytes = s.Bytes(1);
        if (bytes.size() != DayRecord::kSize) {
            continue;
        }
        const DayRecord record =
            DayRecord::FromBytes(reinterpret_cast<const unsigned char*>(bytes.data()));
        if (record.dateKey == s.Int(0)) {
            records.push_back(record);
        }
    }
    if (s.Status() != SQLITE_DONE) {
        records.clear();
        return Failure(Damage(s.Status()) ? Code::Damaged : Code::Failed, "cannot be read");
    }
    return {};
}

ActivityStore::Outcome ActivityStore::SettleWritten(LogBookDatabase& logbook) {
    std::vector<DayRecord> planned;
    if (const Outcome read = Planned(planned); !read.Ok() || planned.empty()) {
        return read;
    }
    std::vector<std::int32_t> written;
    for (const DayRecord& record : planned) {
        if (Holds(logbook, record)) {
            written.push_back(record.dateKey);
        }
    }
    return written.empty() ? Outcome{} : Settle(written);
}

bool ActivityStore::Holds(LogBookDatabase& logbook, const DayRecord& planned) {
    const std::int32_t key = planned.dateKey;
    DayRecord day = DayRecord::Blank(key);
    const bool live = logbook.ReadDay(DateValue::Of(key / 10000, key / 100 % 100, key % 100),
                                      day) == LogBookDatabase::ReadResult::Read &&
                      day.erased == 0;
    if (planned.erased != 0 || !live) {
        return planned.erased != 0 && !live;
    }
    unsigned char held[DayRecord::kSize];
    unsigned char wanted[DayRecord::kSize];
    day.ToBytes(held);
    planned.ToBytes(wanted);
    return std::memcmp(held, wanted, DayRecord::kSize) == 0;
}

ActivityStore::Outcome ActivityStore::Check(const LogBookDatabase& logbook) {
    if (!logbook.IsOpen()) {
        return {Code::Failed, "no logbook is open"};
    }
    ActivityStore store;
    store.fileName = NameFor(fileio::Resolved(logbook.DataFileName()));
    if (logbook.Holds(store.fileName)) {
        return store.Failure(Code::Failed, kIsTheLogbook);
    }
    struct stat info {};
    if (::stat(store.fileName.c_str(), &info) != 0) {
        return errno == ENOENT
                   ? Outcome{Code::Missing, ""}
                   : store.Failure(Code::Failed, "cannot be read: " + fileio::Reason(errno));
    }
    if (!S_ISREG(info.st_mode)) {
        return store.Failure(Code::Failed, "is not a regular file");
    }
    if (sqlite3_open_v2(store.fileName.c_str(), &store.db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        return store.Failure(Code::Failed, CannotOpen());
    }
    sqlite3_busy_timeout(store.db, 5000);
    Statement s(store.db, "PRAGMA integrity_check(1)");
    if (!s.Prepared() || s.Step() != SQLITE_ROW) {
        return Damage(s.Status()) ? store.Failure(Code::Damaged, "is damaged: not a database")
                                  : store.Failure(Code::Failed, "cannot be checked");
    }
    if (const std::string verdict = s.Text(0); verdict != "ok") {
        return store.Failure(Code::Damaged, "is damaged: " + verdict);
    }
    return {};
}

ActivityStore::Outcome ActivityStore::SetAside(const LogBookDatabase& logbook,
                                               std::string& savedAs) {
    if (!logbook.HeldAlone()) {
        return {Code::Failed, "the logbook is not held alone"};
    }
    const std::string name = NameFor(fileio::Resolved(logbook.DataFileName()));
    if (logbook.Holds(name)) {
        return {Code::Failed, name + " " + kIsTheLogbook};
    }
    if (!ActivityFileCopy::SetAside(name, "damaged", savedAs)) {
        return {Code::Failed, name + " cannot be set aside: " + fileio::Reason(errno)};
    }
    return {};
}

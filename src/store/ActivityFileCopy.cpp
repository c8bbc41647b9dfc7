#include "store/ActivityFileCopy.h"

#include "store/FileIo.h"
#include "store/IndexFile.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A connection, closed when it goes.
struct Connection {
    sqlite3* db = nullptr;
    ~Connection() { sqlite3_close_v2(db); }
    std::string Error() const { return db ? sqlite3_errmsg(db) : "out of memory"; }
};

// A URI naming the file as immutable: SQLite neither locks it nor looks for a journal.
std::string ImmutableUri(const std::string& path) {
    std::string uri = "file:";
    for (const char c : path) {
        if (c == '%' || c == '?' || c == '#') {
            static const char* const kHex = "0123456789ABCDEF";
            uri += '%';
            uri += kHex[static_cast<unsigned char>(c) >> 4];
            uri += kHex[static_cast<unsigned char>(c) & 15];
        } else {
            uri += c;
        }
    }
    return uri + "?immutable=1";
}

// The activities a database holds; 0 for a file whose making was cut short (no tables).
bool CountActivities(sqlite3* db, int& count) {
    count = 0;
    sqlite3_stmt* s = nullptr;
    bool ok = sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_schema WHERE name = 'activity'",
                                 -1, &s, nullptr) == SQLITE_OK &&
              sqlite3_step(s) == SQLITE_ROW;
    const bool table = ok && sqlite3_column_int(s, 0) > 0;
    sqlite3_finalize(s);
    if (!ok || !table) {
        return ok;
    }
    s = nullptr;
    ok = sqlite3_prepare_v2(db, "SELECT count(*) FROM activity", -1, &s, nullptr) == SQLITE_OK &&
         sqlite3_step(s) == SQLITE_ROW;
    count = ok ? sqlite3_column_int(s, 0) : 0;
    sqlite3_finalize(s);
    return ok;
}

// Copies the whole of from's main database into to's, as one transaction of to.
bool BackUpInto(sqlite3* to, sqlite3* from, std::string& why) {
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup) {
        why = sqlite3_errmsg(to);
        return false;
    }
    int step = SQLITE_OK;
    do {
        step = sqlite3_backup_step(backup, -1);
        if (step == SQLITE_BUSY || step == SQLITE_LOCKED) {
            sqlite3_sleep(50);
        }
    } while (step == SQLITE_OK || step == SQLITE_BUSY || step == SQLITE_LOCKED);
    const int finished = sqlite3_backup_finish(backup);
    if (step != SQLITE_DONE || finished != SQLITE_OK) {
        why = sqlite3_errstr(step != SQLITE_DONE ? step : finished);
        return false;
    }
    return true;
}

} // namespace

std::string ActivityFileCopy::NameFor(const std::string& logbook) {
    const std::string index = IndexFile::NameFor(logbook);
    return index.substr(0, index.size() - 4) + ".vra";
}

bool ActivityFileCopy::Snapshot(const std::string& live, std::string& bytes, int& count,
                                std::string& why) {
    bytes.clear();
    count = 0;
    struct stat info {};
    if (::stat(live.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        why = ::stat(live.c_str(), &info) != 0 ? fileio::Reason(errno) : "not a regular file";
        return false;
    }
    // Opened to write where the file allows, so a change a killed program left half done is
    // rolled back before it is copied; it is only read otherwise.
    Connection source;
    Connection memory;
    if (sqlite3_open_v2(live.c_str(), &source.db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
        sqlite3_open_v2(":memory:", &memory.db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        why = source.Error();
        return false;
    }
    sqlite3_busy_timeout(source.db, 5000);
    if (!BackUpInto(memory.db, source.db, why)) {
        return false;
    }
    if (!CountActivities(memory.db, count)) {
        why = memory.Error();
        return false;
    }
    sqlite3_int64 size = 0;
    if (unsigned char* copy = sqlite3_serialize(memory.db, "main", &size, 0)) {
        bytes.assign(reinterpret_cast<const char*>(copy), static_cast<std::size_t>(size));
        sqlite3_free(copy);
    }
    return true;
}

bool ActivityFileCopy::Check(const std::string& copy, int& count, std::string& why) {
    count = 0;
    Connection db;
    if (sqlite3_open_v2(ImmutableUri(copy).c_str(), &db.db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI,
                        nullptr) != SQLITE_OK) {
        why = "cannot be opened";
        return false;
    }
    sqlite3_stmt* s = nullptr;
    const bool ran =
        sqlite3_prepare_v2(db.db, "PRAGMA integrity_check(1)", -1, &s, nullptr) == SQLITE_OK &&
        sqlite3_step(s) == SQLITE_ROW;
    const std::string verdict =
        ran ? reinterpret_cast<const char*>(sqlite3_column_text(s, 0)) : db.Error();
    sqlite3_finalize(s);
    if (!ran || verdict != "ok") {
        why = "fails its integrity check (" + verdict + ")";
        return false;
    }
    if (!CountActivities(db.db, count)) {
        why = "holds activities that cannot be counted (" + db.Error() + ")";
        return false;
    }
    return true;
}

bool ActivityFileCopy::Restore(const std::string& copy, const std::string& live, unsigned mode,
                               int uid, int gid, std::string& why) {
    struct stat info {};
    if (::lstat(live.c_str(), &info) != 0) {
        const int fd = ::open(live.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode & 0666);
        if (fd < 0) {
            why = fileio::Reason(errno);
            return false;
        }
        if (::geteuid() == 0) {
            [[maybe_unused]] const int kept =
                ::fchown(fd, static_cast<uid_t>(uid), static_cast<gid_t>(gid));
        }
        ::close(fd);
        fileio::SyncFolder(live);
    }
    Connection to;
    Connection from;
    if (sqlite3_open_v2(live.c_str(), &to.db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        why = to.Error();
        return false;
    }
    if (sqlite3_open_v2(ImmutableUri(copy).c_str(), &from.db,
                        SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) != SQLITE_OK) {
        why = from.Error();
        return false;
    }
    sqlite3_busy_timeout(to.db, 5000);
    sqlite3_exec(to.db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;", nullptr, nullptr,
                 nullptr);
    return BackUpInto(to.db, from.db, why);
}

bool ActivityFileCopy::SetAside(const std::string& name, const std::string& tag,
                                std::string& savedAs) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = name + "." + tag + "-" + stamp;
    std::string aside = base;
    struct stat info {};
    for (int n = 1; ::lstat(aside.c_str(), &info) == 0 && n < 100; ++n) {
        aside = base + "." + std::to_string(n);
    }
    if (::lstat(aside.c_str(), &info) == 0) {
        errno = EEXIST;
        return false;
    }
    if (::rename(name.c_str(), aside.c_str()) != 0) {
        return false;
    }
    // Its journal goes with it, so that no new file of the name is ever "rolled back" by it.
    const std::string journal = name + "-journal";
    if (::lstat(journal.c_str(), &info) == 0) {
        ::rename(journal.c_str(), (aside + "-journal").c_str());
    }
    fileio::SyncFolder(name);
    savedAs = aside;
    return true;
}

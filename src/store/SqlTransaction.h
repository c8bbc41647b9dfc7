#pragma once
// One change to an SQLite file, whole or not at all: begun at once (the file's write lock
// taken), rolled back when it goes uncommitted.

#include <sqlite3.h>

class SqlTransaction {
public:
    explicit SqlTransaction(sqlite3* db) : db(db) {
        begun = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~SqlTransaction() {
        if (begun) {
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        }
    }
    SqlTransaction(const SqlTransaction&) = delete;
    SqlTransaction& operator=(const SqlTransaction&) = delete;

    bool Begun() const { return begun; }
    bool Commit() {
        const bool done = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
        begun = !done;
        return done;
    }

private:
    sqlite3* db;
    bool begun;
};

#include "store/SqliteLibrary.h"

#include <sqlite3.h>

#include <dlfcn.h>

namespace {

// The library's functions the program calls, under their own names.
struct Api {
    decltype(&::sqlite3_open) open;
    decltype(&::sqlite3_open_v2) open_v2;
    decltype(&::sqlite3_close) close;
    decltype(&::sqlite3_close_v2) close_v2;
    decltype(&::sqlite3_exec) exec;
    decltype(&::sqlite3_errmsg) errmsg;
    decltype(&::sqlite3_errstr) errstr;
    decltype(&::sqlite3_busy_timeout) busy_timeout;
    decltype(&::sqlite3_last_insert_rowid) last_insert_rowid;
    decltype(&::sqlite3_changes) changes;
    decltype(&::sqlite3_db_readonly) db_readonly;
    decltype(&::sqlite3_sleep) sleep;
    decltype(&::sqlite3_serialize) serialize;
    decltype(&::sqlite3_free) free;
    decltype(&::sqlite3_prepare_v2) prepare_v2;
    decltype(&::sqlite3_step) step;
    decltype(&::sqlite3_reset) reset;
    decltype(&::sqlite3_finalize) finalize;
    decltype(&::sqlite3_clear_bindings) clear_bindings;
    decltype(&::sqlite3_bind_blob) bind_blob;
    decltype(&::sqlite3_bind_double) bind_double;
    decltype(&::sqlite3_bind_int64) bind_int64;
    decltype(&::sqlite3_bind_null) bind_null;
    decltype(&::sqlite3_bind_text) bind_text;
    decltype(&::sqlite3_column_blob) column_blob;
    decltype(&::sqlite3_column_double) column_double;
    decltype(&::sqlite3_column_int) column_int;
    decltype(&::sqlite3_column_int64) column_int64;
    decltype(&::sqlite3_column_text) column_text;
    decltype(&::sqlite3_column_bytes) column_bytes;
    decltype(&::sqlite3_column_type) column_type;
    decltype(&::sqlite3_backup_init) backup_init;
    decltype(&::sqlite3_backup_step) backup_step;
    decltype(&::sqlite3_backup_finish) backup_finish;
};

struct Loaded {
    Api api{};
    std::string problem;
};

std::string& FileName() {
    static std::string name = SqliteLibrary::kFileName;
    return name;
}

template <typename F> bool Find(void* handle, const char* name, F& function, std::string& problem) {
    function = reinterpret_cast<F>(::dlsym(handle, name));
    if (!function && problem.empty()) {
        problem = FileName() + " has no " + name;
    }
    return function != nullptr;
}

Loaded Load() {
    Loaded loaded;
    // Kept open for the rest of the run: the program's handles point into it.
    void* handle = ::dlopen(FileName().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = ::dlerror();
        loaded.problem = FileName() + " cannot be loaded: " + (why ? why : "unknown reason");
        return loaded;
    }
    Api& a = loaded.api;
    std::string& p = loaded.problem;
    Find(handle, "sqlite3_open", a.open, p);
    Find(handle, "sqlite3_open_v2", a.open_v2, p);
    Find(handle, "sqlite3_close", a.close, p);
    Find(handle, "sqlite3_close_v2", a.close_v2, p);
    Find(handle, "sqlite3_exec", a.exec, p);
    Find(handle, "sqlite3_errmsg", a.errmsg, p);
    Find(handle, "sqlite3_errstr", a.errstr, p);
    Find(handle, "sqlite3_busy_timeout", a.busy_timeout, p);
    Find(handle, "sqlite3_last_insert_rowid", a.last_insert_rowid, p);
    Find(handle, "sqlite3_changes", a.changes, p);
    Find(handle, "sqlite3_db_readonly", a.db_readonly, p);
    Find(handle, "sqlite3_sleep", a.sleep, p);
    Find(handle, "sqlite3_serialize", a.serialize, p);
    Find(handle, "sqlite3_free", a.free, p);
    Find(handle, "sqlite3_prepare_v2", a.prepare_v2, p);
    Find(handle, "sqlite3_step", a.step, p);
    Find(handle, "sqlite3_reset", a.reset, p);
    Find(handle, "sqlite3_finalize", a.finalize, p);
    Find(handle, "sqlite3_clear_bindings", a.clear_bindings, p);
    Find(handle, "sqlite3_bind_blob", a.bind_blob, p);
    Find(handle, "sqlite3_bind_double", a.bind_double, p);
    Find(handle, "sqlite3_bind_int64", a.bind_int64, p);
    Find(handle, "sqlite3_bind_null", a.bind_null, p);
    Find(handle, "sqlite3_bind_text", a.bind_text, p);
    Find(handle, "sqlite3_column_blob", a.column_blob, p);
    Find(handle, "sqlite3_column_double", a.column_double, p);
    Find(handle, "sqlite3_column_int", a.column_int, p);
    Find(handle, "sqlite3_column_int64", a.column_int64, p);
    Find(handle, "sqlite3_column_text", a.column_text, p);
    Find(handle, "sqlite3_column_bytes", a.column_bytes, p);
    Find(handle, "sqlite3_column_type", a.column_type, p);
    Find(handle, "sqlite3_backup_init", a.backup_init, p);
    Find(handle, "sqlite3_backup_step", a.backup_step, p);
    Find(handle, "sqlite3_backup_finish", a.backup_finish, p);
    return loaded;
}

const Loaded& Library() {
    static const Loaded loaded = Load();
    return loaded;
}

// The functions, or null when the library could not be loaded.
const Api* Functions() {
    const Loaded& loaded = Library();
    return loaded.problem.empty() ? &loaded.api : nullptr;
}

} // namespace

const std::string& SqliteLibrary::Problem() {
    return Library().problem;
}

void SqliteLibrary::UseFile(const std::string& fileName) {
    FileName() = fileName;
}

// Without the library no database opens, so every other call has no handle to work on.

int sqlite3_open(const char* filename, sqlite3** db) {
    const Api* f = Functions();
    if (!f) {
        *db = nullptr;
        return SQLITE_CANTOPEN;
    }
    return f->open(filename, db);
}

int sqlite3_open_v2(const char* filename, sqlite3** db, int flags, const char* vfs) {
    const Api* f = Functions();
    if (!f) {
        *db = nullptr;
        return SQLITE_CANTOPEN;
    }
    return f->open_v2(filename, db, flags, vfs);
}

int sqlite3_close(sqlite3* db) {
    const Api* f = Functions();
    return f ? f->close(db) : SQLITE_OK;
}

int sqlite3_close_v2(sqlite3* db) {
    const Api* f = Functions();
    return f ? f->close_v2(db) : SQLITE_OK;
}

int sqlite3_exec(sqlite3* db, const char* sql, int (*callback)(void*, int, char**, char**),
                 void* argument, char** message) {
    const Api* f = Functions();
    return f ? f->exec(db, sql, callback, argument, message) : SQLITE_MISUSE;
}

const char* sqlite3_errmsg(sqlite3* db) {
    const Api* f = Functions();
    return f ? f->errmsg(db) : SqliteLibrary::Problem().c_str();
}

const char* sqlite3_errstr(int code) {
    const Api* f = Functions();
    return f ? f->errstr(code) : SqliteLibrary::Problem().c_str();
}

int sqlite3_busy_timeout(sqlite3* db, int milliseconds) {
    const Api* f = Functions();
    return f ? f->busy_timeout(db, milliseconds) : SQLITE_MISUSE;
}

sqlite3_int64 sqlite3_last_insert_rowid(sqlite3* db) {
    const Api* f = Functions();
    return f ? f->last_insert_rowid(db) : 0;
}

int sqlite3_changes(sqlite3* db) {
    const Api* f = Functions();
    return f ? f->changes(db) : 0;
}

int sqlite3_db_readonly(sqlite3* db, const char* name) {
    const Api* f = Functions();
    return f ? f->db_readonly(db, name) : -1;
}

int sqlite3_sleep(int milliseconds) {
    const Api* f = Functions();
    return f ? f->sleep(milliseconds) : 0;
}

unsigned char* sqlite3_serialize(sqlite3* db, const char* schema, sqlite3_int64* size,
                                 unsigned int flags) {
    const Api* f = Functions();
    return f ? f->serialize(db, schema, size, flags) : nullptr;
}

void sqlite3_free(void* memory) {
    if (const Api* f = Functions()) {
        f->free(memory);
    }
}

int sqlite3_prepare_v2(sqlite3* db, const char* sql, int bytes, sqlite3_stmt** statement,
                       const char** tail) {
    const Api* f = Functions();
    if (!f) {
        *statement = nullptr;
        return SQLITE_MISUSE;
    }
    return f->prepare_v2(db, sql, bytes, statement, tail);
}

int sqlite3_step(sqlite3_stmt* statement) {
    const Api* f = Functions();
    return f ? f->step(statement) : SQLITE_MISUSE;
}

int sqlite3_reset(sqlite3_stmt* statement) {
    const Api* f = Functions();
    return f ? f->reset(statement) : SQLITE_MISUSE;
}

int sqlite3_finalize(sqlite3_stmt* statement) {
    const Api* f = Functions();
    return f ? f->finalize(statement) : SQLITE_OK;
}

int sqlite3_clear_bindings(sqlite3_stmt* statement) {
    const Api* f = Functions();
    return f ? f->clear_bindings(statement) : SQLITE_MISUSE;
}

int sqlite3_bind_blob(sqlite3_stmt* statement, int index, const void* bytes, int size,
                      void (*destructor)(void*)) {
    const Api* f = Functions();
    return f ? f->bind_blob(statement, index, bytes, size, destructor) : SQLITE_MISUSE;
}

int sqlite3_bind_double(sqlite3_stmt* statement, int index, double value) {
    const Api* f = Functions();
    return f ? f->bind_double(statement, index, value) : SQLITE_MISUSE;
}

int sqlite3_bind_int64(sqlite3_stmt* statement, int index, sqlite3_int64 value) {
    const Api* f = Functions();
    return f ? f->bind_int64(statement, index, value) : SQLITE_MISUSE;
}

int sqlite3_bind_null(sqlite3_stmt* statement, int index) {
    const Api* f = Functions();
    return f ? f->bind_null(statement, index) : SQLITE_MISUSE;
}

int sqlite3_bind_text(sqlite3_stmt* statement, int index, const char* text, int size,
                      void (*destructor)(void*)) {
    const Api* f = Functions();
    return f ? f->bind_text(statement, index, text, size, destructor) : SQLITE_MISUSE;
}

const void* sqlite3_column_blob(sqlite3_stmt* statement, int column) {
    const Api* f = Functions();
    return f ? f->column_blob(statement, column) : nullptr;
}

double sqlite3_column_double(sqlite3_stmt* statement, int column) {
    const Api* f = Functions();
    return f ? f->column_double(statement, column) : 0;
}

int sqlite3_column_int(sqlite3_stmt* statement, int column) {
    const Api* f = Functions();
    return f ? f->column_int(statement, column) : 0;
}

sqlite3_int64 sqlite3_column_int64(sqlite3_stmt* statement, int column) {
    const Api* f = Functions();
    return f ? f->column_int64(statement, column) : 0;
}

const unsigned char* sqlite3_column_text(sqlite3_stmt* statement, int column) {
    const Api* f = Functions();
    return f ? f->column_text(statement, column) : nullptr;
}

int sqlite3_column_bytes(sqlite3_stmt* statement, int column) {
    const Api* f = Functions();
    return f ? f->column_bytes(statement, column) : 0;
}

int sqlite3_column_type(sqlite3_stmt* statement, int column) {
    const Api* f = Functions();
    return f ? f->column_type(statement, column) : SQLITE_NULL;
}

sqlite3_backup* sqlite3_backup_init(sqlite3* destination, const char* destinationName,
                                    sqlite3* source, const char* sourceName) {
    const Api* f = Functions();
    return f ? f->backup_init(destination, destinationName, source, sourceName) : nullptr;
}

int sqlite3_backup_step(sqlite3_backup* backup, int pages) {
    const Api* f = Functions();
    return f ? f->backup_step(backup, pages) : SQLITE_MISUSE;
}

int sqlite3_backup_finish(sqlite3_backup* backup) {
    const Api* f = Functions();
    return f ? f->backup_finish(backup) : SQLITE_OK;
}

#pragma once
// SQLite, loaded the first time a companion file is used rather than when a program starts:
// the library binds over a thousand symbols as it loads, which the main window should not
// wait for when it has no companion to read before it shows. Every sqlite3_ function the
// program calls is defined in SqliteLibrary.cpp and passed on to the library loaded with
// dlopen; nothing links SQLite itself. The program does not export these names, so the
// library's calls among its own functions stay inside it.
//
// Should the library be missing, opening a database fails (SQLITE_CANTOPEN, no handle) and
// sqlite3_errmsg and sqlite3_errstr say why; nothing else can be reached without a handle.

#include <string>

class SqliteLibrary {
public:
    static constexpr const char* kFileName = "libsqlite3.so.0";

    // Loads the library if that has not been tried yet: "" once it is loaded, else why not
    // ("libsqlite3.so.0 cannot be loaded: ...").
    static const std::string& Problem();
    // The file to load instead of kFileName; only before the first use (for tests).
    static void UseFile(const std::string& fileName);
};

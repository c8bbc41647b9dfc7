#pragma once
// Copies of an activities file (NAME.vra, SQLite) made and put back through SQLite's online
// backup API, so a copy is the file as of one moment and a restore is one transaction of the
// live file's rollback journal. Callers hold the logbook's lock, so nobody writes the file
// meanwhile. Naming, locking and the backups folder are the callers' business.

#include <string>

class ActivityFileCopy {
public:
    // NAME.vra for NAME.vrl (the index's rule, with .vra).
    static std::string NameFor(const std::string& logbook);

    // The live file's content as the bytes of a database file, and its activity count.
    // False with why when it cannot be read whole (missing, damaged, unreadable).
    static bool Snapshot(const std::string& live, std::string& bytes, int& count, std::string& why);
    // Whether a copy passes SQLite's integrity check, with its activity count. Opened as
    // immutable: nothing is written beside it.
    static bool Check(const std::string& copy, int& count, std::string& why);
    // Puts the copy's content into the live file in one transaction, creating the live file
    // with mode (and, for root, owner and group) when it is missing.
    static bool Restore(const std::string& copy, const std::string& live, unsigned mode, int uid,
                        int gid, std::string& why);
    // Renames a file (and its journal) to <name>.<tag>-YYYYMMDD-HHMMSS beside it, never over
    // another; savedAs gets the new name. False with errno set when it cannot.
    static bool SetAside(const std::string& name, const std::string& tag, std::string& savedAs);
};

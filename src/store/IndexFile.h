#pragma once
// Reading, checking, rebuilding and writing a logbook's index file.
// An index is trusted only when it agrees with its data file: every slot lies inside the
// data file, no two entries share a slot, keys ascend, the record at each slot carries its
// entry's key, and every record is named by an entry (only an older copy of a day whose
// newer record is named may stay unnamed).

#include "store/IndexTable.h"

#include <string>

class DataFile;

class IndexFile {
public:
    enum class State { Ok, Missing, Stale, Damaged };

    struct Verdict {
        State state = State::Ok;
        std::string problem; // the first problem found, empty when Ok
    };

    // The index name beside a data file: the data file's last path component up to its
    // first '.' (leading '.' skipped), then ".idx"; a name without '.' gets ".idx" appended.
    static std::string NameFor(const std::string& dataFileName);

    // Reads and checks the index against the open data file. The table is filled only
    // when the verdict is Ok.
    static Verdict Load(const std::string& indexFileName, const DataFile& data, IndexTable& table);

    // Checks a table that claims to describe the data file.
    static Verdict Check(const IndexTable& table, const DataFile& data);

    // Builds the table from the data file's records: slot = record number, erased records
    // flagged 4, a key that repeats keeps its last record. False when nothing can be read.
    static bool Rebuild(const DataFile& data, IndexTable& table);

    // Writes the table to a temporary file beside the index and renames it over the old
    // one, so a crash never leaves a torn index.
    static bool Write(const std::string& indexFileName, const IndexTable& table);

    static const char* StateName(State state); // "ok", "missing", "stale", "damaged"
};

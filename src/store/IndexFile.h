#pragma once
// Reading, checking, rebuilding and writing a logbook's index file.
// An index is trusted only when it agrees with its data file: every key is a logbook date,
// every slot lies inside the data file, no two entries share a slot, keys ascend, the record
// at each slot carries its entry's key and the flags a rebuild would give it, and every
// dated record is named by an entry (only an older copy of a day whose newer record is
// named may stay unnamed). Records without a valid date are left out: their bytes stay and
// their slots are never handed to another day.

#include "store/IndexTable.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class DataFile;

class IndexFile {
public:
    enum class State { Ok, Missing, Stale, Damaged, NotRegular };

    struct Verdict {
        State state = State::Ok;
        std::string problem; // the first problem found, empty when Ok
    };

    // The index name beside a data file: the data file's name with its last extension
    // replaced by ".idx" (leading '.' characters are not an extension); a name without an
    // extension gets ".idx" appended.
    static std::string NameFor(const std::string& dataFileName);

    // Reads and checks the index against the open data file. The table is filled only
    // when the verdict is Ok.
    static Verdict Load(const std::string& indexFileName, const DataFile& data, IndexTable& table);

    // The entries of an index file's bytes; false with the problem when they cannot be an
    // index (a torn entry, more entries than a logbook holds).
    static bool FromBytes(const unsigned char* bytes, std::size_t size, IndexTable& table,
                          Verdict& verdict);

    // Checks a table that claims to describe the data file.
    static Verdict Check(const IndexTable& table, const DataFile& data);

    // Builds the table from the data file's records: slot = record number, erased records
    // flagged 4, a key that repeats keeps its last record, a record without a valid date
    // left out (its slot goes into undated when given). False when nothing can be read.
    static bool Rebuild(const DataFile& data, IndexTable& table,
                        std::vector<std::int64_t>* undated = nullptr);

    // Writes the table to a temporary file beside the index and renames it over the old
    // one, so a crash never leaves a torn index.
    static bool Write(const std::string& indexFileName, const IndexTable& table);

    // "ok", "missing", "stale", "damaged", "not a regular file"
    static const char* StateName(State state);
};

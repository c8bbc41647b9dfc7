#pragma once
// What putting one set of days in place of another changes: days added, removed and changed,
// counted over live days only (an erased record is no day). A day is changed when any of its
// 340 bytes differ.

#include <string>

class DataFile;
class IndexTable;

class DayChanges {
public:
    int added = 0;
    int removed = 0;
    int changed = 0;

    // "adds 3 days, removes 1, changes 12"
    std::string Text() const;

    // The changes from the days of present to those of next, each table naming the slots of
    // its file. False when a record cannot be read.
    static bool Between(const IndexTable& present, const DataFile& presentData,
                        const IndexTable& next, const DataFile& nextData, DayChanges& changes);
};

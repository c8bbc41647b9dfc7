#pragma once
// What putting one set of days in place of another changes: days added, removed and changed,
// counted over live days only (an erased record is no day). A day is changed when any of its
// 340 bytes differ. The activities are said as their count's difference.

#include <string>

class DataFile;
class IndexTable;

class DayChanges {
public:
    int added = 0;
    int removed = 0;
    int changed = 0;
    // The activities of the two sides; left at 0 when they cannot be counted.
    int activitiesBefore = 0;
    int activitiesAfter = 0;

    // "adds 3 days, removes 1, changes 12; 5 activities fewer"
    std::string Text() const;

    // The changes from the days of present to those of next, each table naming the slots of
    // its file. False when a record cannot be read.
    static bool Between(const IndexTable& present, const DataFile& presentData,
                        const IndexTable& next, const DataFile& nextData, DayChanges& changes);
};

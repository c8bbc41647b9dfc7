#pragma once
// The gear kept in a logbook's activities file: the items, and which activities and which
// days without activities carry each. Usage is never stored; it is summed on each read from
// the activities the links name.
//
// An activity's row id changes whenever the row is stored again (the Log Book's undo and
// redo, an import with --replace or a re-import, a restore putting back an older file), so
// a link names the activity by its start instead, to the second. That is what an import
// already tells the same activity by, and what the Activities dialog keeps when the sport or
// the figures change. A link whose activity is gone stays: it counts nothing, and counts
// again when an undo puts the activity back. A day without activities is named by its key.

#include "store/ActivityRow.h"
#include "store/ActivityStore.h"
#include "store/GearItem.h"

#include <cstdint>
#include <string>
#include <vector>

class GearStore {
public:
    using Outcome = ActivityStore::Outcome;
    struct Link {
        std::int64_t gear = 0;
        std::int64_t at = 0; // an activity's start, or a day's key
    };

    explicit GearStore(ActivityStore& store) : store(store) {}

    // Every item by name; none (and Ok) when the file holds no gear yet.
    Outcome Items(std::vector<GearItem>& items) const;
    // The item of this name, or false.
    bool Find(const std::string& name, GearItem& item) const;
    // Stores a new item (its id set) or changes a stored one; a name another item has is
    // refused and nothing changes.
    Outcome Save(GearItem& item);
    // The item goes with its links.
    Outcome Remove(std::int64_t id);

    // The links of every item, by item then start (day).
    Outcome ActivityLinks(std::vector<Link>& links) const;
    Outcome DayLinks(std::vector<Link>& links) const;
    // The items one activity (one day) carries.
    std::vector<std::int64_t> GearOfActivity(std::int64_t start) const;
    std::vector<std::int64_t> GearOfDay(std::int32_t day) const;
    // The activity (day) carries exactly these items from now on.
    Outcome SetActivityGear(std::int64_t start, const std::vector<std::int64_t>& gear);
    Outcome SetDayGear(std::int32_t day, const std::vector<std::int64_t>& gear);
    // The item is carried by these activities too; how many were not already in added.
    Outcome Assign(std::int64_t gear, const std::vector<std::int64_t>& starts, int& added);
    // The item is carried by these days without activities too (by key).
    Outcome AssignDays(std::int64_t gear, const std::vector<std::int32_t>& days, int& added);
    // Each new activity that carries nothing yet gets the item that is the default for its
    // sport and in use on its day, so that storing the same activity again changes nothing.
    Outcome AssignDefaults(const std::vector<ActivityRow>& rows);
    // The item that is the default for this sport and in use on this day, or 0.
    std::int64_t DefaultFor(const std::string& sport, std::int32_t day) const;

private:
    Outcome SetLinks(const char* table, const char* column, std::int64_t at,
                     const std::vector<std::int64_t>& gear);
    Outcome AddLinks(const char* insert, const std::vector<Link>& links, int& added);
    Outcome Links(const char* sql, std::vector<Link>& links) const;
    std::vector<std::int64_t> GearAt(const char* sql, std::int64_t at) const;
    Outcome Failure(const std::string& what) const;

    ActivityStore& store;
};

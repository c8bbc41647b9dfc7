#pragma once
// The goals kept in a logbook's activities file, in the table the file's fourth step made.
// Reads and changes go through the open ActivityStore's connection; each change is whole.
// A file without goals, or too old to have the table and only read, holds none.

#include "store/ActivityStore.h"
#include "store/Goal.h"

#include <vector>

class GoalStore {
public:
    using Outcome = ActivityStore::Outcome;

    explicit GoalStore(ActivityStore& store) : store(store) {}

    // In the order they were set.
    Outcome Read(std::vector<Goal>& goals) const;
    // Stores a new goal (its id set), creating the file when it is missing.
    Outcome Add(Goal& goal);
    // The goal with goal.id takes these values; Failed when there is none.
    Outcome Change(const Goal& goal);
    Outcome Remove(std::int64_t id);

private:
    Outcome Failed(const char* what) const;

    ActivityStore& store;
};

#include "store/GoalStore.h"

#include "store/SqlStatement.h"

#include <sqlite3.h>

namespace {

constexpr const char* kSpans[] = {"week", "month", "year", "dates"};
constexpr const char* kQuantities[] = {"distance", "time", "activities", "days"};

template <typename T, std::size_t N>
std::optional<T> OfWord(const char* const (&words)[N], std::string_view word) {
    for (std::size_t i = 0; i < N; ++i) {
        if (word == words[i]) {
            return static_cast<T>(i);
        }
    }
    return std::nullopt;
}

void BindGoal(SqlStatement& s, const Goal& goal) {
    s.Bind(1, std::string(Goal::Word(goal.span)));
    s.Bind(2, static_cast<std::int64_t>(goal.first));
    s.Bind(3, static_cast<std::int64_t>(goal.last));
    s.Bind(4, std::string(Goal::Word(goal.quantity)));
    s.Bind(5, goal.sport);
    s.Bind(6, goal.amount);
}

} // namespace

const char* Goal::Word(Span span) {
    return kSpans[static_cast<int>(span)];
}
const char* Goal::Word(Quantity quantity) {
    return kQuantities[static_cast<int>(quantity)];
}
std::optional<Goal::Span> Goal::SpanOfWord(std::string_view word) {
    return OfWord<Span>(kSpans, word);
}
std::optional<Goal::Quantity> Goal::QuantityOfWord(std::string_view word) {
    return OfWord<Quantity>(kQuantities, word);
}

GoalStore::Outcome GoalStore::Failed(const char* what) const {
    return {ActivityStore::Code::Failed, store.FileName() + ": the goals " + what};
}

GoalStore::Outcome GoalStore::Read(std::vector<Goal>& goals) const {
    goals.clear();
    sqlite3* db = store.Connection();
    if (!db) {
        return {};
    }
    SqlStatement s(db, "SELECT id, period, first, last, quantity, sport, amount FROM goal "
                       "ORDER BY id");
    if (!s.Prepared()) {
        return {}; // an older file only read: no goals yet
    }
    while (s.Step() == SQLITE_ROW) {
        const std::optional<Goal::Span> span = Goal::SpanOfWord(s.Text(1));
        const std::optional<Goal::Quantity> quantity = Goal::QuantityOfWord(s.Text(4));
        if (!span || !quantity) {
            continue; // a kind a newer program knows
        }
        Goal goal;
        goal.id = s.Int(0);
        goal.span = *span;
        goal.first = static_cast<std::int32_t>(s.Int(2));
        goal.last = static_cast<std::int32_t>(s.Int(3));
        goal.quantity = *quantity;
        goal.sport = s.Text(5);
        goal.amount = s.Real(6);
        goals.push_back(std::move(goal));
    }
    if (s.Status() != SQLITE_DONE) {
        goals.clear();
        return Failed("cannot be read");
    }
    return {};
}

GoalStore::Outcome GoalStore::Add(Goal& goal) {
    if (const Outcome ready = store.Ready(); !ready.Ok()) {
        return ready;
    }
    SqlStatement s(store.Connection(), "INSERT INTO goal(period, first, last, quantity, sport, "
                                       "amount) VALUES(?1, ?2, ?3, ?4, ?5, ?6)");
    BindGoal(s, goal);
    if (s.Step() != SQLITE_DONE) {
        return Failed("cannot be changed");
    }
    goal.id = sqlite3_last_insert_rowid(store.Connection());
    return {};
}

GoalStore::Outcome GoalStore::Change(const Goal& goal) {
    if (const Outcome ready = store.Ready(); !ready.Ok()) {
        return ready;
    }
    SqlStatement s(store.Connection(), "UPDATE goal SET period = ?1, first = ?2, last = ?3, "
                                       "quantity = ?4, sport = ?5, amount = ?6 WHERE id = ?7");
    BindGoal(s, goal);
    s.Bind(7, goal.id);
    if (s.Step() != SQLITE_DONE || sqlite3_changes(store.Connection()) != 1) {
        return Failed("cannot be changed");
    }
    return {};
}

GoalStore::Outcome GoalStore::Remove(std::int64_t id) {
    if (const Outcome ready = store.Ready(); !ready.Ok()) {
        return ready;
    }
    SqlStatement s(store.Connection(), "DELETE FROM goal WHERE id = ?1");
    s.Bind(1, id);
    if (s.Step() != SQLITE_DONE || sqlite3_changes(store.Connection()) != 1) {
        return Failed("cannot be changed");
    }
    return {};
}

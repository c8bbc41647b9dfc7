#include "store/GearStore.h"

#include "store/SqlStatement.h"
#include "store/SqlTransaction.h"

#include <sqlite3.h>

namespace {

const char* const kItemColumns = "SELECT id, name, kind, sports, first_use, retired, start_metres, "
                                 "limit_metres, limit_seconds, default_for, notes FROM gear ";

std::string Joined(const std::vector<std::string>& sports) {
    std::string text;
    for (const std::string& sport : sports) {
        text += (text.empty() ? "" : ",") + sport;
    }
    return text;
}

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> sports;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t comma = text.find(',', from);
        const std::size_t end = comma == std::string::npos ? text.size() : comma;
        if (end > from) {
            sports.push_back(text.substr(from, end - from));
        }
        from = end + 1;
    }
    return sports;
}

GearItem ItemOf(const SqlStatement& s) {
    GearItem item;
    item.id = s.Int(0);
    item.name = s.Text(1);
    GearItem::KindOf(s.Text(2), item.kind);
    item.sports = Split(s.Text(3));
    item.firstUse = static_cast<std::int32_t>(s.Int(4));
    item.retired = static_cast<std::int32_t>(s.Int(5));
    item.startMetres = s.Real(6);
    item.limitMetres = s.Real(7);
    item.limitSeconds = s.Int(8);
    item.defaultFor = s.Text(9);
    item.notes = s.Text(10);
    return item;
}

std::int64_t DefaultIn(const std::vector<GearItem>& items, const std::string& sport,
                       std::int32_t day) {
    for (const GearItem& item : items) {
        if (!item.defaultFor.empty() && item.defaultFor == sport && item.InUseOn(day)) {
            return item.id;
        }
    }
    return 0;
}

const char* const kLinkActivity = "INSERT OR IGNORE INTO gear_activity(gear, start) VALUES(?1, ?2)";

// A file from before gear was kept, opened only to read, has no gear tables: it has no gear.
bool NoGearYet(sqlite3* db) {
    return std::string(sqlite3_errmsg(db)).starts_with("no such table");
}

} // namespace

GearStore::Outcome GearStore::Failure(const std::string& what) const {
    std::string words = store.FileName() + " " + what;
    if (sqlite3* db = store.Connection()) {
        words += " (" + std::string(sqlite3_errmsg(db)) + ")";
    }
    return {ActivityStore::Code::Failed, words};
}

GearStore::Outcome GearStore::Items(std::vector<GearItem>& items) const {
    items.clear();
    sqlite3* db = store.Connection();
    if (!db) {
        return {};
    }
    SqlStatement s(db, (std::string(kItemColumns) + "ORDER BY name, id").c_str());
    if (!s.Prepared()) {
        return NoGearYet(db) ? Outcome{} : Failure("cannot be read");
    }
    while (s.Step() == SQLITE_ROW) {
        items.push_back(ItemOf(s));
    }
    if (s.Status() != SQLITE_DONE) {
        items.clear();
        return Failure("cannot be read");
    }
    return {};
}

bool GearStore::Find(const std::string& name, GearItem& item) const {
    sqlite3* db = store.Connection();
    if (!db) {
        return false;
    }
    SqlStatement s(db, (std::string(kItemColumns) + "WHERE name = ?1").c_str());
    s.Bind(1, name);
    if (s.Step() != SQLITE_ROW) {
        return false;
    }
    item = ItemOf(s);
    return true;
}

GearStore::Outcome GearStore::Save(GearItem& item) {
    if (const Outcome ready = store.Ready(); !ready.Ok()) {
        return ready;
    }
    sqlite3* db = store.Connection();
    GearItem same;
    if (Find(item.name, same) && same.id != item.id) {
        return {ActivityStore::Code::Failed, "There is gear named " + item.name + " already."};
    }
    SqlStatement s(db, item.id == 0
                           ? "INSERT INTO gear(name, kind, sports, first_use, retired, "
                             "start_metres, limit_metres, limit_seconds, default_for, notes) "
                             "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)"
                           : "UPDATE gear SET name = ?1, kind = ?2, sports = ?3, first_use = ?4, "
                             "retired = ?5, start_metres = ?6, limit_metres = ?7, "
                             "limit_seconds = ?8, default_for = ?9, notes = ?10 WHERE id = ?11");
    s.Bind(1, item.name);
    s.Bind(2, std::string(GearItem::KindWord(item.kind)));
    s.Bind(3, Joined(item.sports));
    s.Bind(4, static_cast<std::int64_t>(item.firstUse));
    s.Bind(5, static_cast<std::int64_t>(item.retired));
    s.Bind(6, item.startMetres);
    s.Bind(7, item.limitMetres);
    s.Bind(8, item.limitSeconds);
    s.Bind(9, item.defaultFor);
    s.Bind(10, item.notes);
    if (item.id != 0) {
        s.Bind(11, item.id);
    }
    if (s.Step() != SQLITE_DONE) {
        return Failure("cannot be changed");
    }
    if (item.id == 0) {
        item.id = sqlite3_last_insert_rowid(db);
    }
    return {};
}

GearStore::Outcome GearStore::Remove(std::int64_t id) {
    if (const Outcome ready = store.Ready(); !ready.Ok()) {
        return ready;
    }
    sqlite3* db = store.Connection();
    SqlTransaction change(db);
    if (!change.Begun()) {
        return Failure("cannot be changed");
    }
    for (const char* sql :
         {"DELETE FROM gear_activity WHERE gear = ?1", "DELETE FROM gear_day WHERE gear = ?1",
          "DELETE FROM gear WHERE id = ?1"}) {
        SqlStatement s(db, sql);
        s.Bind(1, id);
        if (s.Step() != SQLITE_DONE) {
            return Failure("cannot be changed");
        }
    }
    return change.Commit() ? Outcome{} : Failure("cannot be changed");
}

GearStore::Outcome GearStore::Links(const char* sql, std::vector<Link>& links) const {
    links.clear();
    sqlite3* db = store.Connection();
    if (!db) {
        return {};
    }
    SqlStatement s(db, sql);
    if (!s.Prepared()) {
        return NoGearYet(db) ? Outcome{} : Failure("cannot be read");
    }
    while (s.Step() == SQLITE_ROW) {
        links.push_back({s.Int(0), s.Int(1)});
    }
    if (s.Status() != SQLITE_DONE) {
        links.clear();
        return Failure("cannot be read");
    }
    return {};
}

GearStore::Outcome GearStore::ActivityLinks(std::vector<Link>& links) const {
    return Links("SELECT gear, start FROM gear_activity ORDER BY gear, start", links);
}

GearStore::Outcome GearStore::DayLinks(std::vector<Link>& links) const {
    return Links("SELECT gear, day FROM gear_day ORDER BY gear, day", links);
}

std::vector<std::int64_t> GearStore::GearAt(const char* sql, std::int64_t at) const {
    std::vector<std::int64_t> gear;
    if (sqlite3* db = store.Connection()) {
        SqlStatement s(db, sql);
        s.Bind(1, at);
        while (s.Prepared() && s.Step() == SQLITE_ROW) {
            gear.push_back(s.Int(0));
        }
    }
    return gear;
}

std::vector<std::int64_t> GearStore::GearOfActivity(std::int64_t start) const {
    return GearAt("SELECT gear FROM gear_activity WHERE start = ?1 ORDER BY gear", start);
}

std::vector<std::int64_t> GearStore::GearOfDay(std::int32_t day) const {
    return GearAt("SELECT gear FROM gear_day WHERE day = ?1 ORDER BY gear", day);
}

GearStore::Outcome GearStore::SetLinks(const char* table, const char* column, std::int64_t at,
                                       const std::vector<std::int64_t>& gear) {
    if (const Outcome ready = store.Ready(); !ready.Ok()) {
        return ready;
    }
    sqlite3* db = store.Connection();
    SqlTransaction change(db);
    if (!change.Begun()) {
        return Failure("cannot be changed");
    }
    const std::string t(table);
    const std::string c(column);
    SqlStatement erase(db, ("DELETE FROM " + t + " WHERE " + c + " = ?1").c_str());
    erase.Bind(1, at);
    if (erase.Step() != SQLITE_DONE) {
        return Failure("cannot be changed");
    }
    SqlStatement insert(
        db, ("INSERT OR IGNORE INTO " + t + "(gear, " + c + ") VALUES(?1, ?2)").c_str());
    for (const std::int64_t id : gear) {
        insert.Bind(1, id);
        insert.Bind(2, at);
        if (insert.Step() != SQLITE_DONE) {
            return Failure("cannot be changed");
        }
        insert.Reset();
    }
    return change.Commit() ? Outcome{} : Failure("cannot be changed");
}

GearStore::Outcome GearStore::SetActivityGear(std::int64_t start,
                                              const std::vector<std::int64_t>& gear) {
    return SetLinks("gear_activity", "start", start, gear);
}

GearStore::Outcome GearStore::SetDayGear(std::int32_t day, const std::vector<std::int64_t>& gear) {
    return SetLinks("gear_day", "day", day, gear);
}

GearStore::Outcome GearStore::Assign(std::int64_t gear, const std::vector<std::int64_t>& starts,
                                     int& added) {
    std::vector<Link> links;
    for (const std::int64_t start : starts) {
        links.push_back({gear, start});
    }
    return AddLinks(kLinkActivity, links, added);
}

GearStore::Outcome GearStore::AssignDays(std::int64_t gear, const std::vector<std::int32_t>& days,
                                         int& added) {
    std::vector<Link> links;
    for (const std::int32_t day : days) {
        links.push_back({gear, day});
    }
    return AddLinks("INSERT OR IGNORE INTO gear_day(gear, day) VALUES(?1, ?2)", links, added);
}

GearStore::Outcome GearStore::AddLinks(const char* sql, const std::vector<Link>& links,
                                       int& added) {
    added = 0;
    if (links.empty()) {
        return {};
    }
    if (const Outcome ready = store.Ready(); !ready.Ok()) {
        return ready;
    }
    sqlite3* db = store.Connection();
    SqlTransaction change(db);
    if (!change.Begun()) {
        return Failure("cannot be changed");
    }
    SqlStatement insert(db, sql);
    for (const Link& link : links) {
        insert.Bind(1, link.gear);
        insert.Bind(2, link.at);
        if (insert.Step() != SQLITE_DONE) {
            return Failure("cannot be changed");
        }
        added += sqlite3_changes(db);
        insert.Reset();
    }
    if (!change.Commit()) {
        added = 0;
        return Failure("cannot be changed");
    }
    return {};
}

std::int64_t GearStore::DefaultFor(const std::string& sport, std::int32_t day) const {
    std::vector<GearItem> items;
    Items(items);
    return DefaultIn(items, sport, day);
}

GearStore::Outcome GearStore::AssignDefaults(const std::vector<ActivityRow>& rows) {
    std::vector<GearItem> items;
    if (const Outcome read = Items(items); !read.Ok()) {
        return read;
    }
    std::vector<Link> wanted;
    for (const ActivityRow& row : rows) {
        if (const std::int64_t id = DefaultIn(items, row.sport, row.day);
            id != 0 && GearOfActivity(row.start).empty()) {
            wanted.push_back({id, row.start});
        }
    }
    int added = 0;
    return AddLinks(kLinkActivity, wanted, added);
}

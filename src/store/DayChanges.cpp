#include "store/DayChanges.h"

#include "store/DataFile.h"
#include "store/DayRecord.h"
#include "store/IndexTable.h"

#include <cstring>

namespace {

// The live entries only, in date order.
std::vector<IndexEntry> LiveDays(const IndexTable& table) {
    std::vector<IndexEntry> live;
    for (const IndexEntry& entry : table.Entries()) {
        if (!entry.IsErased()) {
            live.push_back(entry);
        }
    }
    return live;
}

} // namespace

std::string DayChanges::Text() const {
    std::string text = "adds " + std::to_string(added) + (added == 1 ? " day" : " days") +
                       ", removes " + std::to_string(removed) + ", changes " +
                       std::to_string(changed);
    if (const int more = activitiesAfter - activitiesBefore; more != 0) {
        const int count = more < 0 ? -more : more;
        text += "; " + std::to_string(count) + (count == 1 ? " activity " : " activities ") +
                (more < 0 ? "fewer" : "more");
    }
    return text;
}

bool DayChanges::Between(const IndexTable& present, const DataFile& presentData,
                         const IndexTable& next, const DataFile& nextData, DayChanges& changes) {
    changes = DayChanges{};
    const std::vector<IndexEntry> before = LiveDays(present);
    const std::vector<IndexEntry> after = LiveDays(next);
    std::size_t i = 0;
    std::size_t j = 0;
    unsigned char old[DayRecord::kSize];
    unsigned char now[DayRecord::kSize];
    while (i < before.size() || j < after.size()) {
        if (j == after.size() || (i < before.size() && before[i].dateKey < after[j].dateKey)) {
            ++changes.removed;
            ++i;
        } else if (i == before.size() || after[j].dateKey < before[i].dateKey) {
            ++changes.added;
            ++j;
        } else {
            if (!presentData.ReadAt(DayRecord::Offset(before[i].slot), old, sizeof old) ||
                !nextData.ReadAt(DayRecord::Offset(after[j].slot), now, sizeof now)) {
                return false;
            }
            changes.changed += std::memcmp(old, now, sizeof old) != 0;
            ++i;
            ++j;
        }
    }
    return true;
}

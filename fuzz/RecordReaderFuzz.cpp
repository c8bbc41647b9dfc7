// Every way the store reads records, over a data file of any bytes and no index: open
// rebuilds, ranges, the read-many sequence, single days and their CSV lines. Beyond never
// crashing: every read delivers the day its entry names, counts agree, a new day leaves
// every whole record as it was, and the index written at close is accepted as it stands.
// (A file where a day repeats may need one more rebuild: when the new day takes the
// record of an erased last copy, an older copy of that day is no longer covered by it.)

#include "FuzzFiles.h"

#include "cli/DayCsv.h"
#include "store/LogBookDatabase.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

using fuzzfiles::Require;

namespace {

class QuietReporter : public ErrorReporter {
public:
    void ReportError(const char*) override { ++count; }
    int count = 0;
};

std::string ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string name = fuzzfiles::Folder() + "/log.vrl";
    fuzzfiles::WriteFile(name, data, size);
    std::remove((fuzzfiles::Folder() + "/log.idx").c_str());

    QuietReporter reporter;
    DateUtility dates;
    LogBookDatabase db(reporter, dates);
    Require(db.Open(name) == LogBookDatabase::OpenResult::Rebuilt);

    int all = -1;
    Require(db.CountRange(nullptr, nullptr, DayType::AllDays, all) == LogBookDatabase::Result::Ok);
    std::vector<DayRecord> records;
    int count = -1;
    Require(db.LoadRange(nullptr, nullptr, DayType::AllDays, records, count) ==
            LogBookDatabase::ReadResult::Read);
    Require(count == all);

    const DayCsv csv(dates);
    std::vector<std::int32_t> positions;
    Require(db.FastIndex(nullptr, nullptr, DayType::AllDays, positions, count) ==
            LogBookDatabase::Result::Ok);
    Require(count == all);
    Require(db.BeginReading("rb") == LogBookDatabase::Result::Ok);
    for (int i = 0; i < count; ++i) {
        DayRecord record;
        Require(db.ReadAtPosition(positions[static_cast<std::size_t>(i)], record) ==
                LogBookDatabase::ReadResult::Read);
        const IndexEntry& entry = db.Table().At(positions[static_cast<std::size_t>(i)]);
        Require(record.dateKey == entry.dateKey && record.Flags() == entry.flags);
        Require(std::memcmp(&record, &records[static_cast<std::size_t>(i)], sizeof record) == 0);
        Require(!csv.Line(record).empty());
        DateValue day;
        dates.DateOfKey(record.dateKey, day);
        DayRecord single;
        Require(db.ReadDay(day, single) == LogBookDatabase::ReadResult::Read);
        Require(std::memcmp(&record, &single, sizeof record) == 0);
    }
    Require(db.EndReading() == LogBookDatabase::Result::Ok);
    for (const DayType type : {DayType::Training, DayType::Competition}) {
        int some = -1;
        Require(db.CountRange(nullptr, nullptr, type, some) == LogBookDatabase::Result::Ok);
        Require(some >= 0 && some <= all);
    }

    const std::string before = ReadFile(name);
    const std::size_t whole = before.size() / DayRecord::kSize * DayRecord::kSize;
    std::set<std::int32_t> keys;
    bool repeats = false;
    for (std::size_t r = 0; r < whole; r += DayRecord::kSize) {
        repeats = !keys.insert(DayRecord::FromBytes(
                                   reinterpret_cast<const unsigned char*>(before.data() + r))
                                   .dateKey)
                       .second ||
                  repeats;
    }
    DayRecord fresh = DayRecord::Blank(21001231);
    fresh.competition = 'Y';
    Require(db.StoreRecord(fresh) == LogBookDatabase::StoreResult::Stored);
    const std::string after = ReadFile(name);
    // Only the new day's own record may change (it reuses a record only when the same day
    // or an erased one held it).
    const int position = db.Table().Find(21001231);
    const auto slot = static_cast<std::size_t>(db.Table().At(position).slot);
    for (std::size_t r = 0; r < whole / DayRecord::kSize; ++r) {
        if (r != slot) {
            Require(std::memcmp(before.data() + r * DayRecord::kSize,
                                after.data() + r * DayRecord::kSize, DayRecord::kSize) == 0);
        }
    }
    Require(db.Close() == LogBookDatabase::Result::Ok);
    const LogBookDatabase::OpenResult reopened = db.Open(name);
    Require(reopened == LogBookDatabase::OpenResult::Opened ||
            (repeats && reopened == LogBookDatabase::OpenResult::Rebuilt));
    Require(db.Close() == LogBookDatabase::Result::Ok);
    Require(db.Open(name) == LogBookDatabase::OpenResult::Opened);
    Require(db.Close() == LogBookDatabase::Result::Ok);
    Require(reporter.count == 0);
    return 0;
}

#include "store/IndexFile.h"

#include "store/ByteOrder.h"
#include "store/DataFile.h"
#include "store/DateUtility.h"
#include "store/DayRecord.h"
#include "store/FileIo.h"
#include "store/TemporaryFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// 256 records (about 85 KiB) a read when the index is rebuilt: few reads, little memory.
constexpr std::size_t kChunkRecords = 256;

std::string Printf(const char* format, long long a, long long b = 0, long long c = 0,
                   long long d = 0) {
    char text[200];
    std::snprintf(text, sizeof text, format, a, b, c, d);
    return text;
}

IndexFile::Verdict Problem(IndexFile::State state, std::string text) {
    return {state, std::move(text)};
}

bool ValidFlags(std::uint8_t flags) {
    return flags == 0 || flags == IndexEntry::kCompetition || flags == IndexEntry::kTraining ||
           flags == IndexEntry::kErased;
}

// Passes every whole record of the data file, in order, to visit(recordNumber, bytes).
// Returns false when the first read already fails.
template <typename Visit>
bool ForEachRecord(const DataFile& data, Visit&& visit) {
    std::vector<unsigned char> chunk(kChunkRecords * DayRecord::kSize);
    std::int64_t offset = 0;
    std::int64_t record = 0;
    for (;;) {
        const std::int64_t got = data.ReadSome(offset, chunk.data(), chunk.size());
        if (got < 0) {
            return record > 0;
        }
        const auto whole = static_cast<std::size_t>(got) / DayRecord::kSize;
        for (std::size_t i = 0; i < whole; ++i, ++record) {
            if (!visit(record, chunk.data() + i * DayRecord::kSize)) {
                return true;
            }
        }
        if (static_cast<std::size_t>(got) < chunk.size()) {
            return true;
        }
        offset += got;
    }
}

} // namespace

std::string IndexFile::NameFor(const std::string& dataFileName) {
    const std::size_t slash = dataFileName.rfind('/');
    std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    while (start < dataFileName.size() && dataFileName[start] == '.') {
        ++start;
    }
    const std::size_t dot = dataFileName.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot >= start;
    return (hasExtension ? dataFileName.substr(0, dot) : dataFileName) + ".idx";
}

IndexFile::Verdict IndexFile::Load(const std::string& indexFileName, const DataFile& data,
                                   IndexTable& table) {
    const int fd = fileio::OpenNoWait(indexFileName, O_RDONLY);
    if (fd < 0) {
        if (errno == ENXIO || errno == EISDIR) {
            return Problem(State::NotRegular, "the index is not a regular file");
        }
        return Problem(State::Missing, errno == ENOENT ? "no index file"
                                                       : std::string("index file cannot be read: ") +
                                                             std::strerror(errno));
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        ::close(fd);
        return Problem(State::Missing, "index file cannot be read");
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return Problem(State::NotRegular, "the index is not a regular file");
    }
    Verdict verdict;
    const auto size = static_cast<std::size_t>(info.st_size);
    if (size % IndexEntry::kSize != 0 ||
        size / IndexEntry::kSize > static_cast<std::size_t>(IndexTable::kMaxEntries)) {
        ::close(fd);
        FromBytes(nullptr, size, table, verdict); // names the problem without reading
        return verdict;
    }
    std::vector<unsigned char> bytes(size);
    const std::int64_t got = fileio::ReadUpTo(fd, bytes.data(), bytes.size(), 0);
    ::close(fd);
    if (got != static_cast<std::int64_t>(size)) {
        return Problem(State::Damaged, "index file could not be read to its end");
    }
    IndexTable candidate;
    if (!FromBytes(bytes.data(), bytes.size(), candidate, verdict)) {
        return verdict;
    }
    verdict = Check(candidate, data);
    if (verdict.state == State::Ok) {
        table = std::move(candidate);
    }
    return verdict;
}

bool IndexFile::FromBytes(const unsigned char* bytes, std::size_t size, IndexTable& table,
                          Verdict& verdict) {
    if (size % IndexEntry::kSize != 0) {
        verdict = Problem(State::Damaged,
                          Printf("index file is %lld bytes, not a whole number of 9-byte entries",
                                 static_cast<long long>(size)));
        return false;
    }
    const std::size_t count = size / IndexEntry::kSize;
    if (count > static_cast<std::size_t>(IndexTable::kMaxEntries)) {
        verdict = Problem(State::Damaged, Printf("index file holds %lld entries, more than the "
                                                 "%lld days a logbook can hold",
                                                 static_cast<long long>(count),
                                                 IndexTable::kMaxEntries));
        return false;
    }
    std::vector<IndexEntry> entries(count);
    for (std::size_t i = 0; i < count; ++i) {
        entries[i] = IndexEntry::FromBytes(bytes + i * IndexEntry::kSize);
    }
    table.Assign(std::move(entries));
    verdict = Verdict{};
    return true;
}

IndexFile::Verdict IndexFile::Check(const IndexTable& table, const DataFile& data) {
    const int count = table.Count();
    if (count > IndexTable::kMaxEntries) {
        return Problem(State::Damaged, Printf("%lld entries, more than a logbook can hold", count));
    }
    for (int i = 0; i < count; ++i) {
        const IndexEntry& e = table.At(i);
        if (!DateUtility::IsLogbookKey(e.dateKey)) {
            return Problem(State::Damaged,
                           Printf("entry %lld: %lld is not a date from 1960-01-01 to 2100-12-31",
                                  i, e.dateKey));
        }
        if (i > 0 && e.dateKey <= table.At(i - 1).dateKey) {
            return Problem(State::Damaged, Printf("entry %lld: day %lld does not follow day %lld",
                                                  i, e.dateKey, table.At(i - 1).dateKey));
        }
        if (!ValidFlags(e.flags)) {
            return Problem(State::Damaged,
                           Printf("entry %lld: flags %lld are not a day's flags", i, e.flags));
        }
        if (e.slot < -1) {
            return Problem(State::Damaged,
                           Printf("entry %lld: slot %lld is not a record number", i, e.slot));
        }
        if (e.slot == -1 && !e.IsErased()) {
            return Problem(State::Damaged,
                           Printf("entry %lld: day %lld has no record but is not erased", i,
                                  e.dateKey));
        }
    }

    const std::int64_t size = data.Size();
    if (size < 0) {
        return Problem(State::Stale, "the data file's size cannot be read");
    }
    const std::int64_t records = size / static_cast<std::int64_t>(DayRecord::kSize);
    if (records > DataFile::kMaxRecords) {
        return Problem(State::Damaged, Printf("the data file holds %lld records, more than the "
                                              "%lld a logbook can hold",
                                              records, DataFile::kMaxRecords));
    }
    // owner[slot] = the position of the entry that names the record, -1 for none.
    std::vector<int> owner(static_cast<std::size_t>(std::max<std::int64_t>(records, 0)), -1);
    for (int i = 0; i < count; ++i) {
        const IndexEntry& e = table.At(i);
        if (e.slot < 0) {
            continue;
        }
        if (e.slot >= records) {
            return Problem(State::Stale,
                           Printf("entry %lld: day %lld names record %lld, past the end of the "
                                  "data file (%lld records)",
                                  i, e.dateKey, e.slot, records));
        }
        int& held = owner[static_cast<std::size_t>(e.slot)];
        if (held >= 0) {
            return Problem(State::Stale, Printf("entries %lld and %lld both name record %lld",
                                                held, i, e.slot));
        }
        held = i;
    }
    // Every dated record is named by the entry of its own day, with the flags its bytes
    // give. The one exception is an older copy of a day whose newer record the index names
    // (a rebuild keeps the last record of a day that repeats): such a copy is never handed
    // to another day, so it can stay unnamed.
    Verdict verdict;
    const bool read = ForEachRecord(data, [&](std::int64_t record, const unsigned char* bytes) {
        const std::int32_t key = byteorder::GetInt32(bytes);
        const int position = owner[static_cast<std::size_t>(record)];
        if (position >= 0) {
            const IndexEntry& e = table.At(position);
            if (key != e.dateKey) {
                verdict = Problem(State::Stale, Printf("record %lld holds day %lld, not day "
                                                       "%lld of its entry",
                                                       record, key, e.dateKey));
                return false;
            }
            const std::uint8_t flags = DayRecord::FlagsOf(bytes);
            if (flags != e.flags) {
                verdict = Problem(State::Stale, Printf("entry %lld: day %lld has flags %lld, its "
                                                       "record says %lld",
                                                       position, key, e.flags, flags));
                return false;
            }
            return true;
        }
        if (!DateUtility::IsLogbookKey(key)) {
            return true; // left out: no program wrote it
        }
        const int named = table.Find(key);
        if (named == IndexTable::kNotFound || table.At(named).slot < 0 ||
            table.At(named).slot == record) {
            verdict = Problem(State::Stale,
                              Printf("record %lld (day %lld) is not in the index", record, key));
            return false;
        }
        return true;
    });
    if (!read && records > 0) {
        return Problem(State::Stale, "the data file cannot be read");
    }
    return verdict;
}

bool IndexFile::Rebuild(const DataFile& data, IndexTable& table,
                        std::vector<std::int64_t>* undated) {
    table.Clear();
    if (data.Size() == 0) {
        return true;
    }
    // Only logbook dates go in, so the table can never outgrow the days 1960..2100.
    return ForEachRecord(data, [&](std::int64_t record, const unsigned char* bytes) {
        const std::int32_t key = byteorder::GetInt32(bytes);
        if (!DateUtility::IsLogbookKey(key)) {
            if (undated) {
                undated->push_back(record);
            }
            return true;
        }
        table.Insert(key, static_cast<std::int32_t>(record), DayRecord::FlagsOf(bytes));
        return true;
    });
}

bool IndexFile::Write(const std::string& indexFileName, const IndexTable& table) {
    // An index written anew keeps the owner and mode of the one it replaces, also for root.
    struct stat old {};
    const bool replaces = ::stat(indexFileName.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    TemporaryFile file;
    const mode_t mode = replaces ? old.st_mode & 07777 : TemporaryFile::DefaultMode();
    if (!file.Create(indexFileName, mode)) {
        return false;
    }
    if (replaces && ::geteuid() == 0) {
        [[maybe_unused]] const int kept = ::fchown(file.Descriptor(), old.st_uid, old.st_gid);
    }
    std::vector<unsigned char> bytes(static_cast<std::size_t>(table.Count()) * IndexEntry::kSize);
    for (int i = 0; i < table.Count(); ++i) {
        table.At(i).ToBytes(bytes.data() + static_cast<std::size_t>(i) * IndexEntry::kSize);
    }
    return fileio::WriteAll(file.Descriptor(), bytes.data(), bytes.size()) && file.Commit();
}

const char* IndexFile::StateName(State state) {
    switch (state) {
    case State::Ok:
        return "ok";
    case State::Missing:
        return "missing";
    case State::Stale:
        return "stale";
    case State::Damaged:
        return "damaged";
    case State::NotRegular:
        return "not a regular file";
    }
    return "?";
}

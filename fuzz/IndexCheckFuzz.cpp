// The index check and rebuild over any index and data file. The input is two bytes giving
// the index's length (little-endian), the index's bytes, then the data file's bytes.
// Beyond never crashing: a rebuilt table is always accepted by the check and never holds
// more days than there are dated records, and every day a checked index names is a day
// the rebuild finds too.

#include "FuzzFiles.h"

#include "store/DataFile.h"
#include "store/DayRecord.h"
#include "store/IndexFile.h"

#include <algorithm>
#include <cstdint>
#include <vector>

using fuzzfiles::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::size_t indexSize = std::min<std::size_t>(size - 2, data[0] | (data[1] << 8));
    const std::uint8_t* index = data + 2;
    const std::uint8_t* records = index + indexSize;
    const std::size_t recordBytes = size - 2 - indexSize;

    DataFile file;
    file.Adopt(fuzzfiles::MemoryFile(records, recordBytes), true);

    IndexTable table;
    IndexFile::Verdict verdict;
    if (IndexFile::FromBytes(index, indexSize, table, verdict)) {
        verdict = IndexFile::Check(table, file);
    }

    IndexTable rebuilt;
    std::vector<std::int64_t> undated;
    Require(IndexFile::Rebuild(file, rebuilt, &undated));
    Require(IndexFile::Check(rebuilt, file).state == IndexFile::State::Ok);
    Require(static_cast<std::size_t>(rebuilt.Count()) + undated.size() <=
            recordBytes / DayRecord::kSize);

    if (verdict.state == IndexFile::State::Ok) {
        for (const IndexEntry& entry : table.Entries()) {
            Require(entry.slot < 0 || rebuilt.Find(entry.dateKey) != IndexTable::kNotFound);
        }
    }
    return 0;
}

#pragma once
// A logbook, mylog.vrl, in a fresh folder and the store that opens it, with the verbs the
// store's tests share: days loaded by key, a program killed before it closes.

#include "store/LogbookFixture.h"
#include "store/IndexFile.h"
#include "store/LogBookDatabase.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

using OpenResult = LogBookDatabase::OpenResult;
using ReadResult = LogBookDatabase::ReadResult;
using StoreResult = LogBookDatabase::StoreResult;
using Result = LogBookDatabase::Result;
using Messages = std::vector<std::string>;
using Keys = std::vector<std::int32_t>;

class StoreFixture : public LogbookFixture {
protected:
    void SetUp() override {
        LogbookFixture::SetUp();
        name = Path("mylog.vrl");
        indexName = Path("mylog.idx");
        db = std::make_unique<LogBookDatabase>(reporter, dates);
    }

    std::uintmax_t DataSize() const { return fs::file_size(name); }

    // The keys of the days a range loads, which must give the expected result.
    Keys Loaded(const DateValue* first = nullptr, const DateValue* last = nullptr,
                DayType type = DayType::AllDays, ReadResult expected = ReadResult::Read) {
        std::vector<DayRecord> records;
        int count = -1;
        EXPECT_EQ(db->LoadRange(first, last, type, records, count), expected);
        EXPECT_GE(count, 0) << "a load always sets its count";
        Keys keys;
        for (int i = 0; i < count; ++i) {
            keys.push_back(records.at(static_cast<std::size_t>(i)).dateKey);
        }
        return keys;
    }

    // The program ends without closing the logbook, as a killed one does: no index written.
    void Kill() { db = std::make_unique<LogBookDatabase>(reporter, dates); }

    DateUtility dates;
    RecordingReporter reporter;
    std::string name;
    std::string indexName;
    std::unique_ptr<LogBookDatabase> db;
};

#pragma once
// A logbook opened by the store in a fresh folder, for the editor's logic to work on, with
// the store's messages kept and the data file read back.

#include "store/LogbookFixture.h"

#include <filesystem>
#include <memory>
#include <string>

class OpenLogbookFixture : public LogbookFixture {
protected:
    void SetUp() override {
        LogbookFixture::SetUp();
        db = std::make_unique<LogBookDatabase>(reporter, dates);
        ASSERT_NE(db->Open(Path("log.vrl")), LogBookDatabase::OpenResult::Failed);
    }
    void TearDown() override {
        db.reset();
        LogbookFixture::TearDown();
    }

    void Store(const DayRecord& day) {
        ASSERT_EQ(db->StoreRecord(day), LogBookDatabase::StoreResult::Stored);
    }
    std::uintmax_t DataSize() const { return std::filesystem::file_size(Path("log.vrl")); }
    // The 340 bytes in the data file at the day's slot.
    std::string FileRecord(std::int32_t key) const {
        const int at = db->Table().Find(key);
        return Read(Path("log.vrl")).substr(DayRecord::Offset(db->Table().At(at).slot), 340);
    }

    RecordingReporter reporter;
    DateUtility dates;
    std::unique_ptr<LogBookDatabase> db;
};

#pragma once
// The open logbook: a data file of 340-byte day records and an index file of 9-byte
// entries, with the whole index held in memory from open to close.
// Every operation returns 1 for success, 0 for failure and 2 for end of data or a failed
// read, and reports its own failures through the owner; nothing throws.

#include "store/DataFile.h"
#include "store/DateUtility.h"
#include "store/DayRecord.h"
#include "store/DayType.h"
#include "store/ErrorReporter.h"
#include "store/IndexTable.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class LogBookDatabase {
public:
    static constexpr std::size_t kMaxNameLength = 255;
    static constexpr int kRecordSize = static_cast<int>(DayRecord::kSize);
    static constexpr int kEntrySize = static_cast<int>(IndexEntry::kSize);

    LogBookDatabase(ErrorReporter& owner, const DateUtility& dateUtility);
    ~LogBookDatabase();
    LogBookDatabase(const LogBookDatabase&) = delete;
    LogBookDatabase& operator=(const LogBookDatabase&) = delete;

    // 1 index read, 2 index rebuilt from the data file, 1 new empty logbook, 0 failed.
    // A logbook still open is closed first.
    int Open(const std::string& dataFileName);
    // Writes the index and releases the logbook; 1 also when nothing was open.
    int Close();

    int StoreRecord(const DayRecord& record);
    // first and last may be null for an open end.
    int LoadRange(const DateValue* first, const DateValue* last, DayType type,
                  std::vector<DayRecord>& records, int& count);
    int FastIndex(const DateValue* first, const DateValue* last, DayType type,
                  std::vector<std::int32_t>& positions, int& count);
    int CountRange(const DateValue* first, const DateValue* last, DayType type, int& count);

    // The read-many sequence: begin, any number of reads at index positions, end.
    int BeginReading(const char* mode);
    int ReadAtPosition(int position, DayRecord& record);
    int EndReading();

    int ReadDay(const DateValue& date, DayRecord& record);
    int EraseDay(const DateValue& date);

    bool IsOpen() const { return data.IsOpen(); }
    int EntryCount() const { return table.Count(); }
    const IndexTable& Table() const { return table; }
    const std::string& DataFileName() const { return dataFileName; }
    const std::string& IndexFileName() const { return indexFileName; }

private:
    class ReadWindow;

    void Report(const char* message) { owner.ReportError(message); }
    bool ReadSlot(std::int32_t slot, DayRecord& record) const;
    // A slot for a new record: an erased day's record first, else the data file's true end.
    // -1 when the data file's size cannot be read.
    std::int32_t TakeFreeSlot(int& donorPosition);
    void KeyRange(const DateValue* first, const DateValue* last, std::int32_t& firstKey,
                  std::int32_t& lastKey) const;

    ErrorReporter& owner;
    DataFile data;
    const DateUtility& dateUtility;
    IndexTable table;
    std::string dataFileName;
    std::string indexFileName;
    std::unique_ptr<ReadWindow> reading;
};

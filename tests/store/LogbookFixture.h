#pragma once
// A fresh folder per test with the verbs logbook tests share: days built in one line,
// dates by key, logbooks written through the store, files damaged.

#include "store/TempFolderTest.h"
#include "store/DateUtility.h"
#include "store/DayRecord.h"
#include "store/LogBookDatabase.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

class LogbookFixture : public TempFolderTest {
protected:
    // A day built field by field: Day(20260105).Distance(12.5F).Competition('Y').
    struct Day {
        explicit Day(std::int32_t key) : record(DayRecord::Blank(key)) {}
        Day& Distance(float v) { return record.distance = v, *this; }
        Day& Time(std::int32_t seconds) { return record.time = seconds, *this; }
        Day& Pace(std::int32_t seconds) { return record.pace = seconds, *this; }
        Day& Speed(float v) { return record.speed = v, *this; }
        Day& RestHeartRate(std::int32_t v) { return record.restHeartRate = v, *this; }
        Day& MaxHeartRate(std::int32_t v) { return record.maxHeartRate = v, *this; }
        Day& Calories(std::int32_t v) { return record.calories = v, *this; }
        Day& Water(float v) { return record.waterUsed = v, *this; }
        Day& Sleep(float hours) { return record.hoursSlept = hours, *this; }
        Day& Temperature(std::int32_t v) { return record.temperature = v, *this; }
        Day& Weight(float v) { return record.bodyWeight = v, *this; }
        Day& Competition(char c) { return record.competition = c, *this; }
        Day& Difficulty(char c) { return record.difficulty = c, *this; }
        Day& Erased() { return record.erased = 1, *this; }
        Day& Workout(const char* text) { return Copy(record.workout, text), *this; }
        Day& Comments(const char* text) { return Copy(record.comments, text), *this; }
        operator DayRecord() const { return record; } // NOLINT: reads as a record
        DayRecord record;

    private:
        template <std::size_t N> static void Copy(char (&field)[N], const char* text) {
            std::strncpy(field, text, N - 1);
        }
    };

    // The date of a key such as 20260105, weekday included.
    static DateValue Date(std::int32_t key) {
        return DateValue::Of(key / 10000, key / 100 % 100, key % 100);
    }
    static std::int32_t Key(const DateValue& date) { return DateUtility().KeyOfDate(date); }
    // The date a number of days after (or, negative, before) another.
    static DateValue Shifted(DateValue from, int days) {
        const DateUtility dates;
        days >= 0 ? dates.AddDays(from, days) : dates.SubtractDays(from, -days);
        return from;
    }

    // A logbook holding the given days, written by the store and closed again.
    static void MakeLogbook(const std::string& name, const std::vector<DayRecord>& days) {
        RecordingReporter reporter;
        DateUtility dates;
        LogBookDatabase db(reporter, dates);
        ASSERT_EQ(db.Open(name), LogBookDatabase::OpenResult::Opened);
        for (const DayRecord& day : days) {
            ASSERT_EQ(db.StoreRecord(day), LogBookDatabase::StoreResult::Stored);
        }
        ASSERT_EQ(db.Close(), LogBookDatabase::Result::Ok);
        ASSERT_EQ(reporter.messages, std::vector<std::string>{});
    }

    // Damage to a file, as a crash, a bad disk or a stray editor leaves it.
    static void IncrementByte(const std::string& name, std::size_t offset, int delta = 1) {
        std::string bytes = Read(name);
        ASSERT_LT(offset, bytes.size());
        bytes[offset] = static_cast<char>(bytes[offset] + delta);
        Write(name, bytes);
    }
    static void Truncate(const std::string& name, std::size_t size) {
        std::filesystem::resize_file(name, size);
    }
    static void Append(const std::string& name, const std::string& bytes) {
        Write(name, Read(name) + bytes);
    }
    // A record's 340 bytes as they lie in the data file.
    static std::string RecordBytes(const DayRecord& record) {
        std::string bytes(DayRecord::kSize, '\0');
        record.ToBytes(reinterpret_cast<unsigned char*>(bytes.data()));
        return bytes;
    }
};

#include "SampleLogBook.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <unistd.h>

SampleLogBook::SampleLogBook(benchmark::State& state) : state(state) {
    char pattern[] = "/tmp/veloria-bench-XXXXXX";
    if (!::mkdtemp(pattern)) {
        Fail("cannot create a temporary folder");
        return;
    }
    folder = pattern;
    dataFileName = folder + "/sample.vrl";

    first = DateValue::Of(2010, 1, 1); // a Friday
    DateValue date = first;
    days.reserve(kDays);
    for (int i = 0; i < kDays; ++i) {
        days.push_back(MakeDay(i, dates.KeyOfDate(date)));
        last = date;
        dates.AddDays(date, 1);
    }
    if (database.Open(dataFileName) != LogBookDatabase::OpenResult::Opened) {
        Fail("a new logbook did not open empty");
        return;
    }
    for (const DayRecord& day : days) {
        if (database.StoreRecord(day) != LogBookDatabase::StoreResult::Stored) {
            return;
        }
    }
    database.Close();
}

SampleLogBook::~SampleLogBook() {
    database.Close();
    if (!folder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
}

bool SampleLogBook::Fail(const char* message) {
    if (!failed) {
        state.SkipWithError(message);
        failed = true;
    }
    return false;
}

bool SampleLogBook::OpenExpecting(LogBookDatabase::OpenResult expected) {
    if (failed) {
        return false;
    }
    const LogBookDatabase::OpenResult opened = database.Open(dataFileName);
    if (opened != expected) {
        return Fail(opened == LogBookDatabase::OpenResult::Rebuilt
                        ? "the index was rebuilt although it was valid"
                        : "the logbook did not open as expected");
    }
    return true;
}

bool SampleLogBook::Restore() {
    if (database.Close() != LogBookDatabase::Result::Ok) {
        return false;
    }
    if (::truncate(dataFileName.c_str(), DataBytes()) != 0) {
        return Fail("cannot truncate the data file");
    }
    ::unlink(IndexFileName().c_str());
    return OpenExpecting(LogBookDatabase::OpenResult::Rebuilt) && database.EntryCount() == kDays;
}

DayRecord SampleLogBook::MakeDay(int i, std::int32_t dateKey) {
    DayRecord day = DayRecord::Blank(dateKey);
    day.distance = 3.0f + static_cast<float>(i % 23) * 0.75f;
    day.time = 900 + (i * 37) % 6000;
    day.pace = static_cast<std::int32_t>(static_cast<float>(day.time) / day.distance);
    day.speed = day.distance * 3600.0f / static_cast<float>(day.time);
    day.restHeartRate = 42 + i % 15;
    day.maxHeartRate = 150 + i % 40;
    day.calories = 200 + (i * 13) % 900;
    day.waterUsed = 0.5f + static_cast<float>(i % 5) * 0.25f;
    day.hoursSlept = 6.0f + static_cast<float>(i % 7) * 0.5f;
    day.temperature = -5 + i % 35;
    day.bodyWeight = 68.0f + static_cast<float>(i % 11) * 0.2f;
    day.competition = i % 9 == 0 ? 'Y' : 'N';
    day.difficulty = "EMH"[i % 3];
    std::memcpy(day.workout, DayRecord::kWorkoutNames[i % DayRecord::kWorkoutNameCount], 19);
    std::snprintf(day.comments, sizeof day.comments,
                  "Day %d: steady effort, legs %s, wind from the %s, felt %d out of 10.", i,
                  i % 2 ? "fresh" : "heavy", i % 3 ? "west" : "north", 3 + i % 8);
    return day;
}

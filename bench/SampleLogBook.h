#pragma once
// Ten years of fully filled-in days, written through the store into a fresh folder under
// /tmp that goes away with the object. Any message from the store skips the benchmark.

#include "store/LogBookDatabase.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

class SampleLogBook : public ErrorReporter {
public:
    static constexpr int kDays = 3650; // 2010-01-01 .. 2019-12-29

    explicit SampleLogBook(benchmark::State& state);
    ~SampleLogBook() override;
    SampleLogBook(const SampleLogBook&) = delete;
    SampleLogBook& operator=(const SampleLogBook&) = delete;

    void ReportError(const char* message) override { Fail(message); }
    // Skips the benchmark with the first message only; false, so callers can return it.
    bool Fail(const char* message);
    bool Failed() const { return failed; }

    // Opens the logbook and insists on the result Open should give (1 index, 2 rebuilt).
    bool OpenExpecting(LogBookDatabase::OpenResult expected);
    // Back to the ten years as written: drops every day appended since.
    bool Restore();

    LogBookDatabase& Database() { return database; }
    const DateUtility& Dates() const { return dates; }
    const std::vector<DayRecord>& Days() const { return days; }
    const DateValue& First() const { return first; }
    const DateValue& Last() const { return last; }
    const std::string& Folder() const { return folder; }
    const std::string& DataFileName() const { return dataFileName; }
    std::string IndexFileName() const { return database.IndexFileName(); }
    std::int64_t DataBytes() const { return std::int64_t{kDays} * static_cast<std::int64_t>(DayRecord::kSize); }

    // The generated content of day number i of the sample.
    static DayRecord MakeDay(int i, std::int32_t dateKey);

private:
    benchmark::State& state;
    bool failed = false;
    DateUtility dates;
    LogBookDatabase database{*this, dates};
    std::vector<DayRecord> days;
    DateValue first;
    DateValue last;
    std::string folder;
    std::string dataFileName;
};

using BenchClock = std::chrono::steady_clock;

inline double SecondsSince(BenchClock::time_point start) {
    return std::chrono::duration<double>(BenchClock::now() - start).count();
}

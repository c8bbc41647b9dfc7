#pragma once
// The sessions of a FIT file (one or several FIT files chained in one), read as a stream:
// the file header, definition and data messages in either byte order, compressed-timestamp
// headers and developer fields, each file's closing CRC. Only file_id, session, lap, record,
// sport and activity messages are looked into; every other message is skipped by the size its
// definition gives. Each session is an activity; a file whose watch stopped before writing
// its sessions gives its laps (consecutive laps of one sport make an activity), or failing
// those its records, and says so in the activity's note.

#include "activities/Activity.h"
#include "activities/ActivityInput.h"
#include "activities/MovingTime.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class FitReader {
public:
    // FIT dates count seconds from 1989-12-31 00:00 UTC; this is that moment after 1970.
    static constexpr std::int64_t kEpoch = 631065600;
    // Below this a date_time counts seconds since the device started, not a date.
    static constexpr std::uint32_t kFirstDate = 0x10000000;
    // More sessions than any real file holds; a file claiming more is refused.
    static constexpr std::size_t kMaxSessions = 10000;

    explicit FitReader(ActivityInput& input);

    ActivityFileResult Read();

    // Whether bytes (at least 12) begin like a FIT file: header size 12 or 14 and ".FIT".
    static bool LooksLikeFit(const unsigned char* bytes, std::size_t size);
    // The FIT CRC-16 (polynomial 0xA001 reflected, start 0) carried on over bytes.
    static std::uint16_t Crc16(std::uint16_t crc, const unsigned char* bytes, std::size_t size);
    // "Running", "Cross country skiing"; "Other" for generic and unknown numbers.
    static const char* SportName(unsigned sport);

private:
    struct Field {
        std::uint8_t number;
        std::uint8_t size;
        std::uint8_t baseType;
    };
    struct Definition {
        bool defined = false;
        bool bigEndian = false;
        std::uint16_t global = 0;
        std::uint32_t size = 0; // of a data message, developer fields included
        int timestampAt = -1;   // offset of field 253, -1 without
        std::uint8_t timestampSize = 0;
        std::uint8_t timestampType = 0;
        std::vector<Field> fields;
    };
    // What one of the chained files said: its sessions, or a lap.
    struct Session {
        std::optional<std::uint64_t> start, sport, timer, distance, calories, avgHr, maxHr, elapsed,
            ascent;
    };
    // Laps of one sport in a row, summed.
    struct LapRun {
        std::int64_t start = 0;
        std::optional<std::uint64_t> sport;
        double seconds = 0, metres = 0, calories = 0, hrWeighted = 0, hrSeconds = 0, hrSum = 0;
        int maxHr = 0, hrCount = 0;
    };
    // The records (points) in all: moving time from their times, pauses left out.
    struct Records {
        std::optional<std::int64_t> start, last;
        MovingTime time;
        std::uint64_t centimetres = 0; // the largest distance, which counts up
        std::optional<std::uint64_t> heartRate;
        double hrWeighted = 0, hrSeconds = 0;
        int maxHr = 0;
        std::vector<TrackPoint> points; // those with a distance, for the best efforts
    };

    // Makes n bytes readable at buffer[at]; false at the end of the input or on a failure.
    bool Need(std::size_t n);
    // Passes n readable bytes, counting them into the CRC.
    void Take(std::size_t n);
    ActivityFileResult Refuse(FileProblem problem, std::string detail = "");
    // One chained file from its header to its CRC.
    FileProblem ReadFile(bool first);
    FileProblem ReadDefinition(std::uint8_t header, std::uint32_t& remaining);
    FileProblem ReadData(const Definition& definition, std::optional<std::uint32_t> timestamp,
                         std::uint32_t& remaining, bool first);
    void AddLap(const Session& lap);
    void AddRecord(std::optional<std::uint32_t> timestamp, const Session& record);
    // The activities of the chained file just read.
    void Gather(std::optional<std::int64_t> offset);
    void GatherFigures(std::optional<std::int64_t> offset);
    // Hands each activity from first on the record points from its start to the next one's.
    void Share(std::size_t first);
    // The first value of a field; nothing for the invalid marker or a type not a number.
    static std::optional<std::uint64_t> Value(const unsigned char* bytes, const Field& field,
                                              bool bigEndian);

    ActivityInput& input;
    std::vector<unsigned char> buffer;
    std::size_t at = 0;
    std::size_t end = 0;
    bool inputFailed = false;
    std::uint16_t crc = 0;

    std::array<Definition, 16> definitions;
    std::uint32_t lastTimestamp = 0;
    std::optional<std::uint64_t> fileType;
    std::vector<Session> sessions;
    std::vector<LapRun> laps;
    Records records;
    std::optional<std::uint64_t> fileSport; // the sport message's
    std::size_t timeless = 0;               // sessions, laps and records without a date
    std::optional<std::uint64_t> activityTimestamp, activityLocalTimestamp;
    ActivityFileResult result;
    bool sawActivityFile = false;
};

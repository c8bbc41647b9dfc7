#include "activities/FitReader.h"

#include <algorithm>
#include <cstring>

// The layout read here (all multi-byte numbers of the header little-endian):
//
//   file header   offset width
//                      0     1  header size, 12 or 14
//                      1     1  protocol version
//                      2     2  profile version
//                      4     4  data size: the bytes of messages after the header
//                      8     4  ".FIT"
//                     12     2  header CRC (14-byte header only; 0 = not given)
//   messages      each a record header byte, then its content:
//                   bit 7 set   compressed timestamp: bits 5-6 local type, bits 0-4 seconds
//                   bit 6 set   definition: bit 5 developer fields, bits 0-3 local type
//                   otherwise   data of local type bits 0-3, laid out as last defined
//   definition    0 reserved, 1 architecture (0 little-, 1 big-endian), 2 global message
//                 number (2, in that byte order), 4 field count, then 3 bytes a field (number,
//                 size, base type); with developer fields a count and 3 bytes each (number,
//                 size, developer index)
//   file CRC      2 bytes after the data, over the header and the data
//
// Another file may follow the CRC directly (chained files); local types start anew there.

namespace {

constexpr std::size_t kBufferSize = 256 * 1024;
constexpr std::uint16_t kFileId = 0;
constexpr std::uint16_t kSportMessage = 12;
constexpr std::uint16_t kSession = 18;
constexpr std::uint16_t kLap = 19;
constexpr std::uint16_t kRecord = 20;
constexpr std::uint16_t kActivityMessage = 34;
constexpr std::uint64_t kActivityFile = 4;
constexpr std::uint8_t kTimestampField = 253;

struct CrcTable {
    std::uint16_t entries[256];
    constexpr CrcTable() : entries() {
        for (unsigned i = 0; i < 256; ++i) {
            std::uint16_t c = static_cast<std::uint16_t>(i);
            for (int bit = 0; bit < 8; ++bit) {
                c = static_cast<std::uint16_t>((c & 1) ? (c >> 1) ^ 0xA001 : c >> 1);
            }
            entries[i] = c;
        }
    }
};
constexpr CrcTable kCrcTable;

std::uint32_t Little32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Profile names of the sport enum, by number.
constexpr const char* kSports[] = {"Other",
                                   "Running",
                                   "Cycling",
                                   "Transition",
                                   "Fitness equipment",
                                   "Swimming",
                                   "Basketball",
                                   "Soccer",
                                   "Tennis",
                                   "American football",
                                   "Training",
                                   "Walking",
                                   "Cross country skiing",
                                   "Alpine skiing",
                                   "Snowboarding",
                                   "Rowing",
                                   "Mountaineering",
                                   "Hiking",
                                   "Multisport",
                                   "Paddling",
                                   "Flying",
                                   "E biking",
                                   "Motorcycling",
                                   "Boating",
                                   "Driving",
                                   "Golf",
                                   "Hang gliding",
                                   "Horseback riding",
                                   "Hunting",
                                   "Fishing",
                                   "Inline skating",
                                   "Rock climbing",
                                   "Sailing",
                                   "Ice skating",
                                   "Sky diving",
                                   "Snowshoeing",
                                   "Snowmobiling",
                                   "Stand up paddleboarding",
                                   "Surfing",
                                   "Wakeboarding",
                                   "Water skiing",
                                   "Kayaking",
                                   "Rafting",
                                   "Windsurfing",
                                   "Kitesurfing",
                                   "Tactical",
                                   "Jumpmaster",
                                   "Boxing",
                                   "Floor climbing"};

} // namespace

FitReader::FitReader(ActivityInput& input) : input(input), buffer(kBufferSize) {}

bool FitReader::LooksLikeFit(const unsigned char* bytes, std::size_t size) {
    return size >= 12 && (bytes[0] == 12 || bytes[0] == 14) &&
           std::memcmp(bytes + 8, ".FIT", 4) == 0;
}

std::uint16_t FitReader::Crc16(std::uint16_t crc, const unsigned char* bytes, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        crc = static_cast<std::uint16_t>((crc >> 8) ^ kCrcTable.entries[(crc ^ bytes[i]) & 0xFF]);
    }
    return crc;
}

const char* FitReader::SportName(unsigned sport) {
    return sport < std::size(kSports) ? kSports[sport] : "Other";
}

bool FitReader::Need(std::size_t n) {
    if (end - at >= n) {
        return true;
    }
    if (inputFailed) {
        return false;
    }
    if (at > 0) {
        std::memmove(buffer.data(), buffer.data() + at, end - at);
        end -= at;
        at = 0;
    }
    while (end < n) {
        const std::int64_t got = input.Read(buffer.data() + end, buffer.size() - end);
        if (got <= 0) {
            inputFailed = got < 0;
            return false;
        }
        end += static_cast<std::size_t>(got);
    }
    return true;
}

void FitReader::Take(std::size_t n) {
    crc = Crc16(crc, buffer.data() + at, n);
    at += n;
}

ActivityFileResult FitReader::Refuse(FileProblem problem, std::string detail) {
    ActivityFileResult refused;
    if (input.Problem() != FileProblem::None) {
        refused.problem = input.Problem();
        refused.detail = input.Detail();
    } else {
        refused.problem = problem;
        refused.detail = std::move(detail);
    }
    return refused;
}

ActivityFileResult FitReader::Read() {
    for (bool first = true;; first = false) {
        if (!first && !Need(1)) {
            break; // the last chained file ended cleanly
        }
        const FileProblem problem = ReadFile(first);
        if (problem != FileProblem::None) {
            return Refuse(problem);
        }
    }
    if (inputFailed) {
        return Refuse(FileProblem::Unreadable);
    }
    if (!sawActivityFile) {
        return Refuse(FileProblem::NotAnActivity);
    }
    if (result.activities.empty()) {
        return Refuse(timeless > 0 ? FileProblem::WithoutTimes : FileProblem::NoActivity);
    }
    if (result.activities.size() > kMaxSessions) {
        return Refuse(FileProblem::Damaged);
    }
    return std::move(result);
}

FileProblem FitReader::ReadFile(bool first) {
    if (!Need(12)) {
        return first && end - at == 0 && !inputFailed ? FileProblem::UnknownContent
                                                      : FileProblem::CutShort;
    }
    if (!LooksLikeFit(buffer.data() + at, end - at)) {
        return FileProblem::Damaged; // a first file was recognised by this; a later one was not
    }
    const std::size_t headerSize = buffer[at];
    if (!Need(headerSize)) {
        return FileProblem::CutShort;
    }
    crc = 0;
    const unsigned char* header = buffer.data() + at;
    std::uint32_t remaining = Little32(header + 4);
    if (headerSize == 14) {
        const std::uint16_t given = static_cast<std::uint16_t>(header[12] | header[13] << 8);
        if (given != 0 && given != Crc16(0, header, 12)) {
            return FileProblem::CrcMismatch;
        }
    }
    Take(headerSize);

    definitions = {};
    lastTimestamp = 0;
    fileType.reset();
    sessions.clear();
    laps.clear();
    records = Records{};
    fileSport.reset();
    activityTimestamp.reset();
    activityLocalTimestamp.reset();
    while (remaining > 0) {
        if (!Need(1)) {
            return FileProblem::CutShort;
        }
        const std::uint8_t recordHeader = buffer[at];
        Take(1);
        --remaining;
        if (recordHeader & 0x80) {
            const Definition& definition = definitions[(recordHeader >> 5) & 0x03];
            if (!definition.defined) {
                return FileProblem::Damaged;
            }
            // The offset is the low five bits of the time; it rolls over every 32 seconds.
            const std::uint32_t offset = recordHeader & 0x1F;
            std::uint32_t timestamp = (lastTimestamp & ~0x1Fu) + offset;
            if (offset < (lastTimestamp & 0x1Fu)) {
                timestamp += 0x20;
            }
            lastTimestamp = timestamp;
            const FileProblem problem = ReadData(definition, timestamp, remaining, first);
            if (problem != FileProblem::None) {
                return problem;
            }
        } else if (recordHeader & 0x40) {
            const FileProblem problem = ReadDefinition(recordHeader, remaining);
            if (problem != FileProblem::None) {
                return problem;
            }
        } else {
            const Definition& definition = definitions[recordHeader & 0x0F];
            if (!definition.defined) {
                return FileProblem::Damaged;
            }
            const FileProblem problem = ReadData(definition, std::nullopt, remaining, first);
            if (problem != FileProblem::None) {
                return problem;
            }
        }
    }
    if (!Need(2)) {
        return FileProblem::CutShort;
    }
    const std::uint16_t given = static_cast<std::uint16_t>(buffer[at] | buffer[at + 1] << 8);
    if (given != crc) {
        return FileProblem::CrcMismatch;
    }
    Take(2);

    if (fileType != kActivityFile) {
        return first ? FileProblem::NotAnActivity : FileProblem::None;
    }
    sawActivityFile = true;
    std::optional<std::int64_t> offset;
    if (activityTimestamp && activityLocalTimestamp && *activityTimestamp >= kFirstDate) {
        const std::int64_t difference = static_cast<std::int64_t>(*activityLocalTimestamp) -
                                        static_cast<std::int64_t>(*activityTimestamp);
        // A zone is never more than a day off; anything else is not a local time.
        if (difference >= -86400 && difference <= 86400) {
            offset = difference;
        }
    }
    Gather(offset);
    return result.activities.size() > kMaxSessions ? FileProblem::Damaged : FileProblem::None;
}

void FitReader::Gather(std::optional<std::int64_t> offset) {
    const std::size_t first = result.activities.size();
    GatherFigures(offset);
    Share(first);
}

void FitReader::GatherFigures(std::optional<std::int64_t> offset) {
    auto add = [&](std::int64_t start, std::optional<std::uint64_t> sport, const char* note) {
        Activity& activity = result.activities.emplace_back();
        activity.start = kEpoch + start;
        activity.localOffset = offset;
        activity.sport = SportName(sport ? static_cast<unsigned>(*sport) : 0);
        activity.note = note;
        return &activity;
    };
    for (const Session& s : sessions) {
        if (!s.start || *s.start < kFirstDate) {
            ++timeless; // left out; the file is refused only when nothing has a date
            continue;
        }
        Activity& activity = *add(static_cast<std::int64_t>(*s.start), s.sport, "");
        activity.seconds = s.timer ? static_cast<double>(*s.timer) / 1000.0 : 0.0;
        activity.metres = s.distance ? static_cast<double>(*s.distance) / 100.0 : 0.0;
        activity.calories = s.calories ? static_cast<double>(*s.calories) : 0.0;
        activity.maxHeartRate = s.maxHr ? static_cast<int>(*s.maxHr) : 0;
        if (s.avgHr) {
            activity.avgHeartRate = static_cast<double>(*s.avgHr);
        }
        activity.elapsed = s.elapsed ? static_cast<double>(*s.elapsed) / 1000.0 : 0.0;
        if (s.ascent) {
            activity.ascent = static_cast<double>(*s.ascent);
        }
    }
    if (!sessions.empty()) {
        return;
    }
    for (const LapRun& run : laps) {
        Activity& activity = *add(run.start, run.sport ? run.sport : fileSport,
                                  "from its laps; the session is missing");
        activity.seconds = run.seconds;
        activity.metres = run.metres;
        activity.calories = run.calories;
        activity.maxHeartRate = run.maxHr;
        if (run.hrCount > 0) {
            activity.avgHeartRate =
                run.hrSeconds > 0 ? run.hrWeighted / run.hrSeconds : run.hrSum / run.hrCount;
        }
    }
    if (!laps.empty() || !records.start) {
        return;
    }
    Activity& activity = *add(*records.start, fileSport, "from its records; no session or lap");
    activity.seconds = records.time.Seconds();
    activity.elapsed =
        static_cast<double>(std::max<std::int64_t>(*records.last - *records.start, 0));
    activity.metres = static_cast<double>(records.centimetres) / 100.0;
    activity.maxHeartRate = records.maxHr;
    if (records.hrSeconds > 0) {
        activity.avgHeartRate = records.hrWeighted / records.hrSeconds;
    }
}

void FitReader::AddLap(const Session& lap) {
    if (!lap.start || *lap.start < kFirstDate) {
        ++timeless;
        return;
    }
    if (laps.empty() || (lap.sport && laps.back().sport && *lap.sport != *laps.back().sport)) {
        if (laps.size() > kMaxSessions) {
            return; // refused as damaged when the activities are gathered
        }
        laps.push_back({});
        laps.back().start = static_cast<std::int64_t>(*lap.start);
    }
    LapRun& run = laps.back();
    if (!run.sport) {
        run.sport = lap.sport;
    }
    const double seconds = lap.timer ? static_cast<double>(*lap.timer) / 1000.0 : 0.0;
    run.seconds += seconds;
    run.metres += lap.distance ? static_cast<double>(*lap.distance) / 100.0 : 0.0;
    run.calories += lap.calories ? static_cast<double>(*lap.calories) : 0.0;
    run.maxHr = std::max(run.maxHr, lap.maxHr ? static_cast<int>(*lap.maxHr) : 0);
    if (lap.avgHr) {
        run.hrWeighted += static_cast<double>(*lap.avgHr) * seconds;
        run.hrSeconds += seconds;
        run.hrSum += static_cast<double>(*lap.avgHr);
        ++run.hrCount;
    }
}

void FitReader::AddRecord(std::optional<std::uint32_t> timestamp, const Session& record) {
    if (!timestamp || *timestamp < kFirstDate) {
        ++timeless;
        return;
    }
    const std::int64_t time = *timestamp;
    const std::optional<std::int64_t> before = records.last;
    if (!records.start) {
        records.start = time;
    }
    records.last = time;
    // The heart rate held from the point before over the moving gap since it.
    if (records.time.Add(time) && before && records.heartRate) {
        records.hrWeighted += static_cast<double>(*records.heartRate * (time - *before));
        records.hrSeconds += static_cast<double>(time - *before);
    }
    if (record.maxHr) {
        records.heartRate = record.maxHr;
        records.maxHr = std::max(records.maxHr, static_cast<int>(*record.maxHr));
    }
    if (record.distance) {
        records.centimetres = std::max(records.centimetres, *record.distance);
        records.points.push_back({kEpoch + time, static_cast<double>(*record.distance) / 100.0});
    }
}

void FitReader::Share(std::size_t first) {
    std::vector<Activity>& all = result.activities;
    for (std::size_t k = first; k < all.size(); ++k) {
        const std::int64_t from = all[k].start;
        const bool last = k + 1 == all.size();
        for (const TrackPoint& p : records.points) {
            if (p.time >= from && (last || p.time < all[k + 1].start)) {
                all[k].track.push_back(p);
            }
        }
    }
    records.points = {};
}

FileProblem FitReader::ReadDefinition(std::uint8_t header, std::uint32_t& remaining) {
    if (remaining < 5) {
        return FileProblem::Damaged;
    }
    if (!Need(5)) {
        return FileProblem::CutShort;
    }
    Definition definition;
    definition.defined = true;
    definition.bigEndian = buffer[at + 1] == 1;
    definition.global = definition.bigEndian
                            ? static_cast<std::uint16_t>(buffer[at + 2] << 8 | buffer[at + 3])
                            : static_cast<std::uint16_t>(buffer[at + 2] | buffer[at + 3] << 8);
    const std::size_t fieldCount = buffer[at + 4];
    Take(5);
    remaining -= 5;
    if (remaining < fieldCount * 3) {
        return FileProblem::Damaged;
    }
    if (!Need(fieldCount * 3)) {
        return FileProblem::CutShort;
    }
    definition.fields.reserve(fieldCount);
    for (std::size_t i = 0; i < fieldCount; ++i) {
        const Field field{buffer[at + 3 * i], buffer[at + 3 * i + 1], buffer[at + 3 * i + 2]};
        if (field.number == kTimestampField && definition.timestampAt < 0) {
            definition.timestampAt = static_cast<int>(definition.size);
            definition.timestampSize = field.size;
            definition.timestampType = field.baseType;
        }
        definition.size += field.size;
        definition.fields.push_back(field);
    }
    Take(fieldCount * 3);
    remaining -= static_cast<std::uint32_t>(fieldCount * 3);
    if (header & 0x20) {
        if (remaining < 1) {
            return FileProblem::Damaged;
        }
        if (!Need(1)) {
            return FileProblem::CutShort;
        }
        const std::size_t developerCount = buffer[at];
        Take(1);
        --remaining;
        if (remaining < developerCount * 3) {
            return FileProblem::Damaged;
        }
        if (!Need(developerCount * 3)) {
            return FileProblem::CutShort;
        }
        for (std::size_t i = 0; i < developerCount; ++i) {
            definition.size += buffer[at + 3 * i + 1];
        }
        Take(developerCount * 3);
        remaining -= static_cast<std::uint32_t>(developerCount * 3);
    }
    definitions[header & 0x0F] = std::move(definition);
    return FileProblem::None;
}

std::optional<std::uint64_t> FitReader::Value(const unsigned char* bytes, const Field& field,
                                              bool bigEndian) {
    // Base type number (low five bits): its width and whether it is signed or a "z" type.
    static constexpr std::uint8_t kWidth[] = {1, 1, 1, 2, 2, 4, 4, 0, 0, 0, 1, 2, 4, 0, 8, 8, 8};
    const unsigned type = field.baseType & 0x1F;
    if (type >= std::size(kWidth) || kWidth[type] == 0 || field.size < kWidth[type]) {
        return std::nullopt; // strings, floats, bytes: not what is read here
    }
    const unsigned width = kWidth[type];
    std::uint64_t value = 0;
    for (unsigned i = 0; i < width; ++i) {
        const unsigned char b = bytes[bigEndian ? i : width - 1 - i];
        value = value << 8 | b;
    }
    const bool zeroInvalid = type == 10 || type == 11 || type == 12 || type == 16;
    const bool isSigned = type == 1 || type == 3 || type == 5 || type == 14;
    const std::uint64_t ones =
        width == 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * width)) - 1;
    if (zeroInvalid ? value == 0 : value == (isSigned ? ones >> 1 : ones)) {
        return std::nullopt;
    }
    if (isSigned && (value >> (8 * width - 1)) != 0) {
        return std::nullopt; // a negative count, time or distance means nothing here
    }
    return value;
}

FileProblem FitReader::ReadData(const Definition& definition,
                                std::optional<std::uint32_t> timestamp, std::uint32_t& remaining,
                                bool first) {
    if (remaining < definition.size) {
        return FileProblem::Damaged;
    }
    if (!Need(definition.size)) {
        return FileProblem::CutShort;
    }
    const unsigned char* bytes = buffer.data() + at;
    if (definition.timestampAt >= 0) {
        const Field field{kTimestampField, definition.timestampSize, definition.timestampType};
        if (const auto value = Value(bytes + definition.timestampAt, field, definition.bigEndian)) {
            lastTimestamp = static_cast<std::uint32_t>(*value);
            timestamp = lastTimestamp;
        }
    }
    const std::uint16_t global = definition.global;
    if (global == kFileId || global == kSession || global == kLap || global == kRecord ||
        global == kSportMessage || global == kActivityMessage) {
        // session 18 and lap 19 alike: start_time 2, total_timer_time 8 (ms), total_distance
        // 9 (cm), total_calories 11 (kcal); sport, avg_heart_rate and max_heart_rate are
        // 5, 16, 17 in a session and 25, 15, 16 in a lap. record 20: heart_rate 3, distance
        // 5 (cm). A session's total_elapsed_time is 7 (ms), its total_ascent 22 (m).
        const bool lap = global == kLap;
        Session message;
        std::size_t offset = 0;
        for (const Field& field : definition.fields) {
            const std::optional<std::uint64_t> value =
                Value(bytes + offset, field, definition.bigEndian);
            offset += field.size;
            const unsigned n = field.number;
            switch (global) {
            case kFileId:
                if (n == 0) {
                    fileType = value;
                }
                break;
            case kActivityMessage:
                if (n == 5) {
                    activityLocalTimestamp = value;
                }
                break;
            case kSportMessage:
                if (n == 0) {
                    fileSport = value;
                }
                break;
            case kRecord:
                if (n == 3) {
                    message.maxHr = value;
                } else if (n == 5) {
                    message.distance = value;
                }
                break;
            default:
                if (n == 2) {
                    message.start = value;
                } else if (n == 7) {
                    message.elapsed = value;
                } else if (n == 8) {
                    message.timer = value;
                } else if (n == 22 && !lap) {
                    message.ascent = value;
                } else if (n == 9) {
                    message.distance = value;
                } else if (n == 11) {
                    message.calories = value;
                } else if (n == (lap ? 25u : 5u)) {
                    message.sport = value;
                } else if (n == (lap ? 15u : 16u)) {
                    message.avgHr = value;
                } else if (n == (lap ? 16u : 17u)) {
                    message.maxHr = value;
                }
                break;
            }
        }
        if (global == kFileId && first && fileType != kActivityFile) {
            Take(definition.size);
            return FileProblem::NotAnActivity; // said at once, without reading the rest
        }
        if (global == kActivityMessage) {
            activityTimestamp = timestamp;
        } else if (global == kSession) {
            if (sessions.size() >= kMaxSessions) {
                return FileProblem::Damaged;
            }
            sessions.push_back(message);
        } else if (lap) {
            AddLap(message);
        } else if (global == kRecord) {
            AddRecord(timestamp, message);
        }
    }
    Take(definition.size);
    remaining -= definition.size;
    return FileProblem::None;
}

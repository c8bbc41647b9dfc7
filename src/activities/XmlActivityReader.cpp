#include "activities/XmlActivityReader.h"

#include "activities/CivilTime.h"
#include "activities/FitReader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <expat.h>

enum class XmlActivityReader::Tag {
    Other,
    Gpx,
    Trk,
    Type,
    Trkseg,
    Trkpt,
    Time,
    Hr,
    Database,
    Activities,
    Activity,
    FirstSport,
    NextSport,
    Id,
    Lap,
    TotalTimeSeconds,
    DistanceMeters,
    Calories,
    AverageHeartRateBpm,
    MaximumHeartRateBpm,
    Value,
    Track,
    Trackpoint,
    PointTime,
    HeartRateBpm,
};

namespace {

using Tag = XmlActivityReader::Tag;
constexpr std::size_t kMaxText = 64; // longer texts are no number, time or sport

std::string_view LocalName(const char* name) {
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

Tag TagOf(std::string_view name) {
    static constexpr struct {
        std::string_view name;
        Tag tag;
    } kTags[] = {
        {"gpx", Tag::Gpx},
        {"trk", Tag::Trk},
        {"type", Tag::Type},
        {"trkseg", Tag::Trkseg},
        {"trkpt", Tag::Trkpt},
        {"time", Tag::Time},
        {"hr", Tag::Hr},
        {"TrainingCenterDatabase", Tag::Database},
        {"Activities", Tag::Activities},
        {"Activity", Tag::Activity},
        {"FirstSport", Tag::FirstSport},
        {"NextSport", Tag::NextSport},
        {"Id", Tag::Id},
        {"Lap", Tag::Lap},
        {"TotalTimeSeconds", Tag::TotalTimeSeconds},
        {"DistanceMeters", Tag::DistanceMeters},
        {"Calories", Tag::Calories},
        {"AverageHeartRateBpm", Tag::AverageHeartRateBpm},
        {"MaximumHeartRateBpm", Tag::MaximumHeartRateBpm},
        {"Value", Tag::Value},
        {"Track", Tag::Track},
        {"Trackpoint", Tag::Trackpoint},
        {"Time", Tag::PointTime},
        {"HeartRateBpm", Tag::HeartRateBpm},
    };
    for (const auto& t : kTags) {
        if (t.name == name) {
            return t.tag;
        }
    }
    return Tag::Other;
}

std::optional<double> Number(std::string_view text) {
    while (!text.empty() && std::strchr(" \t\r\n", text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::strchr(" \t\r\n", text.back())) {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

const char* Attribute(const char** attributes, std::string_view name) {
    for (int i = 0; attributes[i] != nullptr; i += 2) {
        if (LocalName(attributes[i]) == name) {
            return attributes[i + 1];
        }
    }
    return nullptr;
}

} // namespace

struct XmlHandlers {
    static void XMLCALL Start(void* data, const char* name, const char** attributes) {
        static_cast<XmlActivityReader*>(data)->Start(name, attributes);
    }
    static void XMLCALL End(void* data, const char*) {
        static_cast<XmlActivityReader*>(data)->End();
    }
    static void XMLCALL Text(void* data, const char* text, int length) {
        static_cast<XmlActivityReader*>(data)->Text(text, length);
    }
    static void XMLCALL Other(void* data, const char*, int) {
        static_cast<XmlActivityReader*>(data)->Passed();
    }
    static void XMLCALL Entity(void* data, const char*, int, const char*, int, const char*,
                               const char*, const char*, const char*) {
        static_cast<XmlActivityReader*>(data)->Stop(FileProblem::Damaged, "declares entities");
    }
};

double XmlActivityReader::Distance(double lat1, double lon1, double lat2, double lon2) {
    constexpr double kRadians = 3.14159265358979323846 / 180.0;
    const double phi1 = lat1 * kRadians;
    const double phi2 = lat2 * kRadians;
    const double dPhi = (lat2 - lat1) * kRadians;
    const double dLambda = (lon2 - lon1) * kRadians;
    const double a = std::sin(dPhi / 2) * std::sin(dPhi / 2) + std::cos(phi1) * std::cos(phi2) *
                                                                   std::sin(dLambda / 2) *
                                                                   std::sin(dLambda / 2);
    return 2 * kEarthRadius * std::asin(std::sqrt(std::min(1.0, a)));
}

std::string XmlActivityReader::SportOf(std::string_view text) {
    std::string key;
    for (const char c : text) {
        if (key.size() > kMaxText) {
            return "Other";
        }
        key += c == '_' || c == '-'
                   ? ' '
                   : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    while (!key.empty() && std::isspace(static_cast<unsigned char>(key.back()))) {
        key.pop_back();
    }
    key.erase(0, std::min(key.size(), key.find_first_not_of(" \t\r\n")));
    if (key == "biking") {
        return "Biking";
    }
    for (unsigned sport = 1; sport < 256; ++sport) {
        const std::string_view name = FitReader::SportName(sport);
        if (name == "Other") {
            break;
        }
        if (name.size() == key.size() &&
            std::equal(name.begin(), name.end(), key.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == b;
            })) {
            return std::string(name);
        }
    }
    return "Other";
}

void XmlActivityReader::Stop(FileProblem why, std::string what) {
    if (problem == FileProblem::None) {
        problem = why;
        detail = std::move(what);
    }
    XML_StopParser(static_cast<XML_Parser>(parser), XML_FALSE);
}

XmlActivityReader::Tag XmlActivityReader::Parent(std::size_t up) const {
    return path.size() > up ? path[path.size() - 1 - up] : Tag::Other;
}

void XmlActivityReader::Start(const char* name, const char** attributes) {
    lastEventAt = XML_GetCurrentByteIndex(static_cast<XML_Parser>(parser));
    if (problem != FileProblem::None) {
        return;
    }
    const Tag tag = TagOf(LocalName(name));
    if (path.empty()) {
        kind = tag == Tag::Gpx ? Kind::Gpx : tag == Tag::Database ? Kind::Tcx : Kind::Unknown;
        if (kind == Kind::Unknown) {
            Stop(FileProblem::UnknownContent);
            return;
        }
    }
    if (path.size() >= kMaxDepth) {
        Stop(FileProblem::Damaged, "nests too deep");
        return;
    }
    path.push_back(tag);
    const Tag parent = Parent();
    capturing = false;
    text.clear();
    if (kind == Kind::Gpx) {
        switch (tag) {
        case Tag::Trk:
            activity = Activity{};
            activity.sport = "Other";
            start.reset();
            lastPoint.reset();
            trackTimed = false;
            break;
        case Tag::Trkseg:
            segmentTimed = false;
            segmentTime.Reset();
            segmentMetres = 0;
            segmentMaxHr = 0;
            havePrevious = false;
            break;
        case Tag::Trkpt: {
            const char* lat = Attribute(attributes, "lat");
            const char* lon = Attribute(attributes, "lon");
            const auto la = lat ? Number(lat) : std::nullopt;
            const auto lo = lon ? Number(lon) : std::nullopt;
            pointPlaced = la && lo && std::abs(*la) <= 90 && std::abs(*lo) <= 180;
            if (pointPlaced) {
                pointLat = *la;
                pointLon = *lo;
            }
            pointTime.reset();
            break;
        }
        case Tag::Type:
        case Tag::Time:
            capturing = parent == (tag == Tag::Type ? Tag::Trk : Tag::Trkpt);
            break;
        case Tag::Hr:
            capturing = std::find(path.begin(), path.end(), Tag::Trkpt) != path.end();
            break;
        default:
            break;
        }
        return;
    }
    switch (tag) {
    case Tag::Activity:
        if (parent == Tag::Activities || parent == Tag::FirstSport || parent == Tag::NextSport) {
            activity = Activity{};
            const char* sport = Attribute(attributes, "Sport");
            activity.sport =
                sport && (std::strcmp(sport, "Running") == 0 || std::strcmp(sport, "Biking") == 0)
                    ? sport
                    : "Other";
            start.reset();
            lastPoint.reset();
            lapStart.reset();
            hrWeighted = hrSeconds = hrSum = 0;
            hrCount = 0;
        }
        break;
    case Tag::Lap:
        if (parent == Tag::Activity) {
            const char* at = Attribute(attributes, "StartTime");
            lapStartTime = at ? CivilTime::ReadDateTime(at) : std::nullopt;
            lapFirstPoint.reset();
            lapSeconds = lapMetres = lapCalories = 0;
            lapAvgHr.reset();
            lapMaxHr.reset();
            lapPointMaxHr = 0;
            lapTime.Reset();
        }
        break;
    case Tag::Track:
        lapTime.Break(); // a new Track follows a pause
        break;
    case Tag::Id:
        capturing = parent == Tag::Activity;
        break;
    case Tag::TotalTimeSeconds:
    case Tag::DistanceMeters:
    case Tag::Calories:
        capturing = parent == Tag::Lap || (tag == Tag::DistanceMeters && parent == Tag::Trackpoint);
        break;
    case Tag::Trackpoint:
        tcxPointTime.reset();
        tcxPointMetres.reset();
        break;
    case Tag::PointTime:
        capturing = parent == Tag::Trackpoint;
        break;
    case Tag::Value:
        capturing = ((parent == Tag::AverageHeartRateBpm || parent == Tag::MaximumHeartRateBpm) &&
                     Parent(2) == Tag::Lap) ||
                    (parent == Tag::HeartRateBpm && Parent(2) == Tag::Trackpoint);
        break;
    default:
        break;
    }
}

void XmlActivityReader::Text(const char* chunk, int length) {
    lastEventAt = XML_GetCurrentByteIndex(static_cast<XML_Parser>(parser));
    if (capturing && text.size() <= kMaxText) {
        text.append(chunk, std::min<std::size_t>(static_cast<std::size_t>(length),
                                                 kMaxText + 1 - text.size()));
    }
}

void XmlActivityReader::Passed() {
    lastEventAt = XML_GetCurrentByteIndex(static_cast<XML_Parser>(parser));
}

void XmlActivityReader::End() {
    lastEventAt = XML_GetCurrentByteIndex(static_cast<XML_Parser>(parser));
    if (problem != FileProblem::None || path.empty()) {
        return;
    }
    const Tag tag = path.back();
    path.pop_back();
    const Tag parent = Parent(0);
    const bool captured = capturing;
    capturing = false;
    if (result.activities.size() >= kMaxActivities) {
        Stop(FileProblem::Damaged, "holds too many activities");
        return;
    }
    if (kind == Kind::Gpx) {
        EndGpx(tag, parent, captured);
    } else {
        EndTcx(tag, parent, captured);
    }
}

void XmlActivityReader::EndGpx(Tag tag, Tag parent, bool captured) {
    switch (tag) {
    case Tag::Type:
        if (captured) {
            activity.sport = SportOf(text);
        }
        break;
    case Tag::Time:
        if (captured) {
            pointTime = CivilTime::ReadDateTime(text);
        }
        break;
    case Tag::Hr:
        if (const auto hr = captured ? Number(text) : std::nullopt; hr && *hr > 0 && *hr < 1000) {
            segmentMaxHr = std::max(segmentMaxHr, static_cast<int>(std::lround(*hr)));
        }
        break;
    case Tag::Trkpt: {
        bool moved = true;
        if (pointTime) {
            if (!start) {
                start = pointTime;
            }
            segmentTimed = true;
            moved = segmentTime.Add(*pointTime);
            lastPoint = std::max(lastPoint.value_or(*pointTime), *pointTime);
        }
        if (pointPlaced) {
            if (havePrevious && moved) { // not what was covered in a pause
                segmentMetres += Distance(previousLat, previousLon, pointLat, pointLon);
            }
            havePrevious = true;
            previousLat = pointLat;
            previousLon = pointLon;
            if (pointTime) {
                activity.track.push_back({*pointTime, activity.metres + segmentMetres});
            }
        }
        break;
    }
    case Tag::Trkseg:
        if (segmentTimed) {
            trackTimed = true;
            activity.seconds += segmentTime.Seconds();
            activity.metres += segmentMetres;
            activity.maxHeartRate = std::max(activity.maxHeartRate, segmentMaxHr);
        }
        break;
    case Tag::Trk:
        if (parent == Tag::Gpx) {
            if (!trackTimed) {
                ++timeless; // an empty log or a planned route
                break;
            }
            activity.start = *start;
            activity.elapsed = static_cast<double>(std::max<std::int64_t>(*lastPoint - *start, 0));
            result.activities.push_back(activity);
        }
        break;
    default:
        break;
    }
}

void XmlActivityReader::EndTcx(Tag tag, Tag parent, bool captured) {
    const std::optional<double> value = captured ? Number(text) : std::nullopt;
    switch (tag) {
    case Tag::Id:
        if (captured) {
            start = CivilTime::ReadDateTime(text);
        }
        break;
    case Tag::TotalTimeSeconds:
    case Tag::DistanceMeters:
    case Tag::Calories:
        if (captured && parent == Tag::Trackpoint) {
            tcxPointMetres = value && *value >= 0 ? value : std::nullopt;
        } else if (captured) { // the lap's own, not a track point's running figure
            double& figure = tag == Tag::TotalTimeSeconds ? lapSeconds
                             : tag == Tag::DistanceMeters ? lapMetres
                                                          : lapCalories;
            figure = value && *value > 0 ? *value : 0;
        }
        break;
    case Tag::PointTime:
        if (const auto t = captured ? CivilTime::ReadDateTime(text) : std::nullopt) {
            if (!lapFirstPoint) {
                lapFirstPoint = t;
            }
            lastPoint = std::max(lastPoint.value_or(*t), *t);
            lapTime.Add(*t);
            tcxPointTime = t;
        }
        break;
    case Tag::Trackpoint:
        if (tcxPointTime && tcxPointMetres) {
            activity.track.push_back({*tcxPointTime, *tcxPointMetres});
        }
        break;
    case Tag::Value:
        if (value && *value > 0 && *value < 1000) {
            const int rounded = static_cast<int>(std::lround(*value));
            if (parent == Tag::AverageHeartRateBpm) {
                lapAvgHr = *value;
            } else if (parent == Tag::MaximumHeartRateBpm) {
                lapMaxHr = std::max(lapMaxHr.value_or(0), rounded);
            } else {
                lapPointMaxHr = std::max(lapPointMaxHr, rounded);
            }
        }
        break;
    case Tag::Lap:
        if (parent == Tag::Activity) {
            const std::optional<std::int64_t> lapBegan =
                lapStartTime ? lapStartTime : lapFirstPoint;
            if (!lapBegan) {
                break; // a lap without times: its figures are no recording
            }
            if (!lapStart) {
                lapStart = lapBegan;
            }
            // Without its own timer time, the lap's points tell it, pauses left out.
            const double seconds = lapSeconds > 0 ? lapSeconds : lapTime.Seconds();
            activity.seconds += seconds;
            activity.metres += lapMetres;
            activity.calories += lapCalories;
            activity.maxHeartRate =
                std::max(activity.maxHeartRate, lapMaxHr ? *lapMaxHr : lapPointMaxHr);
            if (lapAvgHr) {
                hrWeighted += *lapAvgHr * seconds;
                hrSeconds += seconds;
                hrSum += *lapAvgHr;
                ++hrCount;
            }
        }
        break;
    case Tag::Activity:
        if (parent == Tag::Activities || parent == Tag::FirstSport || parent == Tag::NextSport) {
            if (!start) {
                start = lapStart;
            }
            if (!start) {
                ++timeless;
                break;
            }
            activity.start = *start;
            activity.calories = std::round(activity.calories);
            if (lastPoint && *lastPoint > *start) {
                activity.elapsed = static_cast<double>(*lastPoint - *start);
            }
            if (hrCount > 0) {
                activity.avgHeartRate = hrSeconds > 0 ? hrWeighted / hrSeconds : hrSum / hrCount;
            }
            result.activities.push_back(activity);
        }
        break;
    default:
        break;
    }
}

ActivityFileResult XmlActivityReader::Read() {
    XML_Parser xml = XML_ParserCreate(nullptr);
    if (xml == nullptr) {
        result.problem = FileProblem::Unreadable;
        return result;
    }
    parser = xml;
    XML_SetUserData(xml, this);
    XML_SetElementHandler(xml, XmlHandlers::Start, XmlHandlers::End);
    XML_SetCharacterDataHandler(xml, XmlHandlers::Text);
    // Every other piece of markup reaches this, which keeps nothing (the Expand form, so
    // that setting it does not change how entities are treated).
    XML_SetDefaultHandlerExpand(xml, XmlHandlers::Other);
    XML_SetEntityDeclHandler(xml, XmlHandlers::Entity);
    XML_SetParamEntityParsing(xml, XML_PARAM_ENTITY_PARSING_NEVER);
    std::int64_t fed = 0;
    for (;;) {
        void* into = XML_GetBuffer(xml, 64 * 1024);
        if (into == nullptr) {
            Stop(FileProblem::Unreadable, "out of memory");
            break;
        }
        const std::int64_t n = input.Read(static_cast<unsigned char*>(into), 64 * 1024);
        if (n < 0) {
            problem = input.Problem();
            detail = input.Detail();
            break;
        }
        fed += n;
        if (XML_ParseBuffer(xml, static_cast<int>(n), n == 0) != XML_STATUS_OK) {
            if (problem == FileProblem::None) {
                problem = FileProblem::NotXml;
                detail = std::string(XML_ErrorString(XML_GetErrorCode(xml))) + " on line " +
                         std::to_string(XML_GetCurrentLineNumber(xml));
            }
            break;
        }
        if (n == 0) {
            break;
        }
        if (fed - lastEventAt > kMaxToken) {
            problem = FileProblem::Damaged;
            detail = "holds a tag or text too long";
            break;
        }
    }
    XML_ParserFree(xml);
    parser = nullptr;
    if (problem != FileProblem::None) {
        ActivityFileResult refused;
        refused.problem = problem;
        refused.detail = detail;
        return refused;
    }
    if (result.activities.empty()) {
        result.problem = timeless > 0 ? FileProblem::WithoutTimes : FileProblem::NoActivity;
    }
    return std::move(result);
}

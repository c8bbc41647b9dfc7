#pragma once
// The activities of a GPX (1.0 or 1.1) or TCX file, read as a stream with expat: each GPX
// track and each TCX activity is one activity; moving time leaves out pauses (see
// MovingTime). Documents that declare entities are
// refused (so none is ever loaded or expanded), nesting and single tokens are bounded, and
// nothing is kept of a point once the next has been read but its time and running distance.

#include "activities/Activity.h"
#include "activities/ActivityInput.h"
#include "activities/MovingTime.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class XmlActivityReader {
public:
    static constexpr double kEarthRadius = 6371008.8; // metres, the mean radius
    static constexpr std::size_t kMaxDepth = 256;
    static constexpr std::int64_t kMaxToken = 1024 * 1024; // bytes expat may hold at once
    static constexpr std::size_t kMaxActivities = 10000;

    explicit XmlActivityReader(ActivityInput& input) : input(input) {}

    ActivityFileResult Read();

    // The great-circle distance in metres between two points given in degrees (haversine).
    static double Distance(double lat1, double lon1, double lat2, double lon2);
    // A sport as GPX types and TCX Sport attributes name it, in the FIT profile's words
    // ("running" -> "Running", "biking" -> "Biking"); "Other" for what is not a sport known.
    static std::string SportOf(std::string_view text);

    enum class Tag;

private:
    friend struct XmlHandlers;

    void Start(const char* name, const char** attributes);
    void End();
    void Text(const char* text, int length);
    // Any other markup (comments, blanks outside the root, declarations): nothing is kept of
    // it, so the bytes before it are no longer held.
    void Passed();
    void Stop(FileProblem problem, std::string detail = "");
    Tag Parent(std::size_t up = 1) const;
    void EndGpx(Tag tag, Tag parent, bool captured);
    void EndTcx(Tag tag, Tag parent, bool captured);

    ActivityInput& input;
    void* parser = nullptr;
    enum class Kind { Unknown, Gpx, Tcx } kind = Kind::Unknown;
    std::vector<Tag> path;
    bool capturing = false;
    std::string text;
    std::int64_t lastEventAt = 0;
    FileProblem problem = FileProblem::None;
    std::string detail;
    ActivityFileResult result;

    // The activity being read; tracks, activities and laps without times are left out, and
    // counted so that a file with nothing else is refused as without times.
    Activity activity;
    std::optional<std::int64_t> start;
    std::size_t timeless = 0;
    // GPX: the segment and the point being read. A segment counts only when it has times.
    bool trackTimed = false, segmentTimed = false;
    MovingTime segmentTime;
    double segmentMetres = 0;
    int segmentMaxHr = 0;
    bool pointPlaced = false, havePrevious = false;
    double pointLat = 0, pointLon = 0, previousLat = 0, previousLon = 0;
    std::optional<std::int64_t> pointTime;
    std::optional<std::int64_t> lastPoint; // the activity's latest point time
    // TCX: the first timed lap's start, the lap being read (its own figures, and what its
    // track points tell when it gives none), and the heart rate's weights over the activity.
    std::optional<std::int64_t> lapStart, lapStartTime, lapFirstPoint;
    std::optional<std::int64_t> tcxPointTime; // the track point's, with its running distance
    std::optional<double> tcxPointMetres;
    double lapSeconds = 0, lapMetres = 0, lapCalories = 0;
    std::optional<double> lapAvgHr;
    std::optional<int> lapMaxHr;
    int lapPointMaxHr = 0;
    MovingTime lapTime;
    double hrWeighted = 0, hrSeconds = 0, hrSum = 0;
    int hrCount = 0;
};

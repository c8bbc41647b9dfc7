// The activity readers over any bytes: FIT (fit_reader), GPX and TCX (gpx_reader,
// tcx_reader) and gzip (gzip_input), picked by content as an import picks them. Beyond never
// crashing or overreading: the same bytes read whole and in small pieces give the same
// answer, and every activity read has a start a logbook can hold and no negative figure.

#include "FuzzFiles.h"

#include "activities/ActivityFile.h"
#include "activities/FitReader.h"

#include <algorithm>
#include <cstring>

using fuzzfiles::Require;

namespace {

ActivityFileResult ReadInPieces(const std::uint8_t* data, std::size_t size, std::size_t piece) {
    std::size_t at = 0;
    return ActivityFile::Read([&](unsigned char* buffer, std::size_t length) -> std::int64_t {
        const std::size_t n = std::min({length, size - at, piece});
        std::memcpy(buffer, data + at, n);
        at += n;
        return static_cast<std::int64_t>(n);
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ActivityFileResult whole = ReadInPieces(data, size, 1 << 20);
    const ActivityFileResult pieces = ReadInPieces(data, size, 3);
    Require(whole.problem == pieces.problem);
    Require(whole.activities.size() == pieces.activities.size());
    Require((whole.problem == FileProblem::None) == !whole.activities.empty());
    for (std::size_t i = 0; i < whole.activities.size(); ++i) {
        const Activity& a = whole.activities[i];
        Require(a.start == pieces.activities[i].start);
        Require(a.sport == pieces.activities[i].sport);
        Require(a.seconds >= 0 && a.metres >= 0 && a.calories >= 0 && a.maxHeartRate >= 0);
        Require(!a.sport.empty());
    }
    return 0;
}

#pragma once
// A season for the records, on a logbook in the km unit: races and training typed by hand,
// a glitch (60 km in five hours), a recorded watch file (2007-08-07, 8.35 km), and two FIT
// runs with tracks on 2025-09-06 (10 km: 6 km at 40 m a 10 s, 4 km at 50 m a 10 s) and
// 2025-09-13 (ten 400 m reps in 72 s, each with a 100 m jog in 36 s). The machine's zone is
// taken as UTC by the tests, so the runs start at 07:00 on their days.

#include "activities/FitWriter.h"
#include "store/DayRecord.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace season {

inline DayRecord Typed(std::int32_t key, float km, std::int32_t seconds, bool competition) {
    DayRecord d = DayRecord::Blank(key);
    d.distance = km;
    d.time = seconds;
    d.competition = competition ? 'Y' : 'N';
    return d;
}

inline std::vector<DayRecord> TypedDays() {
    return {
        Typed(20250309, 5.00F, 1230, true),   // 0:20:30
        Typed(20250413, 5.02F, 1198, true),   // 0:19:58
        Typed(20250504, 10.03F, 2500, true),  // 0:41:40
        Typed(20250520, 5.00F, 1080, false),  // an interval session, 0:18:00
        Typed(20250601, 21.1F, 5530, true),   // 1:32:10
        Typed(20250803, 5.00F, 1198, true),   // 0:19:58
        Typed(20250810, 60.0F, 18000, false), // the glitch, 5:00:00
    };
}

constexpr std::uint64_t kRunStart = 1126076400; // 2025-09-06 07:00:00 UTC as FIT counts

// A FIT run: the session and a record every step_seconds, whose metres the step gives.
template <typename Step>
std::string Run(std::uint64_t start, std::uint64_t centimetres, std::uint64_t ms, Step step) {
    FitWriter fit;
    fit.FileId(4).Sessions({{start, 1, ms, centimetres, 0, 0, 0}});
    fit.Define(3, 20, {{253, 4, FitWriter::kUint32}, {5, 4, FitWriter::kUint32}});
    std::uint64_t t = start;
    std::uint64_t cm = 0;
    fit.Data(3, {t, cm});
    while (cm < centimetres) {
        step(t, cm);
        fit.Data(3, {t, cm});
    }
    return fit.Bytes();
}

// Writes run.fit and intervals.fit into folder; the files to import, the recorded one first.
inline std::vector<std::string> WriteFiles(const std::string& folder, const std::string& recorded) {
    const std::string run =
        Run(kRunStart, 1000000, 2300000, [](std::uint64_t& t, std::uint64_t& cm) {
            t += 10;
            cm += cm < 600000 ? 4000 : 5000;
        });
    bool fast = true;
    const std::string intervals =
        Run(kRunStart + 7 * 86400, 500000, 1080000, [&fast](std::uint64_t& t, std::uint64_t& cm) {
            t += fast ? 72 : 36;
            cm += fast ? 40000 : 10000;
            fast = !fast;
        });
    std::ofstream(folder + "/run.fit", std::ios::binary) << run;
    std::ofstream(folder + "/intervals.fit", std::ios::binary) << intervals;
    return {recorded + "/watch-run.tcx", folder + "/run.fit", folder + "/intervals.fit"};
}

// What veloria-logbook records prints for Running once run.fit is counted as a race and the
// glitch is left out of records, each line worked out by hand:
//   5 km: 5.02 km is within 0.5 % of 5 km; the two 0:19:58 go to the earlier first; the
//     interval session is a training day and run.fit is 10 km.
//   Paces rounded up: 1198 s / 5.02 km = 238.6 (3:59), 1198 / 5 = 239.6 (4:00), 1230 / 5 =
//     246 (4:06), 2500 / 10.03 = 249.3 (4:10), 5530 / 21.1 = 262.1 (4:23), 2300 / 10 = 230
//     (3:50), 1080 / 5 = 216 (3:36), 2325 s / 8.3485 km = 278.5 (4:39).
//   Weeks (ISO): 9 Mar is W10, 13 Apr W15, 4 May W18, 20 May W21, 1 Jun W22, 3 Aug W31,
//     6 Sep W36, 13 Sep W37; 7 Aug 2007 is 2007-W32. May 10.03 + 5 = 15.03 km, Sep 10 + 5;
//     2025: 5 + 5.02 + 10.03 + 5 + 21.1 + 5 + 10 + 5 = 66.15 km.
//   Best efforts: run.fit's 1 km in its fast part, 20 x 10 s; its 5 km the last 4 km (800 s)
//     and 1 km before (250 s); intervals.fit: any 1000 m holds 800 m of reps (144 s) and
//     200 m of jogs (72 s). The watch file's fastest 1 km starts at its point at 33.74 m
//     (34 s in) and ends on its long leg from 167.35 m (76 s) to 2006.37 m (755 s), passing
//     1033.74 m at 76 + 679 x 866.39 / 1839.02 = 395.9 s: 361.9 s, 0:06:02 rounded up.
inline const char* const kRunningRecords = R"(Race bests (Running)
  1,500 m: none
  1 mile: none
  3 km: none
  5 km
     1. 2025-04-13  0:19:58  5.02 km, competition
     2. 2025-08-03  0:19:58  5.00 km, competition
     3. 2025-03-09  0:20:30  5.00 km, competition
  10 km
     1. 2025-09-06  0:38:20  10.00 km, race
     2. 2025-05-04  0:41:40  10.03 km, competition
  15 km: none
  10 miles: none
  Half marathon
     1. 2025-06-01  1:32:10  21.10 km, competition
  30 km: none
  Marathon: none
  50 km: none
  100 km: none
Day records (Running)
  Longest distance
     1. 2025-06-01  21.10 km  1:32:10
     2. 2025-05-04  10.03 km  0:41:40
     3. 2025-09-06  10.00 km  0:38:20
     4. 2007-08-07  8.35 km  0:38:45
     5. 2025-04-13  5.02 km  0:19:58
     6. 2025-03-09  5.00 km  0:20:30
     7. 2025-05-20  5.00 km  0:18:00
     8. 2025-08-03  5.00 km  0:19:58
     9. 2025-09-13  5.00 km  0:18:00
  Longest time
     1. 2025-06-01  1:32:10  21.10 km
     2. 2025-05-04  0:41:40  10.03 km
     3. 2007-08-07  0:38:45  8.35 km
     4. 2025-09-06  0:38:20  10.00 km
     5. 2025-03-09  0:20:30  5.00 km
     6. 2025-04-13  0:19:58  5.02 km
     7. 2025-08-03  0:19:58  5.00 km
     8. 2025-05-20  0:18:00  5.00 km
     9. 2025-09-13  0:18:00  5.00 km
  Biggest week
     1. 2025-W22  21.10 km
     2. 2025-W18  10.03 km
     3. 2025-W36  10.00 km
     4. 2007-W32  8.35 km
     5. 2025-W15  5.02 km
     6. 2025-W10  5.00 km
     7. 2025-W21  5.00 km
     8. 2025-W31  5.00 km
     9. 2025-W37  5.00 km
  Biggest month
     1. Jun 2025  21.10 km
     2. May 2025  15.03 km
     3. Sep 2025  15.00 km
     4. Aug 2007  8.35 km
     5. Apr 2025  5.02 km
     6. Mar 2025  5.00 km
     7. Aug 2025  5.00 km
  Biggest year
     1. 2025  66.15 km
     2. 2007  8.35 km
  Most active days in a row
     1. 2007-08-07  1 day  to 2007-08-07
     2. 2025-03-09  1 day  to 2025-03-09
     3. 2025-04-13  1 day  to 2025-04-13
     4. 2025-05-04  1 day  to 2025-05-04
     5. 2025-05-20  1 day  to 2025-05-20
     6. 2025-06-01  1 day  to 2025-06-01
     7. 2025-08-03  1 day  to 2025-08-03
     8. 2025-09-06  1 day  to 2025-09-06
     9. 2025-09-13  1 day  to 2025-09-13
  Fastest day of at least 5 km (average pace)
     1. 2025-05-20  3:36/km  5.00 km in 0:18:00
     2. 2025-09-13  3:36/km  5.00 km in 0:18:00
     3. 2025-09-06  3:50/km  10.00 km in 0:38:20
     4. 2025-04-13  3:59/km  5.02 km in 0:19:58
     5. 2025-08-03  4:00/km  5.00 km in 0:19:58
     6. 2025-03-09  4:06/km  5.00 km in 0:20:30
     7. 2025-05-04  4:10/km  10.03 km in 0:41:40
     8. 2025-06-01  4:23/km  21.10 km in 1:32:10
     9. 2007-08-07  4:39/km  8.35 km in 0:38:45
  Fastest day of at least 10 km (average pace)
     1. 2025-09-06  3:50/km  10.00 km in 0:38:20
     2. 2025-05-04  4:10/km  10.03 km in 0:41:40
     3. 2025-06-01  4:23/km  21.10 km in 1:32:10
  Fastest day of at least 21.1 km (average pace)
     1. 2025-06-01  4:23/km  21.10 km in 1:32:10
Best efforts from tracks (Running)
  1 km
     1. 2025-09-06  0:03:20  in 10.00 km
     2. 2025-09-13  0:03:36  in 5.00 km
     3. 2007-08-07  0:06:02  in 8.35 km
  5 km
     1. 2025-09-06  0:17:30  in 10.00 km
     2. 2025-09-13  0:18:00  in 5.00 km
  10 km
     1. 2025-09-06  0:38:20  in 10.00 km
  Half marathon: none
  Marathon: none
Left out of records
  2025-08-10: not for records
)";

} // namespace season

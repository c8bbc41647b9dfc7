#pragma once
// One activity file read whole: opened without waiting on a FIFO or device, inflated when
// it is gzip-compressed, and recognised by its content (the FIT header's ".FIT", the XML
// root element), never by its name.

#include "activities/Activity.h"
#include "activities/ActivityInput.h"

#include <string>
#include <string_view>

class ActivityFile {
public:
    // keepGoing is polled while the file is read (see ActivityInput); false stops it with
    // FileProblem::Cancelled.
    static ActivityFileResult Read(const std::string& path,
                                   const ActivityInput::KeepGoing& keepGoing = {});
    static ActivityFileResult Read(ActivityInput::Source source,
                                   const ActivityInput::KeepGoing& keepGoing = {});

    // Whether a folder's file is taken: .fit, .gpx or .tcx, perhaps followed by .gz, case
    // ignored.
    static bool HasActivityName(std::string_view name);
    // Whether the first bytes of a file (at least 16 when the file has them) begin an
    // activity file: gzip, FIT or XML.
    static bool BeginsLikeActivity(std::string_view bytes);
};

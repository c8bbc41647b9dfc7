#pragma once
// The views' figures as text for veloria-logbook: the statistics table, a calendar month
// and a graph's points. Each is computed by the same class the window uses, so the
// terminal and the window show the same figures.

#include "store/DateUtility.h"
#include "store/LogBookDatabase.h"
#include "views/ViewSelection.h"

#include <ostream>

class ViewReports {
public:
    explicit ViewReports(const DateUtility& dates) : dates(dates) {}

    // The title line, then the six column titles and one line per row, each cell padded to
    // 11 characters; or, as CSV, a header and one row per quantity with whole values (not
    // cut to the window's cells) and "--" left empty.
    // False when the logbook could not be read (the store has said why).
    bool Statistics(LogBookDatabase& database, const ViewSelection& selection, bool csv,
                    std::ostream& out) const;
    // The month and category, the weekday titles, then for each of the six weeks a line of
    // day numbers ("[dd]" for today) and a line of the category's values ("*" marks a
    // competition), in columns nine characters wide.
    bool Calendar(LogBookDatabase& database, const DateValue& month, Category category,
                  const DateValue& today, std::ostream& out) const;
    // One item a line: category, days, group, axis, labels, points, averages.
    bool Graph(LogBookDatabase& database, const ViewSelection& selection, std::ostream& out) const;

private:
    const DateUtility& dates;
};

#include "cli/ViewReports.h"

#include "views/CalendarMonth.h"
#include "views/GraphSeries.h"
#include "views/StatisticsTable.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string TrimRight(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::string TrimBoth(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : TrimRight(text.substr(first));
}

std::string Padded(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

void Line(std::ostream& out, const std::string& text) {
    out << TrimRight(text) << '\n';
}

template <typename Values> std::string Joined(const Values& values) {
    std::string text;
    for (const auto& v : values) {
        text += ' ';
        text += std::to_string(v);
    }
    return text;
}

} // namespace

bool ViewReports::Statistics(LogBookDatabase& database, const ViewSelection& selection, bool csv,
                             std::ostream& out) const {
    StatisticsTable table;
    const bool read = table.Compute(database, selection);
    if (csv) {
        out << "quantity,entries,missed,minimum,maximum,average,total\n";
        for (int r = 0; r < StatisticsTable::kRows; ++r) {
            out << TrimBoth(StatisticsTable::kRowTitles[static_cast<std::size_t>(r)]);
            for (int c = 0; c < StatisticsTable::kColumns; ++c) {
                const std::string cell = table.ValueText(r, c, dates);
                out << ',' << (cell == StatisticsTable::kNone ? std::string() : TrimBoth(cell));
            }
            out << '\n';
        }
        return read;
    }
    out << "Statistics from " << selection.StartText() << " to " << selection.EndText() << ", "
        << TrimRight(DayTypeLabel(selection.CurrentDayType())) << '\n';
    // The longest row title ("Distance") and two blanks; a cell's text and one blank.
    constexpr std::size_t kTitleWidth = 10;
    constexpr std::size_t kCellWidth = StatisticsTable::kMostCellCharacters + 1;
    std::string titles = Padded("", kTitleWidth);
    for (const char* title : StatisticsTable::kColumnTitles) {
        titles += Padded(title, kCellWidth);
    }
    Line(out, titles);
    for (int r = 0; r < StatisticsTable::kRows; ++r) {
        std::string row =
            Padded(StatisticsTable::kRowTitles[static_cast<std::size_t>(r)], kTitleWidth);
        for (int c = 0; c < StatisticsTable::kColumns; ++c) {
            row += Padded(table.CellText(r, c, dates), kCellWidth);
        }
        Line(out, row);
    }
    return read;
}

bool ViewReports::Calendar(LogBookDatabase& database, const DateValue& shown, Category category,
                           const DateValue& today, std::ostream& out) const {
    constexpr std::size_t kColumn = 9;
    CalendarMonth month(dates);
    const bool read = month.Load(database, shown);
    month.Layout(category, today);

    out << month.MonthText() << "  " << TrimRight(ViewSelection::CategoryText(category)) << '\n';
    std::string titles;
    for (const char* day : CalendarMonth::kWeekdayTitles) {
        titles += Padded(day, kColumn);
    }
    // Each week's figure at the end of its values' line, as the window shows it beside the row.
    Line(out, titles + month.TotalTitle());
    for (int row = 0; row < CalendarMonth::kWeeks; ++row) {
        std::string numbers;
        std::string values;
        for (int column = 0; column < CalendarMonth::kDaysAWeek; ++column) {
            const CalendarMonth::Cell& cell = month.At(row, column);
            std::string number;
            if (cell.day != 0) {
                char text[8];
                std::snprintf(text, sizeof text, cell.today ? "[%02d]" : "%02d", cell.day);
                number = text;
            }
            numbers += Padded(number, kColumn);
            values +=
                Padded(cell.hasEntry ? cell.text + (cell.competition ? "*" : "") : "", kColumn);
        }
        Line(out, numbers);
        Line(out, values + month.WeekTotal(row));
    }
    const std::string& total = month.MonthTotal();
    Line(out, std::string("MONTH ") + month.TotalTitle() + "  " + (total.empty() ? "--" : total));
    return read;
}

bool ViewReports::Graph(LogBookDatabase& database, const ViewSelection& selection,
                        std::ostream& out) const {
    std::vector<std::int32_t> positions;
    const bool found = selection.Positions(database, positions);
    GraphSeries series;
    const bool read = series.Gather(database, positions, selection.CurrentCategory());
    out << "category " << TrimRight(ViewSelection::CategoryText(selection.CurrentCategory()))
        << '\n';
    out << "days " << series.Days() << '\n';
    out << "group " << series.Group() << '\n';
    out << "axis " << series.AxisMaximum() << '\n';
    std::string labels;
    for (const std::string& label : series.Labels(dates)) {
        labels += ' ' + label;
    }
    out << "labels" << labels << '\n';
    out << "points" << Joined(series.Points()) << '\n';
    out << "averages" << Joined(series.Averages()) << '\n';
    return found && read;
}

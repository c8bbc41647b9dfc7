#include "reports/ReportPages.h"

#include "store/Windows1252.h"
#include "views/ViewSelection.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace {

// A line as its format makes it, cut to the length a report line holds.
[[gnu::format(printf, 1, 2)]] std::string Line(const char* format, ...) {
    char buffer[512];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    if (length <= 0) {
        return {};
    }
    const std::size_t kept = std::min(
        {static_cast<std::size_t>(length), sizeof buffer - 1, ReportPages::kMostLineCharacters});
    return std::string(buffer, kept);
}

// A text's line cut to the length a report line holds, control characters blanked.
std::string Cut(std::string text) {
    if (text.size() > ReportPages::kMostLineCharacters) {
        text.resize(ReportPages::kMostLineCharacters);
    }
    return ReportPages::Printable(std::move(text));
}

// The file's lines, counted per page as they are written.
class FileWriter {
public:
    FileWriter(std::string& out, bool pageNumbers) : out(out), pageNumbers(pageNumbers) {}

    bool PageOpen() const { return open; }
    void BeginPage() {
        open = true;
        line = 0;
        for (int i = 0; i < ReportPages::kFileHeadLines; ++i) {
            Write({});
        }
    }
    void Write(std::string_view recordLine) {
        out += Windows1252::Decode(recordLine);
        out += '\n';
        ++line;
    }
    void EndPage() {
        while (line < ReportPages::kFileTextEnd) {
            Write({});
        }
        if (pageNumbers) {
            Write(std::string(38, ' ') + ReportPages::PageNumber(page));
            Write("\f");
        }
        while (line < ReportPages::kFilePageLines) {
            Write({});
        }
        ++page;
        open = false;
    }

private:
    std::string& out;
    bool pageNumbers;
    bool open = false;
    int page = 1;
    int line = 0;
};

} // namespace

int ReportOptions::Bits() const {
    return (graphics ? kGraphicsBit : kPlainTextBit) | (titlePage ? kTitlePageBit : 0) |
           (pageNumbers ? kPageNumbersBit : 0);
}

bool ReportOptions::SetTexts(std::string_view titleUtf8, std::string_view commentsUtf8,
                             std::string& why) {
    std::string t;
    std::string c;
    if (!Windows1252::EncodeExact(titleUtf8, t)) {
        why = "the title holds a character a report cannot show";
        return false;
    }
    if (!Windows1252::EncodeExact(commentsUtf8, c)) {
        why = "the comments hold a character a report cannot show";
        return false;
    }
    // A line end, form feed or escape would break the page or reach a terminal.
    if (std::any_of(t.begin(), t.end(), ReportPages::IsControl)) {
        why = "the title holds a control character (a line end, tab, escape, ...)";
        return false;
    }
    if (std::any_of(c.begin(), c.end(), ReportPages::IsControl)) {
        why = "the comments hold a control character (a line end, tab, escape, ...)";
        return false;
    }
    if (t.size() > kMostTextCharacters || c.size() > kMostTextCharacters) {
        why = "the title and the comments hold at most 79 characters each";
        return false;
    }
    title = std::move(t);
    comments = std::move(c);
    return true;
}

ReportPages::ReportPages(const DateUtility& dates) : dates(dates) {}

int ReportPages::PageCountFor(int count) {
    return count < 1 ? 1 : 1 + (count + kDaysPerPage - 1) / kDaysPerPage;
}

void ReportPages::Layout(const ViewSelection& selection, int count, const ReportOptions& chosen) {
    Layout(selection.Start(), selection.End(), selection.CurrentDayType(), count, chosen);
}

void ReportPages::Layout(const DateValue& first, const DateValue& last, DayType type, int count,
                         const ReportOptions& chosen) {
    start = first;
    end = last;
    dayType = type;
    daysInRange = dates.DaysBetween(first, last);
    entryCount = std::max(0, count);
    pageCount = PageCountFor(entryCount);
    options = chosen;
    // The edits hold 79 characters; the record characters never more.
    options.title.resize(std::min(options.title.size(), ReportOptions::kMostTextCharacters));
    options.comments.resize(std::min(options.comments.size(), ReportOptions::kMostTextCharacters));
}

ReportPages::Span ReportPages::EntriesOn(int page) const {
    if (page < 2 || page > pageCount) {
        return {};
    }
    const int first = (page - 2) * kDaysPerPage;
    return {first, std::min(first + kDaysPerPage, entryCount)};
}

ReportPages::TitleLines ReportPages::TitlePage() const {
    return {
        Cut("Report Title      :  " + options.title),
        Cut("Comments          :  " + options.comments),
        Cut("Start Date        :  " + dates.LongDateText(start)),
        Cut("End Date          :  " + dates.LongDateText(end)),
        Line("Days in Range     :  %03d", daysInRange),
        Line("No. of Entries    :  %03d", entryCount),
        Line("Missed Entries    :  %03d", daysInRange - entryCount),
        Line("No. of Pages      :  %03d", pageCount),
        Cut(std::string("Day Type          :  ") + DayTypeLabel(dayType)),
    };
}

ReportPages::BlockLines ReportPages::DayBlock(const DayRecord& day) const {
    DateValue date;
    dates.DateOfKey(day.dateKey, date);
    const Pieces pieces = CommentPieces(day.CommentsText());
    const std::string indent(20, ' ');
    const char* difficulty = day.difficulty == 'M'   ? "Moderate"
                             : day.difficulty == 'H' ? "Hard"
                                                     : "Easy";
    return {
        Line("Date             :  %11s               Maximum H. Rate  :  %03d",
             dates.ShortDateText(date).c_str(), day.maxHeartRate),
        Line("Distance         :  %06.2f                    Resting H. Rate  :  %03d",
             static_cast<double>(day.distance), day.restHeartRate),
        Line("Time             :  %8s                  Temp.            :  %03d",
             dates.DurationText(day.time).c_str(), day.temperature),
        Line("Pace             :  %8s                  Weight           :  %05.2f",
             dates.DurationText(day.pace).c_str(), static_cast<double>(day.bodyWeight)),
        Line("Speed            :  %05.2f                     Water            :  %05.2f",
             static_cast<double>(day.speed), static_cast<double>(day.waterUsed)),
        Line("Calories         :  %04d                      Sleep            :  %05.2f",
             day.calories, static_cast<double>(day.hoursSlept)),
        day.competition == 'Y' ? "Competition      :  Yes" : "Competition      :  No",
        std::string("Difficulty       :  ") + difficulty,
        Cut("Workout          :  " + std::string(day.WorkoutText())),
        "Comments         :  " + pieces[0],
        indent + pieces[1],
        indent + pieces[2],
        indent + pieces[3],
        indent + pieces[4],
        " ",
    };
}

bool ReportPages::IsControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    // The five bytes Windows-1252 leaves undefined decode to C1 controls.
    return byte < 0x20 || byte == 0x7f || byte == 0x81 || byte == 0x8d || byte == 0x8f ||
           byte == 0x90 || byte == 0x9d;
}

std::string ReportPages::Printable(std::string text) {
    std::replace_if(text.begin(), text.end(), IsControl, ' ');
    return text;
}

ReportPages::Pieces ReportPages::CommentPieces(std::string_view comments) {
    std::string copy = Printable(std::string(comments.substr(0, kCommentLength)));
    copy.resize(kCommentLength, ' ');
    Pieces pieces;
    std::size_t at = 0;
    for (std::string& piece : pieces) {
        const std::string_view taken = std::string_view(copy).substr(at, kPieceLength);
        if (taken.size() < kPieceLength) {
            piece = taken;
            continue;
        }
        std::size_t k = kPieceLength - 1;
        while (k >= kFirstBreak && taken[k] != ' ') {
            --k;
        }
        if (k >= kFirstBreak) {
            piece = taken.substr(0, k);
            at += k + 1;
        } else {
            // No blank near the end: the word is split with a hyphen.
            piece = std::string(taken.substr(0, kPieceLength - 1)) + "-";
            at += kPieceLength - 1;
        }
    }
    return pieces;
}

std::string ReportPages::PageNumber(int page) {
    char text[16];
    std::snprintf(text, sizeof text, "%03d", page);
    return text;
}

std::string ReportPages::FileText(LogBookDatabase& database,
                                  const std::vector<std::int32_t>& positions) const {
    std::string out;
    // 66 lines of at most 128 bytes a page, most of them empty.
    out.reserve(static_cast<std::size_t>(pageCount) * 1400);
    FileWriter file(out, options.pageNumbers);
    if (options.titlePage) {
        file.BeginPage();
        for (const std::string& line : TitlePage()) {
            file.Write(line);
        }
        file.EndPage();
    }
    const int count = std::min(entryCount, static_cast<int>(positions.size()));
    if (count > 0 && database.BeginReading("rb") == LogBookDatabase::Result::Ok) {
        DayRecord day = DayRecord::Blank(0);
        int onPage = 0;
        for (int i = 0; i < count; ++i) {
            if (database.ReadAtPosition(positions[static_cast<std::size_t>(i)], day) !=
                LogBookDatabase::ReadResult::Read) {
                break;
            }
            if (!file.PageOpen()) {
                file.BeginPage();
                onPage = 0;
            }
            for (const std::string& line : DayBlock(day)) {
                file.Write(line);
            }
            if (++onPage == kDaysPerPage) {
                file.EndPage();
            }
        }
        if (file.PageOpen()) {
            file.EndPage();
        }
        database.EndReading();
    }
    return out;
}

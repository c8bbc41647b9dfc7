#pragma once
// The report's pages and lines: how many pages a selection makes, which days stand on each
// page, the nine lines of the title page, the fifteen lines of a day block and the 66-line
// pages of the report file. Lines are laid out in record characters (Windows-1252, one byte
// each, so the columns and the 52-character comment pieces hold) and converted to UTF-8
// only as the file's text is made. Drawing and choosing the options are the windows'.

#include "store/DateUtility.h"
#include "store/DateValue.h"
#include "store/DayRecord.h"
#include "store/DayType.h"
#include "store/LogBookDatabase.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class ViewSelection;

struct ReportOptions {
    // Bits of the options word.
    static constexpr int kGraphicsBit = 1;
    static constexpr int kPlainTextBit = 2;
    static constexpr int kTitlePageBit = 4;
    static constexpr int kPageNumbersBit = 8;
    // The title and the comments hold at most this many characters.
    static constexpr std::size_t kMostTextCharacters = 79;

    std::string title;    // record characters
    std::string comments; // record characters
    bool graphics = false;
    bool titlePage = true;
    bool pageNumbers = true;

    int Bits() const;
    // Title and comments typed as UTF-8: false, with the reason, when either is longer than
    // 79 characters, holds a control character or a character Windows-1252 cannot.
    bool SetTexts(std::string_view titleUtf8, std::string_view commentsUtf8, std::string& why);
};

class ReportPages {
public:
    static constexpr int kDaysPerPage = 3;
    static constexpr int kTitleLines = 9;
    static constexpr int kBlockLines = 15;
    static constexpr int kCommentPieces = 5;
    static constexpr std::size_t kPieceLength = 52;
    // Comment pieces break at the last blank in these positions of a 52-character piece.
    static constexpr std::size_t kFirstBreak = 42;
    static constexpr std::size_t kCommentLength = 255;
    // A report line holds at most 127 characters; anything longer is cut.
    static constexpr std::size_t kMostLineCharacters = 127;
    // The file's pages: 3 blank lines, the text, blank lines up to line 63, the number and
    // form-feed lines (or two blank lines), one blank line.
    static constexpr int kFileHeadLines = 3;
    static constexpr int kFileTextEnd = 63;
    static constexpr int kFilePageLines = 66;

    using TitleLines = std::array<std::string, kTitleLines>;
    using BlockLines = std::array<std::string, kBlockLines>;
    using Pieces = std::array<std::string, kCommentPieces>;

    explicit ReportPages(const DateUtility& dates);

    // 1 for the title page alone, else 1 + the day pages of three days each.
    static int PageCountFor(int entryCount);

    // Lays the report out again: the selection's dates and day type, the number of days the
    // last reload found, and the options.
    void Layout(const ViewSelection& selection, int entryCount, const ReportOptions& options);
    void Layout(const DateValue& start, const DateValue& end, DayType dayType, int entryCount,
                const ReportOptions& options);

    int PageCount() const { return pageCount; }
    int EntryCount() const { return entryCount; }
    const ReportOptions& Options() const { return options; }

    // The entries standing on a page, as the half-open run [first, last) of the entry list;
    // empty for the title page and for pages beyond the report.
    struct Span {
        int first = 0;
        int last = 0;
        bool Empty() const { return last <= first; }
    };
    Span EntriesOn(int page) const;

    TitleLines TitlePage() const;
    BlockLines DayBlock(const DayRecord& day) const;
    // Control characters of the comment become blanks before it is cut into pieces.
    static Pieces CommentPieces(std::string_view comments);
    // Whether a record character is a control character: C0, DEL, and the five C1 controls
    // the undefined Windows-1252 bytes stand for. Report lines never hold one, so every
    // page keeps its 66 lines and nothing reaches a terminal or printer as a command.
    static bool IsControl(char c);
    // The text with each control character replaced by a blank.
    static std::string Printable(std::string text);
    // A page's number as the preview, the paper and the file show it.
    static std::string PageNumber(int page);

    // The report file's whole text in UTF-8. The days are read at the entries' index
    // positions through read-many; when reading cannot begin (the store says why) the file
    // holds the title page alone, and a day that cannot be read ends the day pages.
    std::string FileText(LogBookDatabase& database,
                         const std::vector<std::int32_t>& positions) const;

private:
    const DateUtility& dates;
    DateValue start{};
    DateValue end{};
    DayType dayType = DayType::AllDays;
    int daysInRange = 0;
    int entryCount = 0;
    int pageCount = 1;
    ReportOptions options;
};

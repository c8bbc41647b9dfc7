#pragma once
// Records (dialog 15, Tools > Records...): the records of one sport as RecordBook finds them,
// in three lists (race bests, day records, best efforts from tracks) and a fourth of what is
// left out and why. Enter or a double-click on a line opens the Log Book on its day; the
// buttons mark the selected line's day or activity "not for records" (or count it again)
// and count its activity as a race (or no longer); a right click offers the same commands.
// It reloads when the logbook changes, and prints as pages of text.

#include "records/RecordBook.h"
#include "records/RecordsButtons.h"
#include "shell/ToolDialog.h"

#include <string>
#include <vector>

class RecordsDialog : public ToolDialog {
public:
    enum : int {
        kSport = 201,
        kRaceBests = 202,
        kDayRecords = 203,
        kBestEfforts = 204,
        kLeftOut = 205,
        kGoToDay = RecordsButtons::kGoToDay,
        kNotForRecords = RecordsButtons::kNotForRecords,
        kRace = RecordsButtons::kRace,
    };

    explicit RecordsDialog(ClientWindow& client);
    static void RegisterTemplate();

    const RecordBook& Book() const { return book; }
    const std::string& Sport() const { return sport; }
    // On paper the lists are their text: the lines veloria-logbook records prints.
    std::vector<std::string> PrintedLines() const override { return book.Lines(sport); }

protected:
    void SetupWindow() override;

private:
    // A list's line: a record's title (no day), or one of its places.
    struct Line {
        std::int32_t day = 0;
        std::int64_t start = 0; // the activity the line is made of; 0 for none or several
        bool dayRecord = false; // a day's line in the day records: its mark is the day's
        bool whole = true;      // a day or an activity, not a week or a streak
        bool leftOut = false;   // a line of the left-out list
    };

    void Reload();
    void Fill();
    void FillList(int id, RecordBook::Kind kind);
    // The selected line of the list last used; nullptr for none or a title.
    const Line* Selected() const;
    void GoToDay();
    void ToggleLeftOut();
    void ToggleRace();
    // Stores the mark at once, shows the records again on the same list, and says so.
    void SetMark(RecordStore::Mark mark, std::int64_t key, bool on, const char* said);

    RecordBook::Input input;
    RecordBook book;
    std::string sport;
    std::vector<std::string> sports;
    std::vector<Line> lines[4]; // by list, kRaceBests .. kLeftOut
    int lastList = kRaceBests;
};

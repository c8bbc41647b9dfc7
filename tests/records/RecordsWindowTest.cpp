// The Records window in the running program on the season's logbook: its lists are the
// lines veloria-logbook records prints, and it is driven by clicks and keys.
#include "activities/ActivityIds.h"
#include "activities/ActivityImportDialog.h"
#include "activities/LocalZone.h"
#include "cli/LogBookTool.h"
#include "editor/LogBookDialog.h"
#include "framework/TFileOpenDialog.h"
#include "framework/TMDIChild.h"
#include "records/RecordsDialog.h"
#include "records/SeasonLogbook.h"
#include "shell/CommandIds.h"
#include "shell/ResourceIds.h"

#include "ShellFixture.h"
#include "framework/PdfPages.h"

#include <QComboBox>
#include <QListWidget>

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// Blanks of any length as one, none at either end: the window spaces its columns wider
// than the command's.
std::string Squeezed(const std::string& text) {
    std::string out;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        out += (out.empty() ? "" : " ") + word;
    }
    return out;
}

// The command's lines from the one after heading up to the next line that starts a kind.
Lines Block(const std::string& text, const std::string& heading) {
    Lines lines;
    std::istringstream in(text);
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (inside && line[0] != ' ') {
            break;
        }
        if (inside) {
            lines.push_back(Squeezed(line));
        }
        inside = inside || line == heading;
    }
    return lines;
}

class RecordsWindowTest : public ShellFixture {
protected:
    void RegisterTools() override {
        Register<RecordsDialog>(res::kRecordsDialog);
        Register<LogBookDialog>(res::kLogBookDialog);
    }
    void SetUp() override {
        ShellFixture::SetUp();
        Restart(
            [this] {
                MakeLogbook(Path("log.vrl"), season::TypedDays());
                std::vector<std::string> import{"import", Path("log.vrl")};
                files = season::WriteFiles(folder.string(), VELORIA_RECORDED_DIR);
                import.insert(import.end(), files.begin(), files.end());
                // A ride without a track on a day of its own: 40 km in 4800 s.
                const std::string ride = Path("ride.fit");
                Write(ride, FitWriter()
                                .FileId(4)
                                .Sessions({{season::kRunStart + 14 * 86400, 2, 4800000, 4000000, 0,
                                            0, 0}})
                                .Bytes());
                import.push_back(ride);
                Tool(import);
                Tool({"records", Path("log.vrl"), "--race", "2025-09-06T07:00"});
            },
            Path("log.vrl"));
        records = Open<RecordsDialog>(cmd::kRecords, res::kRecordsDialog);
        ASSERT_NE(records, nullptr);
    }
    static void Tool(const std::vector<std::string>& words) {
        std::ostringstream out, err;
        ASSERT_EQ(LogBookTool(out, err).Run(words), 0) << err.str();
    }
    Lines Shown(int list) const {
        Lines lines;
        for (int i = 0; i < records->ListCount(list); ++i) {
            lines.push_back(Squeezed(records->ListText(list, i)));
        }
        return lines;
    }
    int Row(int list, const std::string& squeezed) const {
        const Lines lines = Shown(list);
        const auto at = std::find(lines.begin(), lines.end(), squeezed);
        EXPECT_NE(at, lines.end()) << squeezed;
        return static_cast<int>(at - lines.begin());
    }
    void Click(int id) { UserInput::Click(*records, id); }
    LogBookDialog* Editor() const {
        return dynamic_cast<LogBookDialog*>(client->Tool(res::kLogBookDialog));
    }

    LocalZone utc{"UTC"};
    RecordsDialog* records = nullptr;
    std::vector<std::string> files;
};

// Leaving the glitch out by a click makes the window show what the command prints.
TEST_F(RecordsWindowTest, ListsAreTheCommandsAndAGlitchLeavesThemAll) {
    EXPECT_EQ(Shown(RecordsDialog::kDayRecords)[1], "1. 2025-08-10 60.00 km 5:00:00");
    UserInput::ClickRow(*records, RecordsDialog::kDayRecords, 1);
    Click(RecordsDialog::kNotForRecords);

    const std::string text = season::kRunningRecords;
    EXPECT_EQ(Shown(RecordsDialog::kRaceBests), Block(text, "Race bests (Running)"));
    EXPECT_EQ(Shown(RecordsDialog::kDayRecords), Block(text, "Day records (Running)"));
    EXPECT_EQ(Shown(RecordsDialog::kBestEfforts),
              Block(text, "Best efforts from tracks (Running)"));
    EXPECT_EQ(Shown(RecordsDialog::kLeftOut), (Lines{"x 2025-08-10: not for records"}));
    EXPECT_EQ(StatusText(), "Left out of records.");

    // Selected in the left-out list, the same button counts it again.
    UserInput::ClickRow(*records, RecordsDialog::kLeftOut, 0);
    Click(RecordsDialog::kNotForRecords);
    EXPECT_EQ(Shown(RecordsDialog::kLeftOut), Lines{});
    EXPECT_EQ(Shown(RecordsDialog::kDayRecords)[1], "1. 2025-08-10 60.00 km 5:00:00");
}

// File > Print puts the lists on paper as the lines the command prints, 46 to a page: its 101
// lines fill 46 + 46 + 9, each page with its number at the foot.
TEST_F(RecordsWindowTest, FilePrintGivesTheListsAsPagesOfText) {
    UserInput::ClickRow(*records, RecordsDialog::kDayRecords, 1);
    Click(RecordsDialog::kNotForRecords); // the glitch left out, as the command's text has it
    ASSERT_TRUE(UserInput::ChooseMenuItem(*frame, cmd::kPrint));
    ASSERT_EQ(PrintFolder(), std::vector<std::string>{"Veloria Screen.pdf"});
    const std::vector<Lines> pages = PdfTextPages(Path("pdf/Veloria Screen.pdf"));
    ASSERT_EQ(pages.size(), 3U);
    ASSERT_EQ(pages[0].size(), 47U);
    EXPECT_EQ(pages[0][0], "Race bests (Running)");
    EXPECT_EQ(pages[0][5], "     1. 2025-04-13  0:19:58  5.02 km, competition");
    EXPECT_EQ(pages[0][46], "Page 1 of 3");
    EXPECT_EQ(pages[1][46], "Page 2 of 3");
    EXPECT_EQ(pages[2], (Lines{"  5 km", "     1. 2025-09-06  0:17:30  in 10.00 km",
                               "     2. 2025-09-13  0:18:00  in 5.00 km", "  10 km",
                               "     1. 2025-09-06  0:38:20  in 10.00 km", "  Half marathon: none",
                               "  Marathon: none", "Left out of records",
                               "  2025-08-10: not for records", "Page 3 of 3"}));
    Lines printed;
    for (const Lines& page : pages) {
        printed.insert(printed.end(), page.begin(), page.end() - 1);
    }
    Lines command;
    std::istringstream text(season::kRunningRecords);
    for (std::string line; std::getline(text, line);) {
        command.push_back(line);
    }
    EXPECT_EQ(printed, command);
}

// A right click on the window offers its buttons' commands, and a choice does what the
// button does; Exit closes the window as on the other large tools.
TEST_F(RecordsWindowTest, TheSpeedMenuOffersTheButtonsCommands) {
    const int row = Row(RecordsDialog::kBestEfforts, "2. 2025-09-13 0:18:00 in 5.00 km");
    UserInput::ClickRow(*records, RecordsDialog::kBestEfforts, 0);
    for (int i = 0; i < row; ++i) {
        UserInput::Press(*records, Qt::Key_Down);
    }
    const TRect sport = records->ControlRect(RecordsDialog::kSport);
    const QPoint beside(sport.right + 60, (sport.top + sport.bottom) / 2);
    EXPECT_EQ(UserInput::ChooseFromSpeedMenu(*records, beside, "Race"),
              (Lines{"Go to Day", "Not for Records", "Race"}));
    EXPECT_EQ(StatusText(), "Counted as a race.");
    EXPECT_EQ(Shown(RecordsDialog::kRaceBests)[4], "1. 2025-09-13 0:18:00 5.00 km, race");

    UserInput::ClickRow(*records, RecordsDialog::kRaceBests, 4);
    EXPECT_EQ(UserInput::ChooseFromSpeedMenu(*records, beside, "Go to Day").size(), 3U);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(client->Dates().KeyOfDate(Editor()->CurrentDate()), 20250913);

    ASSERT_TRUE(UserInput::ChooseMenuItem(*frame, cmd::kNextWindow));
    Click(RecordsDialog::kClose);
    EXPECT_FALSE(client->IsToolOpen(res::kRecordsDialog));
}

// The window opens whole in its child window: a page narrower than the large tools' made the
// child window scroll.
TEST_F(RecordsWindowTest, ItsChildWindowNeverScrolls) {
    TMDIChild* child = nullptr;
    for (TMDIChild* c : client->Children()) {
        child = c->Hosted() == records ? c : child;
    }
    ASSERT_NE(child, nullptr);
    ASSERT_NE(child->Scroller(), nullptr);
    EXPECT_FALSE(child->Scroller()->HorizontalShown());
    EXPECT_FALSE(child->Scroller()->VerticalShown());
}

// A double click and Enter open the Log Book on the line's day; a title line goes nowhere.
TEST_F(RecordsWindowTest, ALinesDayOpensInTheLogBook) {
    auto* list = qobject_cast<QListWidget*>(records->Control(RecordsDialog::kRaceBests));
    ASSERT_NE(list, nullptr);
    const int row = Row(RecordsDialog::kRaceBests, "1. 2025-04-13 0:19:58 5.02 km, competition");
    const QPoint at = list->visualItemRect(list->item(row)).center();
    UserInput::ClickRow(*records, RecordsDialog::kRaceBests, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(client->Dates().KeyOfDate(Editor()->CurrentDate()), 20250413);

    // Back to the Records window by Window's next-window command, as the user goes.
    ASSERT_TRUE(UserInput::ChooseMenuItem(*frame, cmd::kNextWindow));
    UserInput::ClickRow(*records, RecordsDialog::kBestEfforts,
                        Row(RecordsDialog::kBestEfforts, "3. 2007-08-07 0:06:02 in 8.35 km"));
    UserInput::Enter(*records);
    EXPECT_EQ(client->Dates().KeyOfDate(Editor()->CurrentDate()), 20070807);

    UserInput::ClickRow(*records, RecordsDialog::kBestEfforts, 0); // "1 km"
    UserInput::Enter(*records);
    EXPECT_EQ(client->Dates().KeyOfDate(Editor()->CurrentDate()), 20070807);
}

// The interval session counted as a race by the Race button becomes the 5 km race best;
// pressed again it is training once more.
TEST_F(RecordsWindowTest, TheRaceButtonCountsAnActivity) {
    const Lines before = Shown(RecordsDialog::kRaceBests);
    // Down from the list's first line to its seventh, past what the box shows at once.
    const int row = Row(RecordsDialog::kBestEfforts, "2. 2025-09-13 0:18:00 in 5.00 km");
    UserInput::ClickRow(*records, RecordsDialog::kBestEfforts, 0);
    for (int i = 0; i < row; ++i) {
        UserInput::Press(*records, Qt::Key_Down);
    }
    Click(RecordsDialog::kRace);
    EXPECT_EQ(StatusText(), "Counted as a race.");
    const Lines races = Shown(RecordsDialog::kRaceBests);
    ASSERT_GT(races.size(), 5U);
    EXPECT_EQ(races[3], "5 km");
    EXPECT_EQ(races[4], "1. 2025-09-13 0:18:00 5.00 km, race");

    UserInput::ClickRow(*records, RecordsDialog::kRaceBests, 4);
    Click(RecordsDialog::kRace);
    EXPECT_EQ(Shown(RecordsDialog::kRaceBests), before);
}

// A day stored in the Log Book shows at once: the tools hear of every change.
TEST_F(RecordsWindowTest, ReloadsWhenTheLogbookChanges) {
    DayRecord marathon = season::Typed(20251012, 42.195F, 11400, true); // 3:10:00
    Store(marathon);
    client->RefreshToolWindows(true);
    const Lines races = Shown(RecordsDialog::kRaceBests);
    const int at = Row(RecordsDialog::kRaceBests, "Marathon");
    EXPECT_EQ(races.at(static_cast<std::size_t>(at) + 1),
              "1. 2025-10-12 3:10:00 42.19 km, competition")
        << "42.195 as a float is 42.19499969: shown as stored";
}

// The sport is picked from the drop-down as the user does: a click opens it, a key moves down
// to Cycling, Enter takes it; the lists are then the ride's.
TEST_F(RecordsWindowTest, TheSportDropDownPicksTheRecords) {
    auto* combo = qobject_cast<QComboBox*>(records->Control(RecordsDialog::kSport));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(records->ListText(RecordsDialog::kSport, 1), "Cycling");
    Click(RecordsDialog::kSport);
    ASSERT_TRUE(QTest::qWaitFor([&] { return combo->view()->isVisible(); }, 2000));
    UserInput::Press(*combo->view(), Qt::Key_Down);
    UserInput::Press(*combo->view(), Qt::Key_Return);
    EXPECT_EQ(records->Sport(), "Cycling");
    const Lines days = Shown(RecordsDialog::kDayRecords);
    ASSERT_GT(days.size(), 2U);
    EXPECT_EQ(days[0], "Longest distance");
    EXPECT_EQ(days[1], "1. 2025-09-20 40.00 km 1:20:00");
    EXPECT_EQ(Shown(RecordsDialog::kBestEfforts)[0], "1 km: none");
}

// Files imported before their best efforts were kept: File > Import Activities finds nothing
// new in them, and its Import keeps their tracks' efforts, which the window shows at once.
TEST_F(RecordsWindowTest, ImportingFilesAgainFillsInTheirBestEfforts) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(Path("log.vra").c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, "DELETE FROM best_effort", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    client->RefreshToolWindows(true);
    EXPECT_EQ(Shown(RecordsDialog::kBestEfforts)[0], "1 km: none");

    TFileOpenDialog::QueueChoice(files);
    ASSERT_TRUE(WhenShown<ActivityImportDialog>(
        [&] { ASSERT_TRUE(UserInput::ChooseMenuItem(*frame, activity::kImportCommand)); },
        [&](ActivityImportDialog& preview) {
            EXPECT_TRUE(preview.IsDlgItemEnabled(ActivityImportDialog::kImport));
            EXPECT_EQ(preview.GetDlgItemText(ActivityImportDialog::kSummary),
                      "Only the best efforts of the tracks to keep: 0 days from 0 files; 3 "
                      "files left out.");
            UserInput::Enter(preview);
        }));
    EXPECT_EQ(StatusText(), "Kept the best efforts of the tracks of activities imported before.");
    EXPECT_EQ(Shown(RecordsDialog::kBestEfforts),
              Block(season::kRunningRecords, "Best efforts from tracks (Running)"));
}

} // namespace

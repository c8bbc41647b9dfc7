// Importing activity files in the window program: File > Import Activities and a drop on the
// main window read the files, the preview shows each day and each file left out, and only
// Import stores. Times are UTC here, so a file's day is the date its times carry.

#include "EditorFixture.h"
#include "FitWriter.h"
#include "LocalZone.h"
#include "activities/ActivityIds.h"
#include "activities/ActivityImportDialog.h"
#include "activities/ActivityReadingDialog.h"
#include "shell/CommandIds.h"
#include "shell/ResourceIds.h"
#include "store/DateUtility.h"
#include "views/CalendarDialog.h"

#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QScrollBar>
#include <QUrl>

#include <cstdio>

#include <sys/stat.h>

namespace {

using Preview = ActivityImportDialog;

void Esc(Preview& preview) {
    UserInput::Escape(preview);
}

class ActivityImportWindowTest : public EditorFixture {
protected:
    void RegisterTools() override {
        EditorFixture::RegisterTools();
        Register<CalendarDialog>(res::kCalendarDialog);
    }

    std::string Put(const std::string& name, const std::string& bytes) const {
        std::filesystem::create_directories(std::filesystem::path(Path(name)).parent_path());
        Write(Path(name), bytes);
        return Path(name);
    }
    // A run of 1111.95 m in ten minutes at 07:00 UTC (or the hour given) on a date such as
    // "2024-03-05": 0.01 degree north, a point every 15 s as a watch records (longer gaps are
    // pauses), its heart rate rising from 150 to 162 at the last point.
    std::string Run(const std::string& name, const std::string& date, int hour = 7) const {
        std::string points;
        for (int i = 0; i <= 40; ++i) {
            char point[160];
            std::snprintf(point, sizeof point,
                          "<trkpt lat=\"%.5f\" lon=\"8\"><time>%sT%02d:%02d:%02dZ</time>"
                          "<extensions><ns3:hr>%d</ns3:hr></extensions></trkpt>",
                          50 + i * 0.00025, date.c_str(), hour, i * 15 / 60, i * 15 % 60,
                          i == 40 ? 162 : 150);
            points += point;
        }
        return Put(name, "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" xmlns:ns3=\"urn:hr\"><trk>"
                         "<type>running</type><trkseg>" +
                             points + "</trkseg></trk></gpx>");
    }
    // An hour's ride of 20 km, 500 kcal.
    std::string Ride(const std::string& name, const std::string& date) const {
        return Put(name, "<TrainingCenterDatabase><Activities><Activity Sport=\"Biking\"><Id>" +
                             date + "T17:00:00Z</Id><Lap StartTime=\"" + date +
                             "T17:00:00Z\"><TotalTimeSeconds>3600</TotalTimeSeconds>"
                             "<DistanceMeters>20000</DistanceMeters><Calories>500</Calories>"
                             "<MaximumHeartRateBpm><Value>150</Value></MaximumHeartRateBpm></Lap>"
                             "</Activity></Activities></TrainingCenterDatabase>");
    }

    // File > Import Activities with these files chosen; act is the user's at the preview.
    bool Choose(const std::vector<std::string>& files, const std::function<void(Preview&)>& act) {
        TFileOpenDialog::QueueChoice(files);
        return WhenShown<Preview>(
            [&] { ASSERT_TRUE(UserInput::ChooseMenuItem(*frame, activity::kImportCommand)); }, act);
    }
    // A drag onto the main window, then the drop when the frame takes the drag.
    bool Drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(frame->Widget(), &enter);
        QDropEvent drop(QPointF(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        if (enter.isAccepted()) {
            QApplication::sendEvent(frame->Widget(), &drop);
            QApplication::processEvents(); // the import runs once the drop has returned
        }
        return enter.isAccepted();
    }
    static QUrl Local(const std::string& path) {
        return QUrl::fromLocalFile(QString::fromStdString(path));
    }
    static std::vector<std::string> Lines(const TDialog& d, int list) {
        std::vector<std::string> lines;
        for (int i = 0; i < d.ListCount(list); ++i) {
            lines.push_back(d.ListText(list, i));
        }
        return lines;
    }
    std::string Logbook() const { return Path("logBooks/mylog.vrl"); }

    LocalZone zone{"UTC"};
};

// Dropped files and folders (the menu's way is the other tests'); a drag of anything but
// local files is refused. The open tools read the imported day at once.
TEST_F(ActivityImportWindowTest, ADropImportsAndTheOpenToolsShowTheDay) {
    Run("watch/runs/today.gpx", DateUtility::KeyText(Key(0)));
    const auto* calendar = Open<CalendarDialog>(cmd::kCalendar, res::kCalendarDialog);
    ASSERT_NE(calendar, nullptr);
    // A name with an escape sequence is shown escaped, as the command line shows it.
    Put("watch/notes\x1b[2J.gpx", "packing list for the race");
    EXPECT_FALSE(Drop({QUrl("https://example.org/a.gpx")}));
    ASSERT_TRUE(WhenShown<Preview>(
        [&] {
            EXPECT_TRUE(Drop({Local(Path("watch/runs")), Local(Path("watch/notes\x1b[2J.gpx"))}));
        },
        [&](Preview& preview) {
            EXPECT_EQ(Lines(preview, Preview::kLeftOut),
                      std::vector<std::string>{Path("watch/notes\\x1b[2J.gpx") +
                                               ": is not a FIT, GPX or TCX file"});
            UserInput::Enter(preview);
        }));
    EXPECT_EQ(StatusText(), "Imported 1 day from 1 file; 1 file left out.");
    // The Log Book, open on today, shows the day it did not store itself.
    EXPECT_EQ(Shows(Box(DayForm::kDistance)), "1.11");
    EXPECT_EQ(Shows(Box(DayForm::kMaxHeartRate)), "162");
    EXPECT_EQ(Shows(LogBookDialog::kWorkout), "Run");
    // The Calendar, open on this month, has read the day.
    ASSERT_EQ(calendar->Month().Days().size(), 1U);
    EXPECT_EQ(calendar->Month().Days()[0].dateKey, Key(0));
    EXPECT_EQ(calendar->Month().Days()[0].distance, 1.11F);
}

// A second file for a day adds its activity beside the first, as the command does; an
// activities file that cannot be changed is said as the logbook opens and stops an import.
// 1111.95 m + 20 km = 21.11 km in 600 + 3600 s.
TEST_F(ActivityImportWindowTest, ASecondFileAddsItsActivityAndADamagedActivitiesFileStopsImports) {
    ASSERT_TRUE(
        Choose({Run("watch/run.gpx", "2024-03-05")}, [](Preview& p) { UserInput::Enter(p); }));
    ASSERT_TRUE(Choose({Ride("watch/ride.tcx", "2024-03-05")}, [](Preview& preview) {
        EXPECT_EQ(Lines(preview, Preview::kDays),
                  std::vector<std::string>{"2024-03-05  adds a second activity     21.11 km  "
                                           "01:10:00     162    500 kcal  Ride  ride.tcx"});
        UserInput::Enter(preview);
    }));
    EXPECT_EQ(StatusText(), "Imported 1 day from 1 file.");
    DayRecord day = DayRecord::Blank(0);
    ASSERT_EQ(client->Database().ReadDay(Date(20240305), day), LogBookDatabase::ReadResult::Read);
    EXPECT_EQ(day.distance, 21.11F);
    EXPECT_EQ(day.time, 4200);
    EXPECT_EQ(day.WorkoutText(), "Run");

    const std::string activities = Path("logBooks/mylog.vra");
    Restart([&] { Write(activities, "not a database"); });
    EXPECT_EQ(StatusText(), ""); // the activities file waits until the main window shows
    client->DeliverTimer(res::kTitleTimer);
    const std::string damaged = activities + " is damaged: it is not an activities file; "
                                             "veloria-logbook check --repair sets it aside";
    EXPECT_EQ(StatusText(), damaged);
    const std::string logbook = Read(Logbook());
    TFileOpenDialog::QueueChoice({Path("watch/run.gpx")});
    EXPECT_FALSE(WhenShown<Preview>(
        [&] { ASSERT_TRUE(UserInput::ChooseMenuItem(*frame, activity::kImportCommand)); }, Esc));
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages().back(), "\n\nERROR:  \"" + damaged + "\nNothing was imported.\"");
    EXPECT_EQ(Read(Logbook()), logbook);
    EXPECT_EQ(Read(activities), "not a database");
}

// The Log Book's header lists the shown day's activities as it opens, at each step and after
// an import; an activities file it cannot read shows none and asks nothing. 1111.95 m in
// 600 s at 07:00 and at 12:00, 20 km in 3600 s at 17:00.
TEST_F(ActivityImportWindowTest, TheLogBookShowsTheShownDaysActivities) {
    const std::string date = DateUtility::KeyText(Key(0));
    const auto line = [this] { return Shows(LogBookDialog::kActivities); };
    const auto import = [](Preview& preview) { UserInput::Enter(preview); };
    ASSERT_TRUE(Choose({Ride("watch/ride.tcx", date), Run("watch/run.gpx", date)}, import));
    Reopen();
    const std::string two = "Run 1.11 km 10:00 \u00b7 Ride 20.00 km 1:00:00";
    EXPECT_EQ(line(), two);
    Click(LogBookDialog::kNextDay);
    EXPECT_EQ(line(), "");
    Click(LogBookDialog::kPreviousDay);
    EXPECT_EQ(line(), two);
    ASSERT_TRUE(Choose({Run("watch/noon.gpx", date, 12)}, import));
    EXPECT_EQ(line(), "Run 1.11 km 10:00 \u00b7 Run 1.11 km 10:00 \u00b7 Ride 20.00 km 1:00:00");

    Write(Path("logBooks/mylog.vra"), "not a database");
    TMessageBox::History().clear();
    Click(LogBookDialog::kNextDay);
    Click(LogBookDialog::kPreviousDay);
    EXPECT_EQ(line(), "");
    EXPECT_TRUE(TMessageBox::History().empty());
}

// The rows as the choices below the lists change them; 2024-03-06 holds an entry.
TEST_F(ActivityImportWindowTest, ThePreviewShowsEveryDayAndDecidesAgainOnEachChoice) {
    Store(Day(20240306).Distance(5.0F).Workout("Easy"));
    const std::string before = Read(Logbook());
    const struct {
        const char* step;
        int click; // 0: as the preview opens
        std::vector<std::string> rows;
        const char* summary;
    } kSteps[] = {
        {"opened: km, entries kept",
         0,
         {"2024-03-05  new                         1.11 km  00:10:00     162      0 kcal  Run  "
          "run.gpx",
          "2024-03-06  entry kept                 20.00 km  01:00:00     150    500 kcal  Ride  "
          "ride.tcx"},
         "To import: 1 day from 2 files; 1 day kept."},
        {"entries replaced",
         Preview::kReplaceEntries,
         {"2024-03-05  new                         1.11 km  00:10:00     162      0 kcal  Run  "
          "run.gpx",
          "2024-03-06  replaces its figures       20.00 km  01:00:00     150    500 kcal  Ride  "
          "ride.tcx"},
         "To import: 2 days from 2 files."},
        {"miles",
         Preview::kMiles,
         {"2024-03-05  new                         0.69 mi  00:10:00     162      0 kcal  Run  "
          "run.gpx",
          "2024-03-06  replaces its figures       12.43 mi  01:00:00     150    500 kcal  Ride  "
          "ride.tcx"},
         "To import: 2 days from 2 files."},
    };
    ASSERT_TRUE(Choose(
        {Run("watch/run.gpx", "2024-03-05"), Ride("watch/ride.tcx", "2024-03-06")},
        [&](Preview& preview) {
            EXPECT_EQ(
                preview.GetDlgItemText(Preview::kHeader),
                "Date        Import                     Distance      Time  Max HR    Calories  "
                "Sport and files");
            EXPECT_EQ(Lines(preview, Preview::kLeftOut), std::vector<std::string>{"(none)"});
            // Rows that fit scroll nowhere sideways.
            for (const int list : {Preview::kDays, Preview::kLeftOut}) {
                auto* box = qobject_cast<QListWidget*>(preview.Control(list));
                ASSERT_NE(box, nullptr);
                EXPECT_EQ(box->horizontalScrollBar()->maximum(), 0) << list;
            }
            for (const auto& s : kSteps) {
                if (s.click != 0) {
                    UserInput::Click(preview, s.click);
                }
                EXPECT_EQ(Lines(preview, Preview::kDays), s.rows) << s.step;
                EXPECT_EQ(preview.GetDlgItemText(Preview::kSummary), s.summary) << s.step;
            }
            UserInput::Escape(preview);
        }));
    EXPECT_EQ(TFileOpenDialog::LastTitle(), "Import Activities");
    EXPECT_EQ(Read(Logbook()), before);
    EXPECT_EQ(StatusText(), "");
}

// The unit chosen and the folder the files were chosen in are the next import's, in the next
// run too, whether the last one imported or not; a folder that has gone leaves the working
// folder. Cancel stores nothing, and a preview without a day to store does not offer Import.
TEST_F(ActivityImportWindowTest, TheUnitAndFolderAreRememberedAndOnlyImportStores) {
    const std::vector<std::string> run = {Run("watch/2024/run.gpx", "2024-03-05")};
    const std::string before = Read(Logbook());
    ASSERT_TRUE(Choose(run, [](Preview& preview) {
        UserInput::Click(preview, Preview::kMiles);
        UserInput::Click(preview, TDialog::kIdCancel);
    }));
    EXPECT_EQ(TFileOpenDialog::LastRun()->initialDir, "");
    EXPECT_EQ(Read(Logbook()), before);
    EXPECT_NE(Read(Ini()).find("IMPORTUNIT=mi\n"), std::string::npos) << Read(Ini());
    Restart();
    bool miles = false;
    ASSERT_TRUE(Choose(run, [&](Preview& preview) {
        miles = preview.IsDlgButtonChecked(Preview::kMiles);
        UserInput::Enter(preview);
    }));
    EXPECT_TRUE(miles);
    EXPECT_EQ(TFileOpenDialog::LastRun()->initialDir, Path("watch/2024"));
    EXPECT_EQ(StatusText(), "Imported 1 day from 1 file.");
    const std::string imported = Read(Logbook());
    EXPECT_NE(imported, before);

    // The same file again: its activity is stored already, nothing is left to import.
    ASSERT_TRUE(Choose(run, [&](Preview& preview) {
        EXPECT_FALSE(preview.IsDlgItemEnabled(Preview::kImport));
        EXPECT_EQ(preview.GetDlgItemText(Preview::kSummary),
                  "Nothing to import: 0 days from 0 files; 1 file left out.");
        EXPECT_EQ(Lines(preview, Preview::kLeftOut),
                  std::vector<std::string>{run[0] + ": already imported (same as run.gpx)"});
        UserInput::Escape(preview);
    }));
    EXPECT_EQ(Read(Logbook()), imported);
    std::filesystem::remove_all(Path("watch"));
    TFileOpenDialog::QueueAnswers({std::nullopt});
    ASSERT_TRUE(UserInput::ChooseMenuItem(*frame, activity::kImportCommand));
    EXPECT_EQ(TFileOpenDialog::LastRun()->initialDir, "");
}

// Made larger, the preview gives the room to its lists; the buttons stay at the bottom right.
TEST_F(ActivityImportWindowTest, ThePreviewGrowsWithItsLists) {
    ASSERT_TRUE(Choose({Run("watch/run.gpx", "2024-03-05")}, [](Preview& preview) {
        EXPECT_EQ(preview.ControlRect(Preview::kDays), (TRect{12, 48, 708, 237}));
        preview.Widget()->resize(1020, 609); // on X11 the size comes back a little later
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return preview.ClientRect() == TRect{0, 0, 1020, 609};
        }));
        EXPECT_EQ(preview.ControlRect(Preview::kDays), (TRect{12, 48, 1008, 337}));
        EXPECT_EQ(preview.ControlRect(Preview::kLeftOut), (TRect{12, 363, 1008, 534}));
        EXPECT_EQ(preview.ControlRect(Preview::kImport), (TRect{849, 570, 924, 593}));
        UserInput::Escape(preview);
    }));
}

// The reading box shows for many files, and for one large file (16 MiB of blanks inside a
// track, compressed) while it is read; its Cancel stops the reading and stores nothing.
TEST_F(ActivityImportWindowTest, CancelWhileFilesAreReadStoresNothing) {
    for (int day = 10; day < 22; ++day) {
        const std::string date = "2024-04-" + std::to_string(day);
        Run("watch/year/" + date + ".gpx", date);
    }
    Put("watch/big.gpx.gz",
        Gzip("<gpx><trk><trkseg>" + std::string(16 << 20, ' ') + "</trkseg></trk></gpx>"));
    const std::string before = Read(Logbook());
    for (const char* chosen : {"watch/year", "watch/big.gpx.gz"}) {
        SCOPED_TRACE(chosen);
        bool previewed = false;
        ASSERT_TRUE(WhenShown<ActivityReadingDialog>(
            [&] { previewed = Choose({Path(chosen)}, Esc); },
            [](ActivityReadingDialog& reading) { UserInput::Click(reading, TDialog::kIdCancel); }));
        EXPECT_FALSE(previewed);
        EXPECT_EQ(StatusText(), "The import was cancelled; nothing was stored.");
        EXPECT_EQ(Read(Logbook()), before);
    }
}

// Without an open logbook (here one that is a FIFO) nothing is read: the user is told why.
TEST_F(ActivityImportWindowTest, WithoutAnOpenLogbookTheImportSaysSo) {
    Run("watch/run.gpx", "2024-03-05");
    Restart([&] {
        ASSERT_EQ(::mkfifo(Path("fifo.vrl").c_str(), 0600), 0);
        WriteSettings(Path("fifo.vrl"));
    });
    TMessageBox::History().clear();
    EXPECT_FALSE(
        WhenShown<Preview>([&] { EXPECT_TRUE(Drop({Local(Path("watch/run.gpx"))})); }, Esc));
    (void)QTest::qWaitFor([] { return !TMessageBox::History().empty(); }, 2000);
    EXPECT_EQ(Messages(), std::vector<std::string>{"\n\nERROR:  \"No logbook is open to import "
                                                   "into: open one with File > Open.\""});
}

// A number the import shares with a tool would open the tool from File > Import Activities,
// or put the tool's template in place of the preview's.
TEST(ActivityIds, StayClearOfTheToolsNumbers) {
    for (const int command : {cmd::kRestoreBackup, cmd::kSummary, cmd::kRecords, cmd::kTrainingLoad,
                              cmd::kGear, cmd::kLogbookSettings}) {
        EXPECT_NE(activity::kImportCommand, command);
    }
    for (const int dialog :
         {res::kActivitiesDialog, res::kSummaryDialog, res::kRecordsDialog,
          res::kTrainingLoadDialog, res::kGearDialog, res::kRestoreBackupDialog, res::kDatesDialog,
          res::kGoalsDialog, res::kGearItemDialog, res::kLogbookSettingsDialog}) {
        EXPECT_NE(activity::kImportDialog, dialog);
        EXPECT_NE(activity::kReadingDialog, dialog);
    }
}

} // namespace

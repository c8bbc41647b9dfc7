// Importing activity files in the window program: File > Import Activities and a drop on the
// main window read the files, the preview shows each day and each file left out, and only
// Import stores. Times are UTC here, so a file's day is the date its times carry.

#include "EditorFixture.h"
#include "activities/ActivityImportDialog.h"
#include "activities/ActivityReadingDialog.h"
#include "framework/TStatusBar.h"
#include "framework/TWindowHost.h"
#include "shell/CommandIds.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>

namespace {

class ActivityImportWindowTest : public EditorFixture {
protected:
    void SetUp() override {
        ::setenv("TZ", "UTC", 1); // each test is a process of its own
        ::tzset();
        EditorFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        logbook = Path("logBooks/mylog.vrl");
        // A quit asked for by an earlier program in this process would end the first
        // dialog's loop at once; a short run of the loop takes it back.
        QTimer::singleShot(0, [] { QApplication::exit(0); });
        QApplication::exec();
    }

    std::string Put(const std::string& name, const std::string& bytes) const {
        std::filesystem::create_directories(std::filesystem::path(Path(name)).parent_path());
        Write(Path(name), bytes);
        return Path(name);
    }
    // A run of 1111.95 m in ten minutes at 07:00 UTC on a date such as "2024-03-05".
    std::string Run(const std::string& name, const std::string& date) const {
        return Put(name,
                   "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" xmlns:ns3=\"urn:hr\"><trk>"
                   "<type>running</type><trkseg><trkpt lat=\"50\" lon=\"8\"><time>" +
                       date +
                       "T07:00:00Z</time><extensions><ns3:hr>150</ns3:hr></extensions></trkpt>"
                       "<trkpt lat=\"50.01\" lon=\"8\"><time>" +
                       date +
                       "T07:10:00Z</time><extensions><ns3:hr>162</ns3:hr></extensions></trkpt>"
                       "</trkseg></trk></gpx>");
    }
    // An hour's ride of 20 km, 500 kcal.
    std::string Ride(const std::string& name, const std::string& date) const {
        return Put(name, "<TrainingCenterDatabase><Activities><Activity Sport=\"Biking\"><Id>" +
                             date +
                             "T17:00:00Z</Id><Lap><TotalTimeSeconds>3600</TotalTimeSeconds>"
                             "<DistanceMeters>20000</DistanceMeters><Calories>500</Calories>"
                             "<MaximumHeartRateBpm><Value>150</Value></MaximumHeartRateBpm></Lap>"
                             "</Activity></Activities></TrainingCenterDatabase>");
    }
    std::string TodayText() const {
        const std::int32_t key = Key(0);
        char text[16];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", key / 10000, key / 100 % 100, key % 100);
        return text;
    }

    // Runs gesture (a menu choice, a drop) and, once a modal dialog of type D shows, act
    // with it as the user does; false when none showed.
    template <typename D>
    bool WhenShown(const std::function<void()>& gesture, const std::function<void(D&)>& act) {
        struct Poll {
            bool shown = false;
            bool over = false;
            int polls = 0;
            std::function<void()> next;
        };
        auto poll = std::make_shared<Poll>();
        poll->next = [weak = std::weak_ptr<Poll>(poll), act] {
            const auto p = weak.lock();
            if (!p || p->over) {
                return;
            }
            auto* link = dynamic_cast<TWindowLink*>(QApplication::activeModalWidget());
            auto* dialog = link ? dynamic_cast<D*>(link->Window()) : nullptr;
            if (!dialog) {
                if (++p->polls < 2000) {
                    QTimer::singleShot(0, p->next);
                }
                return;
            }
            p->shown = true;
            p->over = true;
            act(*dialog);
        };
        QTimer::singleShot(0, poll->next);
        gesture();
        poll->over = true;
        return poll->shown;
    }
    void ChooseInMenu(const std::vector<std::string>& files) {
        TFileOpenDialog::QueueChoice(files);
        ASSERT_TRUE(UserInput::ChooseMenuItem(*frame, cmd::kImportActivities));
    }
    // A drag of local files onto the main window, then the drop; whether the frame took it.
    bool Drop(const std::vector<std::string>& paths, bool local = true) {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& p : paths) {
            urls.push_back(local ? QUrl::fromLocalFile(QString::fromStdString(p))
                                 : QUrl(QString::fromStdString(p)));
        }
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(frame->Widget(), &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent drop(QPointF(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(frame->Widget(), &drop);
        for (int i = 0; i < 20; ++i) {
            QApplication::processEvents();
        }
        return drop.isAccepted();
    }
    static std::vector<std::string> Lines(const TDialog& d, int list) {
        std::vector<std::string> lines;
        for (int i = 0; i < d.ListCount(list); ++i) {
            lines.push_back(d.ListText(list, i));
        }
        return lines;
    }
    std::string StatusText() const { return frame->Status()->MessageText(); }

    std::string logbook;
};

TEST_F(ActivityImportWindowTest, TheMenuImportsTheChosenFilesAndTheLogBookShowsTheDay) {
    const std::vector<std::string> files = {Run("watch/today.gpx", TodayText()),
                                            Put("watch/notes.gpx", "packing list for the race")};
    std::vector<std::string> leftOut;
    ASSERT_TRUE(WhenShown<ActivityImportDialog>([&] { ChooseInMenu(files); },
                                                [&](ActivityImportDialog& preview) {
                                                    leftOut = Lines(preview,
                                                                    ActivityImportDialog::kLeftOut);
                                                    UserInput::Enter(preview);
                                                }));
    EXPECT_EQ(leftOut, std::vector<std::string>{Path("watch/notes.gpx") +
                                                ": is not a FIT, GPX or TCX file"});
    EXPECT_EQ(StatusText(), "Imported 1 day from 1 file; 1 file left out.");
    // The Log Book, open on today, shows the day it did not store itself.
    EXPECT_EQ(Shows(Box(DayForm::kDistance)), "1.11");
    EXPECT_EQ(Shows(Box(DayForm::kMaxHeartRate)), "162");
    EXPECT_EQ(Shows(LogBookDialog::kWorkout), "Running");
    ASSERT_NE(Stored(0), nullptr);
    EXPECT_EQ(Stored(0)->time, 600);
}

// The rows as the choices below the lists change them; 2024-03-06 holds an entry.
TEST_F(ActivityImportWindowTest, ThePreviewShowsEveryDayAndDecidesAgainOnEachChoice) {
    Store(Day(20240306).Distance(5.0F).Workout("Easy"));
    const std::string before = Read(logbook);
    const std::vector<std::string> files = {Run("watch/run.gpx", "2024-03-05"),
                                            Ride("watch/ride.tcx", "2024-03-06")};
    const struct {
        const char* step;
        int click; // 0: as the preview opens
        std::vector<std::string> rows;
        const char* summary;
    } kSteps[] = {
        {"opened: km, entries kept",
         0,
         {"2024-03-05  new                    1.11 km  00:10:00     162      0 kcal  Running",
          "2024-03-06  entry kept            20.00 km  01:00:00     150    500 kcal  Biking"},
         "To import: 1 day from 2 files; 1 day kept."},
        {"entries replaced",
         ActivityImportDialog::kReplaceEntries,
         {"2024-03-05  new                    1.11 km  00:10:00     162      0 kcal  Running",
          "2024-03-06  replaces an entry     20.00 km  01:00:00     150    500 kcal  Biking"},
         "To import: 2 days from 2 files."},
        {"miles",
         ActivityImportDialog::kMiles,
         {"2024-03-05  new                    0.69 mi  00:10:00     162      0 kcal  Running",
          "2024-03-06  replaces an entry     12.43 mi  01:00:00     150    500 kcal  Biking"},
         "To import: 2 days from 2 files."},
    };
    ASSERT_TRUE(WhenShown<ActivityImportDialog>(
        [&] { ChooseInMenu(files); },
        [&](ActivityImportDialog& preview) {
            EXPECT_EQ(preview.GetDlgItemText(ActivityImportDialog::kHeader),
                      "Date        Import                Distance      Time  Max HR    Calories  "
                      "Sport");
            EXPECT_EQ(Lines(preview, ActivityImportDialog::kLeftOut),
                      std::vector<std::string>{"(none)"});
            for (const auto& s : kSteps) {
                if (s.click != 0) {
                    UserInput::Click(preview, s.click);
                }
                EXPECT_EQ(Lines(preview, ActivityImportDialog::kDays), s.rows) << s.step;
                EXPECT_EQ(preview.GetDlgItemText(ActivityImportDialog::kSummary), s.summary)
                    << s.step;
            }
            UserInput::Escape(preview);
        }));
    EXPECT_EQ(Read(logbook), before);
    EXPECT_EQ(StatusText(), "");
}

// The unit chosen is the next preview's, whether the last one imported or not; Cancel
// stores nothing, and a preview without a day to store does not offer Import.
TEST_F(ActivityImportWindowTest, TheUnitIsRememberedAndOnlyImportStores) {
    const std::vector<std::string> run = {Run("watch/run.gpx", "2024-03-05")};
    const std::string before = Read(logbook);
    ASSERT_TRUE(WhenShown<ActivityImportDialog>([&] { ChooseInMenu(run); },
                                                [](ActivityImportDialog& preview) {
                                                    UserInput::Click(preview,
                                                                     ActivityImportDialog::kMiles);
                                                    UserInput::Click(preview, TDialog::kIdCancel);
                                                }));
    EXPECT_EQ(Read(logbook), before);
    EXPECT_NE(Read(Ini()).find("IMPORTUNIT=mi\n"), std::string::npos) << Read(Ini());
    bool miles = false;
    ASSERT_TRUE(WhenShown<ActivityImportDialog>([&] { ChooseInMenu(run); },
                                                [&](ActivityImportDialog& preview) {
                                                    miles = preview.IsDlgButtonChecked(
                                                        ActivityImportDialog::kMiles);
                                                    UserInput::Enter(preview);
                                                }));
    EXPECT_TRUE(miles);
    EXPECT_EQ(StatusText(), "Imported 1 day from 1 file.");
    const std::string imported = Read(logbook);
    EXPECT_NE(imported, before);

    // The same file again: its day is kept, nothing is left to import.
    bool importOffered = true;
    std::string summary;
    ASSERT_TRUE(WhenShown<ActivityImportDialog>(
        [&] { ChooseInMenu(run); },
        [&](ActivityImportDialog& preview) {
            importOffered = preview.IsDlgItemEnabled(ActivityImportDialog::kImport);
            summary = preview.GetDlgItemText(ActivityImportDialog::kSummary);
            UserInput::Escape(preview);
        }));
    EXPECT_FALSE(importOffered);
    EXPECT_EQ(summary, "Nothing to import: 0 days from 1 file; 1 day kept.");
    EXPECT_EQ(Read(logbook), imported);
}

TEST_F(ActivityImportWindowTest, ADropOfLocalFilesAndFoldersImportsThem) {
    Run("watch/runs/a.gpx", "2024-03-05");
    Ride("watch/b.tcx", "2024-03-06");
    EXPECT_FALSE(Drop({"https://example.org/a.gpx"}, false));
    std::vector<std::string> rows;
    ASSERT_TRUE(WhenShown<ActivityImportDialog>(
        [&] {
            EXPECT_TRUE(Drop({Path("watch/runs"), Path("watch/b.tcx")}));
        },
        [&](ActivityImportDialog& preview) {
            rows = Lines(preview, ActivityImportDialog::kDays);
            UserInput::Click(preview, ActivityImportDialog::kImport);
        }));
    EXPECT_EQ(rows.size(), 2U);
    EXPECT_EQ(StatusText(), "Imported 2 days from 2 files.");
    DayRecord ride = DayRecord::Blank(0);
    ASSERT_EQ(client->Database().ReadDay(Date(20240306), ride), LogBookDatabase::ReadResult::Read);
    EXPECT_EQ(ride.distance, 20.0F);
    EXPECT_EQ(ride.calories, 500);
}

TEST_F(ActivityImportWindowTest, CancelWhileManyFilesAreReadStoresNothing) {
    for (int day = 1; day <= 12; ++day) {
        char date[16];
        std::snprintf(date, sizeof date, "2024-04-%02d", day);
        Run("watch/year/" + std::string(date) + ".gpx", date);
    }
    const std::string before = Read(logbook);
    bool previewed = false;
    ASSERT_TRUE(WhenShown<ActivityReadingDialog>(
        [&] {
            previewed = WhenShown<ActivityImportDialog>(
                [&] { ChooseInMenu({Path("watch/year")}); },
                [](ActivityImportDialog& preview) { UserInput::Escape(preview); });
        },
        [](ActivityReadingDialog& reading) { UserInput::Click(reading, TDialog::kIdCancel); }));
    EXPECT_FALSE(previewed);
    EXPECT_EQ(StatusText(), "The import was cancelled; nothing was stored.");
    EXPECT_EQ(Read(logbook), before);
}

} // namespace

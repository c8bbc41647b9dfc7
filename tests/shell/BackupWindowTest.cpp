// The window program backs a logbook up before its first change in a run, and File >
// Restore from Backup puts a backup back, as the user chooses it. When a backup is due is
// LogBookBackupsTest's.

#include "EditorFixture.h"
#include "framework/TStatusBar.h"
#include "shell/CommandIds.h"
#include "shell/RestoreBackupDialog.h"
#include "store/ActivityStore.h"
#include "store/FileSizeLimit.h"
#include "store/LogBookBackups.h"

namespace {

class BackupWindowTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        logbook = Path("logBooks/mylog.vrl");
        // The program starts on a logbook that already holds yesterday.
        const DayRecord yesterday = RaceDay(-1);
        Restart([this, yesterday] { MakeLogbook(logbook, {yesterday}); });
        Reopen();
    }

    void SaveDistance(const std::string& distance) {
        Retype(Box(DayForm::kDistance), distance);
        Click(LogBookDialog::kSaveDay);
    }
    std::vector<LogBookBackups::Backup> Backups() { return LogBookBackups().List(logbook); }
    // Chooses File > Restore from Backup; act runs on the dialog once it shows.
    bool ChooseRestore(const std::function<void(RestoreBackupDialog&)>& act) {
        return WhenShown<RestoreBackupDialog>(
            [&] { ASSERT_TRUE(UserInput::ChooseMenuItem(*frame, cmd::kRestoreBackup)); }, act);
    }

    // Stores activities on yesterday in the open logbook's activities file.
    void AddActivities(int count) {
        ActivityStore store;
        store.Open(Db(), true);
        std::vector<ActivityRow> rows(static_cast<std::size_t>(count));
        for (ActivityRow& row : rows) {
            row.day = RaceDay(-1).dateKey;
            row.start = 1767254400 + 3600 * activities++;
            row.sport = "Running";
            row.file = "run.fit";
        }
        ASSERT_TRUE(store.Change({}, rows, "km").Ok());
    }
    int StoredActivities() {
        ActivityStore store;
        std::vector<ActivityRow> rows;
        store.Open(Db(), false);
        store.Read(0, 0, rows);
        return static_cast<int>(rows.size());
    }

    std::string logbook;
    int activities = 0;
};

TEST_F(BackupWindowTest, TheFirstChangeIsBackedUpAndARestoreReloadsTheLogBook) {
    const std::string before = Read(logbook);
    SaveDistance("5");
    ASSERT_EQ(Backups().size(), 1U);
    EXPECT_EQ(Read(LogBookBackups::FolderFor(logbook) + "/" + Backups()[0].name), before);
    SaveDistance("7");
    EXPECT_EQ(Backups().size(), 1U); // once a run
    Retype(Box(DayForm::kDistance), "9");

    // The Log Book asks about today's unsaved 9 (No lets it go); the user picks the one
    // backup in the list and presses Enter.
    TMessageBox::QueueAnswers({TMessageBox::kIdNo});
    std::string listed;
    std::string changes;
    int rows = 0;
    ASSERT_TRUE(ChooseRestore([&](RestoreBackupDialog& dialog) {
        rows = dialog.ListCount(RestoreBackupDialog::kList);
        listed = dialog.ListText(RestoreBackupDialog::kList, 0);
        UserInput::ClickRow(dialog, RestoreBackupDialog::kList, 0);
        changes = dialog.GetDlgItemText(RestoreBackupDialog::kChanges);
        UserInput::Enter(dialog);
    }));
    EXPECT_EQ(rows, 1);
    EXPECT_NE(listed.find("   1 day, "), std::string::npos) << listed;
    EXPECT_EQ(changes,
              "Restoring it adds 0 days, removes 1, changes 0 against the logbook as it is.");

    EXPECT_EQ(Read(logbook), before);
    EXPECT_EQ(Stored(0), nullptr);
    EXPECT_EQ(Shows(Box(DayForm::kDistance)), "");
    ASSERT_EQ(Backups().size(), 2U);
    EXPECT_EQ(Backups()[0].days, 2); // today's 7 went into a backup first
    EXPECT_EQ(StatusText(), "Restored the backup " + Backups()[1].name +
                                "; the days before are in the backup " + Backups()[0].name + ".");
    EXPECT_EQ(TMessageBox::History().size(), 1U); // the Log Book's question
}

// A backup that fails its check is marked in the list and cannot be chosen.
TEST_F(BackupWindowTest, ABackupThatFailsItsCheckIsMarkedAndCannotBeChosen) {
    SaveDistance("5");
    const std::string before = Read(logbook);
    Write(LogBookBackups::FolderFor(logbook) + "/2026-01-01T000000Z.vrl", "date,distance\n");
    std::string listed;
    std::string changes;
    bool restorable = true;
    ASSERT_TRUE(ChooseRestore([&](RestoreBackupDialog& dialog) {
        listed = dialog.ListText(RestoreBackupDialog::kList, 1);
        UserInput::ClickRow(dialog, RestoreBackupDialog::kList, 1);
        dialog.DeliverTimer(RestoreBackupDialog::kShowChangesTimer);
        changes = dialog.GetDlgItemText(RestoreBackupDialog::kChanges);
        restorable = dialog.IsDlgItemEnabled(RestoreBackupDialog::kRestore);
        UserInput::Enter(dialog);
        UserInput::Escape(dialog);
    }));
    EXPECT_NE(listed.find("   ! cannot be restored: its size is not a whole number of day "
                          "records."),
              std::string::npos)
        << listed;
    EXPECT_EQ(changes, "2026-01-01T000000Z.vrl cannot be restored: its size is not a whole "
                       "number of day records.");
    EXPECT_FALSE(restorable);
    EXPECT_EQ(Read(logbook), before);
    EXPECT_EQ(Stored(0)->distance, 5.0F);
}

// A restore that cannot back the present days up first is said as a failure, and the days
// stay as they are.
TEST_F(BackupWindowTest, ARestoreThatFailsIsSaidAsAFailure) {
    SaveDistance("5");
    SaveDistance("7");
    const std::string before = Read(logbook);
    TMessageBox::QueueAnswers({TMessageBox::kIdOk});
    {
        const FileSizeLimit limit(before.size() - 1);
        ASSERT_TRUE(ChooseRestore([](RestoreBackupDialog& dialog) { UserInput::Enter(dialog); }));
    }
    EXPECT_EQ(Read(logbook), before);
    EXPECT_EQ(Stored(0)->distance, 7.0F);
    ASSERT_EQ(TMessageBox::History().size(), 1U);
    EXPECT_NE(TMessageBox::History()[0].text.find("The logbook was not restored"),
              std::string::npos)
        << TMessageBox::History()[0].text;
    EXPECT_EQ(StatusText().find("Restored"), std::string::npos) << StatusText();
}

// A backup that cannot be made is said, the day stored, and tried again at the next change
// until one is made.
TEST_F(BackupWindowTest, ABackupThatCannotBeMadeIsSaidAndTriedAgainAtTheNextChange) {
    const std::string data = Path("file");
    Write(data, "");
    ::setenv("XDG_DATA_HOME", data.c_str(), 1);
    SaveDistance("5");
    EXPECT_EQ(Stored(0)->distance, 5.0F);
    EXPECT_EQ(StatusText().rfind("No backup was made: the folder " + data, 0), 0U) << StatusText();
    EXPECT_NE(StatusText().find("The change is stored all the same."), std::string::npos);
    frame->Status()->SetText("");
    ::setenv("XDG_DATA_HOME", (folder.string() + ".data").c_str(), 1);
    const std::string before = Read(logbook);
    SaveDistance("6");
    EXPECT_EQ(Stored(0)->distance, 6.0F);
    ASSERT_EQ(Backups().size(), 1U);
    EXPECT_EQ(Read(LogBookBackups::FolderFor(logbook) + "/" + Backups()[0].name), before);
    SaveDistance("7");
    EXPECT_EQ(Backups().size(), 1U);
    EXPECT_EQ(StatusText(), "");
    EXPECT_TRUE(TMessageBox::History().empty());
}

// The list counts each backup's activities, and what a restore would change counts them too.
TEST_F(BackupWindowTest, TheChangesARestoreWouldMakeCountTheActivities) {
    AddActivities(1);
    SaveDistance("5"); // backs up yesterday and its activity
    AddActivities(2);
    std::string listed;
    std::string changes;
    ASSERT_TRUE(ChooseRestore([&](RestoreBackupDialog& dialog) {
        listed = dialog.ListText(RestoreBackupDialog::kList, 0);
        UserInput::ClickRow(dialog, RestoreBackupDialog::kList, 0);
        dialog.DeliverTimer(RestoreBackupDialog::kShowChangesTimer);
        changes = dialog.GetDlgItemText(RestoreBackupDialog::kChanges);
        UserInput::Enter(dialog);
    }));
    EXPECT_NE(listed.find("   1 day, "), std::string::npos) << listed;
    EXPECT_NE(listed.find(", 1 activity, "), std::string::npos) << listed;
    EXPECT_EQ(changes, "Restoring it adds 0 days, removes 1, changes 0; 2 activities fewer "
                       "against the logbook as it is.");
    EXPECT_EQ(StoredActivities(), 1);
    EXPECT_EQ(Stored(0), nullptr);
}

} // namespace

// Ctrl+Z and Ctrl+Y in the Log Book, pressed as the user presses them: each stored change of
// the run goes back onto the file as it was, byte for byte, and comes again; typing not yet
// stored is the focused box's own to undo. Which record each step stores is
// LogBookHistoryTest's.
#include "framework/TFileOpenDialog.h"
#include "framework/TStatusBar.h"
#include "shell/CommandIds.h"
#include "shell/MainFrame.h"

#include "EditorFixture.h"

namespace {

constexpr std::int32_t kDay = 20261207;

class LogBookUndoTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        race = RaceDay(0);
        race.dateKey = kDay;
        // Past the texts' ends: no box shows these bytes.
        race.workout[25] = 'q';
        std::memset(race.comments, 0, sizeof race.comments);
        std::memcpy(race.comments, "Tempo run, windy on the river path\0old", 38);
        Store(race);
        editor->SendMessage(LogBookDialog::kGoToDayMessage, 0, kDay);
    }

    void Undo() { UserInput::Press(*editor, Qt::Key_Z, Qt::ControlModifier); }
    void Redo() { UserInput::Press(*editor, Qt::Key_Y, Qt::ControlModifier); }
    std::string Status() const { return frame->Status()->MessageText(); }
    // The day's 340 bytes in the data file, as the index places them.
    std::string OnFile(std::int32_t key) {
        const auto slot = Db().Table().At(Db().Table().Find(key)).slot;
        return Read(Path("logBooks/mylog.vrl")).substr(DayRecord::Offset(slot), DayRecord::kSize);
    }

    DayRecord race = DayRecord::Blank(0);
};

TEST_F(LogBookUndoTest, ASavedDayIsUndoneAndRedone) {
    Retype(Box(DayForm::kDistance), "12");
    Click(LogBookDialog::kSaveDay);
    const std::string saved = OnFile(kDay);
    ASSERT_NE(saved, RecordBytes(race));
    Click(LogBookDialog::kNextDay);

    Undo();
    EXPECT_EQ(OnFile(kDay), RecordBytes(race));
    EXPECT_EQ(Shows(LogBookDialog::kDateText), "MON, DEC 07, 2026");
    EXPECT_EQ(Status(), "Undone: change of MON, DEC 07, 2026");
    Redo();
    EXPECT_EQ(OnFile(kDay), saved);
    EXPECT_EQ(Status(), "Redone: change of MON, DEC 07, 2026");
    Undo();
    UserInput::Press(*editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(OnFile(kDay), saved);
    Redo();
    EXPECT_EQ(Status(), "Nothing to redo");
    EXPECT_TRUE(TMessageBox::History().empty());
}

// Changes stay undoable across saves and the Log Book's closing, until File > Open.
TEST_F(LogBookUndoTest, TheHistoryLastsTheRunUntilAnotherLogbookOpens) {
    Click(LogBookDialog::kNextDay);
    Type(Box(DayForm::kDistance), "5");
    Click(LogBookDialog::kSaveDay);
    Click(LogBookDialog::kPreviousDay);
    Click(LogBookDialog::kEraseDay);
    Click(LogBookDialog::kSaveDay);
    Reopen();

    Undo(); // the erase
    EXPECT_EQ(OnFile(kDay), RecordBytes(race));
    Undo(); // the new day
    Undo();
    EXPECT_EQ(Status(), "Nothing to undo");
    Redo();
    TFileOpenDialog::QueueAnswers({Path("logBooks/mylog.vrl")});
    UserInput::ChooseMenuItem(*frame, cmd::kOpen);
    Redo();
    EXPECT_EQ(Status(), "Nothing to redo");
    EXPECT_EQ(OnFile(kDay), RecordBytes(race));
}

TEST_F(LogBookUndoTest, CtrlZInABoxWithTypingUndoesTheTypingOnly) {
    Retype(Box(DayForm::kDistance), "12");
    Click(LogBookDialog::kSaveDay);
    const std::string saved = OnFile(kDay);
    const struct {
        int box;
        const char* shown;
    } rows[] = {
        {Box(DayForm::kCalories), "10500"},
        {LogBookDialog::kWorkout, "Competition, Flat  "},
        {LogBookDialog::kComments, "Tempo run, windy on the river path"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.box);
        Type(row.box, " 7 x");
        Undo();
        EXPECT_EQ(Shows(row.box), row.shown);
        EXPECT_EQ(OnFile(kDay), saved);
        EXPECT_EQ(Status(), "");
    }
    // Nothing typed is left: the stored change goes.
    Undo();
    EXPECT_EQ(OnFile(kDay), RecordBytes(race));
}

} // namespace

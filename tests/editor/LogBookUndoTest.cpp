// Ctrl+Z and Ctrl+Y in the Log Book, pressed as the user presses them: each stored change of
// the run goes back onto the file as it was, byte for byte, and comes again; typing not yet
// stored is the focused box's own to undo.
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
    void ShiftRedo() {
        UserInput::Press(*editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    }
    std::string Status() const { return frame->Status()->MessageText(); }
    // The day's 340 bytes in the data file, as the index places them.
    std::string OnFile(std::int32_t key) {
        const int at = Db().Table().Find(key);
        if (at < 0) {
            return "no entry";
        }
        const auto slot = Db().Table().At(at).slot;
        return Read(Path("logBooks/mylog.vrl")).substr(DayRecord::Offset(slot), DayRecord::kSize);
    }
    static std::string Bytes(const DayRecord& r) {
        return std::string(reinterpret_cast<const char*>(&r), sizeof r);
    }

    DayRecord race = DayRecord::Blank(0);
};

TEST_F(LogBookUndoTest, ASavedDayIsUndoneAndRedone) {
    Retype(Box(DayForm::kDistance), "12");
    Click(LogBookDialog::kSaveDay);
    DayRecord saved = race;
    saved.distance = 12;
    ASSERT_EQ(OnFile(kDay), Bytes(saved));
    Click(LogBookDialog::kNextDay);

    Undo();
    EXPECT_EQ(OnFile(kDay), Bytes(race));
    EXPECT_EQ(Shows(LogBookDialog::kDateText), "MON, DEC 07, 2026");
    EXPECT_EQ(Status(), "Undone: change of MON, DEC 07, 2026");

    Redo();
    EXPECT_EQ(OnFile(kDay), Bytes(saved));
    EXPECT_EQ(Status(), "Redone: change of MON, DEC 07, 2026");
    Undo();
    ShiftRedo();
    EXPECT_EQ(OnFile(kDay), Bytes(saved));
    Redo();
    EXPECT_EQ(Status(), "Nothing to redo");
    EXPECT_TRUE(TMessageBox::History().empty());
}

// Erased, then stored when + 30 Days moves the cache window: undo brings the whole record back.
TEST_F(LogBookUndoTest, AnErasedDayStoredByTheWindowsMoveComesBack) {
    Click(LogBookDialog::kEraseDay);
    Click(LogBookDialog::kNext30Days);
    ASSERT_EQ(OnFile(kDay)[4], 1); // erased

    Undo();
    EXPECT_EQ(OnFile(kDay), Bytes(race));
    EXPECT_EQ(Shows(LogBookDialog::kDateText), "MON, DEC 07, 2026");
    EXPECT_EQ(Shows(LogBookDialog::kWorkout), "Competition, Flat  ");
}

// A day saved where there was none goes again as Erase Day takes one; earlier changes stay
// undoable across saves and the Log Book's closing, until File > Open.
TEST_F(LogBookUndoTest, TheHistoryLastsTheRunUntilAnotherLogbookOpens) {
    Click(LogBookDialog::kNextDay);
    Type(Box(DayForm::kDistance), "5");
    Click(LogBookDialog::kSaveDay);
    Click(LogBookDialog::kPreviousDay);
    Click(LogBookDialog::kEraseDay);
    Click(LogBookDialog::kSaveDay);
    Reopen();

    Undo(); // the erase
    EXPECT_EQ(OnFile(kDay), Bytes(race));
    Undo(); // the new day
    EXPECT_EQ(Shows(LogBookDialog::kDateText), "TUE, DEC 08, 2026");
    EXPECT_EQ(OnFile(kDay + 1)[4], 1);
    Undo();
    EXPECT_EQ(Status(), "Nothing to undo");

    Redo();
    TFileOpenDialog::QueueAnswers({Path("logBooks/mylog.vrl")});
    UserInput::ChooseMenuItem(*frame, cmd::kOpen);
    Redo();
    EXPECT_EQ(Status(), "Nothing to redo");
    EXPECT_EQ(OnFile(kDay), Bytes(race));
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
    EXPECT_EQ(OnFile(kDay), Bytes(race));
}

} // namespace

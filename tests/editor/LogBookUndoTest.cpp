// Ctrl+Z and Ctrl+Y in the Log Book, pressed as the user presses them: the stored change of
// the run goes back onto the file as it was, byte for byte, and comes again, until another
// logbook is opened; typing not yet stored is the focused box's own to undo. Which record
// each step stores, and in what order, is LogBookHistoryTest's.
#include "framework/TFileOpenDialog.h"
#include "framework/TStatusBar.h"
#include "shell/CommandIds.h"
#include "shell/MainFrame.h"

#include "EditorFixture.h"

namespace {

constexpr std::int32_t kDay = 20261207;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
const std::string kUndone = "Undone: change of MON, DEC 07, 2026";
const std::string kRedone = "Redone: change of MON, DEC 07, 2026";

// A race day stored, with bytes past its texts' ends that no box shows, then changed in the
// Log Book: 12 typed for its distance and saved.
class LogBookUndoTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        DayRecord race = RaceDay(0);
        race.dateKey = kDay;
        race.workout[25] = 'q';
        std::memset(race.comments, 0, sizeof race.comments);
        std::memcpy(race.comments, "Tempo run, windy on the river path\0old", 38);
        Store(race);
        before = RecordBytes(race);
        editor->SendMessage(LogBookDialog::kGoToDayMessage, 0, kDay);
        Retype(Box(DayForm::kDistance), "12");
        Click(LogBookDialog::kSaveDay);
        saved = OnFile();
        ASSERT_NE(saved, before);
    }
    // The day's 340 bytes in the data file, as the index places them.
    std::string OnFile() {
        const auto slot = Db().Table().At(Db().Table().Find(kDay)).slot;
        return Read(Path("logBooks/mylog.vrl")).substr(DayRecord::Offset(slot), DayRecord::kSize);
    }
    void ExpectPress(Qt::Key key, Qt::KeyboardModifiers modifiers, const std::string& file,
                     const std::string& status) {
        UserInput::Press(*editor, key, modifiers);
        EXPECT_EQ(OnFile(), file);
        EXPECT_EQ(frame->Status()->MessageText(), status);
    }

    std::string before;
    std::string saved;
};

TEST_F(LogBookUndoTest, TheKeysTakeBackAndMakeAgainTheSavedDay) {
    Click(LogBookDialog::kNextDay);
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool saved; // the file holds the change, else the day as it was
        std::string status;
    } presses[] = {
        {Qt::Key_Z, kCtrl, false, kUndone}, {Qt::Key_Z, kCtrl, false, "Nothing to undo"},
        {Qt::Key_Y, kCtrl, true, kRedone},  {Qt::Key_Y, kCtrl, true, "Nothing to redo"},
        {Qt::Key_Z, kCtrl, false, kUndone}, {Qt::Key_Z, kCtrl | Qt::ShiftModifier, true, kRedone},
    };
    for (const auto& press : presses) {
        SCOPED_TRACE(&press - presses);
        ExpectPress(press.key, press.modifiers, press.saved ? saved : before, press.status);
    }
    EXPECT_EQ(Shows(LogBookDialog::kDateText), "MON, DEC 07, 2026");
    EXPECT_TRUE(TMessageBox::History().empty());
}

TEST_F(LogBookUndoTest, TheHistoryOutlivesTheWindowUntilAnotherLogbookOpens) {
    Reopen();
    ExpectPress(Qt::Key_Z, kCtrl, before, kUndone);
    ExpectPress(Qt::Key_Y, kCtrl, saved, kRedone);
    TFileOpenDialog::QueueAnswers({Path("logBooks/mylog.vrl")});
    UserInput::ChooseMenuItem(*frame, cmd::kOpen);
    ExpectPress(Qt::Key_Z, kCtrl, saved, "Nothing to undo");
}

TEST_F(LogBookUndoTest, CtrlZInABoxWithTypingUndoesTheTypingOnly) {
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
        ExpectPress(Qt::Key_Z, kCtrl, saved, "");
        EXPECT_EQ(Shows(row.box), row.shown);
    }
    // Nothing typed is left: the stored change goes.
    ExpectPress(Qt::Key_Z, kCtrl, before, kUndone);
}

} // namespace

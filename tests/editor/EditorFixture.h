#pragma once
// The program started in a fresh folder with the Log Book open on today, Find and the
// distance/time/pace calculator registered, and verbs that act as the user does: clicks on
// buttons, keys typed into boxes. Message boxes are answered by the test, never shown.

#include "editor/CalcDTPDialog.h"
#include "editor/FindDialog.h"
#include "editor/LogBookDialog.h"
#include "framework/TMessageBox.h"
#include "shell/ClientWindow.h"
#include "shell/ResourceIds.h"

#include "ShellFixture.h"
#include "framework/UserInput.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>

class EditorFixture : public ShellFixture {
protected:
    void RegisterTools() override {
        Register<LogBookDialog>(res::kLogBookDialog);
        Register<FindDialog>(res::kFindDialog);
        Register<CalcDTPDialog>(res::kCalcDTPDialog);
        TMessageBox::QueueAnswers({});
    }
    void SetUp() override {
        ShellFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        Reopen();
    }
    void TearDown() override {
        TMessageBox::QueueAnswers({TMessageBox::kIdNo});
        ShellFixture::TearDown();
    }

    // Set-up: the Log Book closed, dropping what it holds, and opened again: on today.
    void Reopen() {
        if (TDialog* open = client->Tool(res::kLogBookDialog)) {
            TMessageBox::QueueAnswers({TMessageBox::kIdNo});
            open->ClickButton(LogBookDialog::kClose);
            TMessageBox::ResetScript(); // the answer may not have been asked for
            TMessageBox::QueueAnswers({});
        }
        client->OpenLogBook();
        editor = dynamic_cast<LogBookDialog*>(client->Tool(res::kLogBookDialog));
        ASSERT_NE(editor, nullptr);
    }

    // Set-up: days stored, then the Log Book opened again on today.
    void OpenOn(std::initializer_list<DayRecord> days) {
        for (const DayRecord& day : days) {
            Store(day);
        }
        Reopen();
    }

    static int Box(int box) { return LogBookDialog::kFirstBox + box; }
    void Click(int id) { UserInput::Click(*editor, id); }
    // A click on a button whose message box the user answers so.
    void ClickAnswering(int id, int answer) {
        TMessageBox::QueueAnswers({answer});
        Click(id);
    }
    void Type(int id, const std::string& text) { UserInput::Type(*editor, id, text); }
    // Empties a box as the user does, by selecting its text and deleting it, then types.
    static void Retype(TDialog& dialog, int id, const std::string& text) {
        UserInput::Click(dialog, id);
        UserInput::Press(dialog, Qt::Key_A, Qt::ControlModifier);
        UserInput::Press(dialog, Qt::Key_Delete);
        UserInput::Type(dialog, id, text);
    }
    void Retype(int id, const std::string& text) { Retype(*editor, id, text); }
    // Types into the focused box, where the selected text is replaced.
    static void TypeHere(TDialog& dialog, const std::string& text) {
        QTest::keyClicks(UserInput::Focused(dialog), QString::fromStdString(text));
    }
    static std::string SelectedText(const TDialog& dialog) {
        auto* edit = qobject_cast<QLineEdit*>(UserInput::Focused(dialog));
        return edit ? edit->selectedText().toStdString() : std::string();
    }
    std::string Shows(int id) const { return editor->GetDlgItemText(id); }

    LogBookDatabase& Db() { return client->Database(); }

    // A day as a runner keeps it, with values its boxes cannot read back exactly (seven
    // characters of distance, five of calories, 60 hours, three decimals of speed) and a
    // comment in words longer than the comment box's two lines.
    DayRecord RaceDay(int days) {
        const std::string comment = std::string(40, 'x') + " " + std::string(60, 'y') + " " +
                                    std::string(60, 'z') + " " + std::string(92, 'w');
        DayRecord r = Day(Key(days))
                          .Distance(1234.56F)
                          .Time(60 * 3600 + 5)
                          .Competition('Y')
                          .Difficulty('H')
                          .Workout("Competition, Flat  ")
                          .Comments(comment.c_str());
        r.pace = 330;
        r.speed = 12.345F;
        r.calories = 10500;
        r.maxHeartRate = 181;
        r.bodyWeight = 70.4F;
        return r;
    }
    // The stored day, or null when it is absent or erased.
    std::unique_ptr<DayRecord> Stored(int days) {
        auto r = std::make_unique<DayRecord>(DayRecord::Blank(0));
        if (Db().ReadDay(Shifted(days), *r) != LogBookDatabase::ReadResult::Read ||
            r->erased != 0) {
            return nullptr;
        }
        return r;
    }
    void ExpectStoredAsIs(int days, const DayRecord& expected) {
        DayRecord after = DayRecord::Blank(0);
        ASSERT_EQ(Db().ReadDay(Shifted(days), after), LogBookDatabase::ReadResult::Read);
        EXPECT_EQ(std::memcmp(&after, &expected, sizeof expected), 0)
            << "day " << days << ": " << after.comments;
    }
    std::uintmax_t DataSize() const {
        return std::filesystem::file_size(Path("logBooks/mylog.vrl"));
    }

    LogBookDialog* editor = nullptr;
};

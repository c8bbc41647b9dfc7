// Find beside the Log Book: searches typed and clicked as the user does, each new list from
// its top, and Goto Day keeping what was typed for the day the Log Book shows. What matches
// and how it is listed is FindQueryTest's.
#include "EditorFixture.h"

#include <QListWidget>
#include <QScrollBar>

#include <vector>

namespace {

class FindDialogTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        Click(LogBookDialog::kFind);
        find = dynamic_cast<FindDialog*>(client->Tool(res::kFindDialog));
        ASSERT_NE(find, nullptr);
    }
    void StoreDistance(int days, float distance, char competition = 'Y') {
        Store(Day(Key(days)).Distance(distance).Competition(competition));
    }
    // Days of that distance, searched with the Find button.
    void Search(const std::string& value) {
        Retype(*find, FindDialog::kValue, value);
        UserInput::Click(*find, FindDialog::kFind);
    }
    QListWidget& List() { return *qobject_cast<QListWidget*>(find->Control(FindDialog::kResults)); }

    FindDialog* find = nullptr;
};

TEST_F(FindDialogTest, ListsDaysAndGoesToThem) {
    StoreDistance(-40, 10);
    StoreDistance(-20, 12);
    StoreDistance(-5, 10);
    StoreDistance(-4, 10, 'N');
    EXPECT_TRUE(find->IsDlgButtonChecked(FindDialog::kIgnore));
    Search("10");
    EXPECT_EQ(find->ListCount(FindDialog::kResults), 3);
    EXPECT_EQ(find->ListText(FindDialog::kResults, 0).substr(0, 27),
              client->Dates().ShortDateText(Shifted(-40)) + " (Data = \"10.00\"");
    UserInput::Click(*find, FindDialog::kYes); // competitions only
    UserInput::Click(*find, FindDialog::kFind);
    EXPECT_EQ(find->Results(), (std::vector<std::int32_t>{Key(-40), Key(-5)}));
    EXPECT_EQ(find->ListCount(FindDialog::kResults), 2);

    UserInput::Click(*find, FindDialog::kGoToDay); // nothing selected
    EXPECT_EQ(editor->CurrentDate(), today);
    UserInput::ClickRow(*find, FindDialog::kResults, 0);
    UserInput::Click(*find, FindDialog::kGoToDay);
    EXPECT_EQ(editor->CurrentDate(), Shifted(-40));

    // With the Log Book closed, a double click opens it on the day, as the window system
    // delivers one: press, release, double click, release.
    Click(LogBookDialog::kClose);
    ASSERT_FALSE(client->IsToolOpen(res::kLogBookDialog));
    const QPoint row = List().visualItemRect(List().item(1)).center();
    UserInput::ClickRow(*find, FindDialog::kResults, 1);
    QTest::mouseDClick(List().viewport(), Qt::LeftButton, Qt::NoModifier, row);
    QTest::mouseRelease(List().viewport(), Qt::LeftButton, Qt::NoModifier, row);
    editor = dynamic_cast<LogBookDialog*>(client->Tool(res::kLogBookDialog));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->CurrentDate(), Shifted(-5));
}

// Issue: Goto Day dropped what was typed for the shown day without a word.
TEST_F(FindDialogTest, GotoDayKeepsWhatWasTyped) {
    StoreDistance(-40, 10);
    Search("10");
    UserInput::ClickRow(*find, FindDialog::kResults, 0);
    Type(Box(DayForm::kDistance), "7,5");
    TMessageBox::QueueAnswers({TMessageBox::kIdYes});
    UserInput::Click(*find, FindDialog::kGoToDay);
    EXPECT_EQ(editor->CurrentDate(), today) << "the move waits for the box";
    EXPECT_EQ(UserInput::FocusedId(*editor), Box(DayForm::kDistance));
    TypeHere(*editor, "7.5");
    UserInput::Click(*find, FindDialog::kGoToDay);
    EXPECT_EQ(editor->CurrentDate(), Shifted(-40));
    ASSERT_NE(Stored(0), nullptr);
    EXPECT_EQ(Stored(0)->distance, 7.5F);
}

// Issue: a second search after the first list was scrolled to its end showed its hits from
// about the thirteenth on.
TEST_F(FindDialogTest, ANewSearchStartsAtTheTopOfItsList) {
    for (int day = -60; day < 0; ++day) {
        StoreDistance(day, day < -19 ? 10.0F : 12.0F);
    }
    Search("12");
    ASSERT_EQ(find->ListCount(FindDialog::kResults), 19);
    UserInput::ClickRow(*find, FindDialog::kResults, 0);
    UserInput::Press(*find, Qt::Key_End);
    ASSERT_GT(List().verticalScrollBar()->value(), 0);
    Search("10");
    ASSERT_EQ(find->ListCount(FindDialog::kResults), 41);
    QApplication::processEvents();
    EXPECT_EQ(List().verticalScrollBar()->value(), 0);
    EXPECT_EQ(List().indexAt(QPoint(4, 4)).row(), 0);
}

} // namespace

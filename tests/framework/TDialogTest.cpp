// The dialog manager as a user meets it (keys and clicks), and the dialog's controls as the
// program reads and writes them.
#include "UserInput.h"

#include "framework/TBitmapButton.h"
#include "framework/TDialog.h"
#include "framework/TImageDC.h"
#include "framework/TResources.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

constexpr int kForm = 9002;

enum Id {
    kLabel = 700,
    kLimited = 500, // limit 6: five characters
    kComment = 501, // two lines, limit 256
    kHiddenBox = 502,
    kWorkout = 540, // editable combo, limit 12
    kSaveArt = 101, // default bitmap button
    kOtherArt = 102,
    kSave = 600, // default push button
    kClear = 601,
    kEasy = 512,
    kModerate = 513,
    kHard = 514,
    kFlag = 111,
    kDays = 530,
    kYes = 520,
    kNo = 521,
};

void RegisterForm() {
    TDialogTemplate t;
    t.cx = 300;
    t.cy = 204;
    t.caption = "Form";
    using K = TControlKind;
    using C = TControlTemplate;
    t.controls = {
        {K::Static, kLabel, 4, 4, 40, 10, "Distance:", 0, 0},
        {K::Edit, kLimited, 50, 4, 60, 12, "", 0, 6},
        {K::Edit, kComment, 50, 20, 60, 26, "", C::kMultiLine, 256},
        {K::Edit, kHiddenBox, 50, 50, 60, 12, "", C::kHidden, 0},
        {K::ComboBox, kWorkout, 120, 4, 80, 60, "", 0, 12},
        {K::BitmapButton, kSaveArt, 4, 70, 44, 26, "Save", C::kDefault, 0},
        {K::BitmapButton, kOtherArt, 52, 70, 44, 26, "Other", 0, 0},
        {K::Button, kSave, 100, 70, 40, 14, "Save", C::kDefault, 0},
        {K::Button, kClear, 144, 70, 40, 14, "Clear", 0, 0},
        {K::RadioButton, kEasy, 4, 100, 40, 10, "Easy", C::kGroup, 0},
        {K::RadioButton, kModerate, 48, 100, 40, 10, "Moderate", 0, 0},
        {K::RadioButton, kHard, 92, 100, 40, 10, "Hard", 0, 0},
        {K::CheckBox, kFlag, 4, 114, 60, 10, "Flag", C::kGroup, 0},
        {K::ListBox, kDays, 150, 100, 100, 80, "", 0, 0},
        {K::RadioButton, kYes, 4, 130, 40, 10, "Yes", C::kGroup, 0},
        {K::RadioButton, kNo, 48, 130, 40, 10, "No", 0, 0},
    };
    TResources::AddDialog(kForm, t);
    // The save button's faces: up red, pressed blue, focused green.
    for (const auto& [id, colour] :
         {std::pair{1101, Qt::red}, {3101, Qt::blue}, {5101, Qt::green}}) {
        QImage face(64, 40, QImage::Format_RGB32);
        face.fill(colour);
        TResources::AddBitmap(id, face);
    }
}

class Form : public TDialog {
public:
    Form() : TDialog(nullptr, kForm) {
        for (int id : {kSaveArt, kOtherArt, kSave, kClear, kEasy, kModerate, kHard, kFlag}) {
            OnCommand(id, [this, id] { pressed.push_back(id); });
        }
        OnNotify(kDays, Notify::ListSelChange, [this] {
            ++listChanges;
            listSeen.push_back(ListSelection(kDays));
        });
        OnNotify(kWorkout, Notify::ComboSelChange, [this] { ++comboChanges; });
    }
    std::vector<int> pressed;
    int listChanges = 0;
    std::vector<int> listSeen; // the selection each change's handler saw
    int comboChanges = 0;
    int closeQuestions = 0;
    int rightClicks = 0;
    bool allowClose = true;

protected:
    void SetupWindow() override {
        TDialog::SetupWindow();
        ListAddString(kWorkout, "Other, Mixed");
        ListAddString(kWorkout, "Run");
        SetDlgItemText(kWorkout, "");
        ListAddString(kDays, "Monday");
        ListAddString(kDays, "Tuesday");
    }
    bool CanClose() override {
        ++closeQuestions;
        return allowClose;
    }
    void EvRButtonDown(TPoint) override { ++rightClicks; }
};

class TDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(form.Create());
        form.Show(TShowMode::Normal);
        QApplication::processEvents();
    }
    void TearDown() override {
        form.allowClose = true;
        form.Destroy();
        QApplication::processEvents();
    }
    bool registered = (RegisterForm(), true); // before the form reads its template
    Form form;
};

using namespace UserInput;

TEST_F(TDialogTest, EnterGoesToTheFocusedButtonElseToTheFirstUsableDefault) {
    Tab(form); // comment box
    Tab(form); // combo
    Tab(form); // default bitmap button
    Tab(form);
    ASSERT_EQ(FocusedId(form), kOtherArt);
    Enter(form);
    Tab(form);
    Tab(form);
    ASSERT_EQ(FocusedId(form), kClear);
    Enter(form);
    Type(form, kLimited, "12");
    Enter(form);
    form.EnableDlgItem(kSaveArt, false);
    Enter(form);
    EXPECT_EQ(form.pressed, (std::vector<int>{kOtherArt, kClear, kSaveArt, kSave}));

    // The comment box makes no line of Enter: the default button takes it.
    Type(form, kComment, "one");
    Enter(form);
    EXPECT_EQ(form.GetDlgItemText(kComment), "one");
    EXPECT_EQ(form.pressed.back(), kSave);
}

TEST_F(TDialogTest, EscapeClosesAsTheCloseBoxDoesAndMayBeRefused) {
    Type(form, kLimited, "7");
    form.allowClose = false;
    Escape(form);
    EXPECT_EQ(form.closeQuestions, 1);
    EXPECT_TRUE(form.IsCreated());
    form.allowClose = true;
    Escape(form);
    EXPECT_EQ(form.closeQuestions, 2);
    EXPECT_FALSE(form.IsCreated());
}

// Escape ends a modal dialog at once; a button other than OK does not end it.
TEST_F(TDialogTest, AModalDialogEndsOnEscapeWithCancelAndOnOkWithOk) {
    Form modal;
    modal.allowClose = false;
    QTimer::singleShot(0, [&modal] { Escape(modal); });
    EXPECT_EQ(modal.Execute(), TDialog::kIdCancel);
    EXPECT_EQ(modal.closeQuestions, 0);

    Form ok;
    QTimer::singleShot(0, [&ok] {
        Click(ok, kSave);
        ok.Command(TDialog::kIdOk); // no OK button: no gesture reaches it
    });
    EXPECT_EQ(ok.Execute(), TDialog::kIdOk);
    EXPECT_FALSE(ok.IsCreated());
}

TEST_F(TDialogTest, ACheckBoxWithId111IsOnlyACheckBox) {
    Click(form, kFlag);
    EXPECT_TRUE(form.IsDlgButtonChecked(kFlag));
    EXPECT_TRUE(form.IsCreated()); // asked to close, the form would have gone
    EXPECT_EQ(form.pressed, (std::vector<int>{kFlag}));
}

TEST_F(TDialogTest, FocusStartsOnTheFirstStopAndTabFollowsTheTemplateRound) {
    EXPECT_EQ(FocusedId(form), kLimited);
    std::vector<int> visited;
    for (int i = 0; i < 11; ++i) {
        Tab(form);
        visited.push_back(FocusedId(form));
    }
    // No stop for the static text, the hidden box, or the radio buttons not checked.
    EXPECT_EQ(visited, (std::vector<int>{kComment, kWorkout, kSaveArt, kOtherArt, kSave, kClear,
                                         kEasy, kFlag, kDays, kYes, kLimited}));
    BackTab(form);
    BackTab(form);
    EXPECT_EQ(FocusedId(form), kDays);

    form.CheckDlgButton(kHard, true);
    form.SetDlgItemFocus(kFlag);
    BackTab(form);
    EXPECT_EQ(FocusedId(form), kHard); // the group's stop is its checked button
}

TEST_F(TDialogTest, ALimitCountsTheTerminatingZeroAndARefusedKeyChangesNothing) {
    Type(form, kLimited, "1234567");
    EXPECT_EQ(form.GetDlgItemText(kLimited), "12345");
    auto* edit = qobject_cast<QLineEdit*>(form.Control(kLimited));
    Press(form, Qt::Key_Home);
    Press(form, Qt::Key_Right);
    Press(form, Qt::Key_Right);
    Press(form, Qt::Key_X);
    EXPECT_EQ(form.GetDlgItemText(kLimited), "12345");
    EXPECT_EQ(edit->cursorPosition(), 2);
    Press(form, Qt::Key_A, Qt::ControlModifier);
    Press(form, Qt::Key_9); // replaces the whole selection: within the limit
    EXPECT_EQ(form.GetDlgItemText(kLimited), "9");

    Type(form, kWorkout, "Cycling, long ride");
    EXPECT_EQ(form.GetDlgItemText(kWorkout), "Cycling, lo");
}

TEST_F(TDialogTest, AMultiLineBoxTakesOnlyWhatItsLinesShow) {
    Type(form, kComment, "one two three four five six seven eight nine ten eleven twelve");
    const std::string kept = form.GetDlgItemText(kComment);
    EXPECT_EQ(form.EditLineCount(kComment), 2);
    EXPECT_EQ(kept.rfind("one two three four", 0), 0U);
    EXPECT_LT(kept.size(), 62U);
    auto* box = qobject_cast<QPlainTextEdit*>(form.Control(kComment));
    const int cursor = box->textCursor().position();
    Press(form, Qt::Key_W);
    EXPECT_EQ(form.GetDlgItemText(kComment), kept);
    EXPECT_EQ(box->textCursor().position(), cursor);
    EXPECT_EQ(box->verticalScrollBar()->value(), 0);
}

TEST_F(TDialogTest, ArrowsWalkTheRadioGroupInTemplateOrderAndCheckWhatTheyReach) {
    Click(form, kEasy);
    Press(form, Qt::Key_Right);
    EXPECT_TRUE(form.IsDlgButtonChecked(kModerate));
    Press(form, Qt::Key_Down);
    Press(form, Qt::Key_Right); // wraps to the first
    EXPECT_EQ(FocusedId(form), kEasy);
    Press(form, Qt::Key_Left);
    EXPECT_EQ(FocusedId(form), kHard);
    EXPECT_TRUE(form.IsDlgButtonChecked(kHard));
    EXPECT_FALSE(form.IsDlgButtonChecked(kEasy));
    EXPECT_EQ(form.pressed, (std::vector<int>{kEasy, kModerate, kHard, kEasy, kHard}));
}

TEST_F(TDialogTest, CombosKeepWhatIsTypedAndListsChangeOnlyByTheUser) {
    Type(form, kWorkout, "Other");
    Tab(form);
    EXPECT_EQ(form.GetDlgItemText(kWorkout), "Other");
    Type(form, kWorkout, "");
    Press(form, Qt::Key_A, Qt::ControlModifier);
    Keys(form, "run");
    Tab(form);
    EXPECT_EQ(form.GetDlgItemText(kWorkout), "run");
    EXPECT_EQ(form.comboChanges, 0);

    form.ListSetSelection(kDays, 0);
    EXPECT_EQ(form.listChanges, 0);
    ClickRow(form, kDays, 1);
    EXPECT_EQ(form.ListSelection(kDays), 1);
    EXPECT_EQ(form.listChanges, 1);
    ClickRow(form, kDays, -1);
    EXPECT_EQ(form.ListSelection(kDays), 1);
    EXPECT_EQ(form.listChanges, 1);
    // The handler sees the row clicked or reached by the arrow, never a passing none.
    Press(form, Qt::Key_Up);
    EXPECT_EQ(form.listChanges, 2);
    EXPECT_EQ(form.listSeen, (std::vector<int>{1, 0}));
}

// A click that lands before the window system has made the dialog active puts the focus in
// the clicked box; the activation that follows used to give it back to the control focused
// before, so what the user typed next went there.
TEST_F(TDialogTest, AClickBeforeTheWindowIsActiveKeepsTheFocusWhenItActivates) {
    ASSERT_EQ(FocusedId(form), kLimited);
    QWidget other;
    other.resize(100, 60);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    Click(form, kComment);
    QWidget* host = form.Widget()->window();
    host->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(host));
    EXPECT_EQ(FocusedId(form), kComment);
    Keys(form, "x");
    EXPECT_EQ(form.GetDlgItemText(kComment), "x");
    EXPECT_EQ(form.GetDlgItemText(kLimited), "");
}

TEST_F(TDialogTest, TemplatesConvertDialogUnitsWithFixedBaseUnits) {
    EXPECT_EQ(form.ClientRect(), (TRect{0, 0, 450, 331}));
    EXPECT_EQ(form.ControlRect(kSaveArt), (TRect{6, 113, 72, 156}));
    EXPECT_EQ(form.GetDlgItemText(kLabel), "Distance:");
}

TEST_F(TDialogTest, ControlsAreReadAndWrittenByIdAndTheProgramsTextIsNeverCut) {
    form.SetDlgItemText(kLimited, "1234.56789");
    EXPECT_EQ(form.GetDlgItemText(kLimited), "1234.56789");
    form.SetDlgItemText(kComment, std::string(300, 'c'));
    EXPECT_EQ(form.GetDlgItemText(kComment).size(), 300U);
    form.SetDlgItemText(kWorkout, "Distance, Mixed     and more");
    EXPECT_EQ(form.GetDlgItemText(kWorkout), "Distance, Mixed     and more");

    form.CheckDlgButton(kEasy, true);
    form.CheckDlgButton(kYes, true);
    EXPECT_TRUE(form.IsDlgButtonChecked(kEasy));
    EXPECT_TRUE(form.IsDlgButtonChecked(kYes)); // another group
    form.CheckDlgButton(kModerate, true);
    EXPECT_FALSE(form.IsDlgButtonChecked(kEasy));
    form.CheckDlgButton(kModerate, false);
    EXPECT_FALSE(form.IsDlgButtonChecked(kModerate)); // a group can be left with none

    EXPECT_EQ(form.ListAddString(kDays, "Wednesday"), 2);
    EXPECT_EQ(form.ListText(kDays, 0), "Monday");
    form.ListClear(kDays);
    EXPECT_EQ(form.ListCount(kDays), 0);
    form.ListAddString(kWorkout, "Ride");
    EXPECT_EQ(form.GetDlgItemText(kWorkout), "Distance, Mixed     and more"); // the edit stays
}

TEST_F(TDialogTest, AMultiLineBoxWrapsAtWordsAndShowsItsLinesOneByOne) {
    form.SetDlgItemText(kComment, "one two three four five six seven eight nine ten eleven");
    const int lines = form.EditLineCount(kComment);
    ASSERT_GE(lines, 2);
    std::string joined;
    for (int i = 0; i < lines; ++i) {
        EXPECT_FALSE(form.EditLine(kComment, i).empty());
        joined += form.EditLine(kComment, i);
    }
    EXPECT_EQ(joined, "one two three four five six seven eight nine ten eleven");
    EXPECT_EQ(form.EditLine(kComment, lines), "");
}

TEST_F(TDialogTest, AClickCommandsTheDialogAndABitmapButtonShowsTheFaceOfItsState) {
    Click(form, kSaveArt);
    EXPECT_EQ(form.pressed, (std::vector<int>{kSaveArt}));
    auto* button = dynamic_cast<TBitmapButton*>(form.Control(kSaveArt));
    ASSERT_NE(button, nullptr);
    form.Widget()->activateWindow();
    button->clearFocus();
    EXPECT_EQ(button->FaceOffset(), 1000);
    button->setDown(true);
    EXPECT_EQ(button->FaceOffset(), 3000);
    EXPECT_EQ(TImageDC::PaintWindow(form).Pixel(40, 130), (TColor{0, 0, 255}));
    button->setDown(false);
    EXPECT_EQ(TImageDC::PaintWindow(form).Pixel(40, 130), (TColor{255, 0, 0}));
}

TEST_F(TDialogTest, TheRightButtonReachesTheDialogOnlyFromItsSurface) {
    ClickAt(*form.Widget(), QPoint(420, 300), Qt::RightButton);
    EXPECT_EQ(form.rightClicks, 1);
    ClickAt(*form.Control(kSaveArt), QPoint(5, 5), Qt::RightButton); // a button keeps its clicks
    EXPECT_EQ(form.rightClicks, 1);
    ClickAt(*form.Control(kLabel), QPoint(5, 5), Qt::RightButton); // a text lets them through
    EXPECT_EQ(form.rightClicks, 2);
}

} // namespace

TEST(TDialogFrame, ACaptionGivesAPopUpWithOnlyACloseBoxAndNoCaptionGivesNoFrame) {
    TDialogTemplate t;
    t.cx = 100;
    t.cy = 50;
    t.caption = "Pop-up";
    TResources::AddDialog(9003, t);
    t.hasCaption = false;
    TResources::AddDialog(9004, t);
    TDialog popup(nullptr, 9003);
    TDialog title(nullptr, 9004);
    ASSERT_TRUE(popup.Create());
    ASSERT_TRUE(title.Create());
    const Qt::WindowFlags flags = popup.Widget()->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(title.Widget()->windowFlags() & Qt::FramelessWindowHint);
}

// A dialog with grow lines: lists across a line stretch by its share, a button past the line
// moves; nothing goes below the template's size. The form has none and keeps its size.
TEST(TDialogGrowTest, ControlsFollowTheGrowLinesAndTheTemplateIsTheLeastSize) {
    constexpr int kGrowing = 9003;
    enum { kTop = 801, kBottom = 802, kButton = 803 };
    TDialogTemplate t;
    t.cx = 200;
    t.cy = 100;
    t.controls = {{TControlKind::ListBox, kTop, 4, 20, 140, 50, "", 0, 0},
                  {TControlKind::ListBox, kBottom, 4, 74, 140, 20, "", 0, 0},
                  {TControlKind::Button, kButton, 150, 4, 40, 14, "Go", 0, 0}};
    t.growX = {{100, 100}};
    t.growY = {{40, 50}, {85, 50}};
    TResources::AddDialog(kGrowing, t);
    TDialog dialog(nullptr, kGrowing);
    ASSERT_TRUE(dialog.Create());
    dialog.Show(TShowMode::Normal);
    // On X11 the new size comes back from the server a little later.
    dialog.Widget()->resize(360, 202);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.ClientRect() == TRect{0, 0, 360, 202}; }));
    EXPECT_EQ(dialog.ControlRect(kTop), (TRect{6, 32, 276, 133}));
    EXPECT_EQ(dialog.ControlRect(kBottom), (TRect{6, 140, 276, 192}));
    EXPECT_EQ(dialog.ControlRect(kButton), (TRect{285, 6, 345, 29}));
    dialog.Widget()->resize(200, 100);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.ClientRect() == TRect{0, 0, 300, 162}; }));
    EXPECT_EQ(dialog.ControlRect(kTop), (TRect{6, 32, 216, 113}));
    dialog.Destroy();

    RegisterForm();
    Form form;
    ASSERT_TRUE(form.Create());
    form.Widget()->resize(600, 600);
    EXPECT_EQ(form.ClientRect(), (TRect{0, 0, 450, 331}));
    form.Destroy();
}

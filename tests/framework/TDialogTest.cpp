#include "framework/TDialog.h"
#include "framework/TBitmapButton.h"
#include "framework/TImageDC.h"
#include "framework/TResources.h"
#include "framework/UserInput.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

constexpr int kSample = 9001;

void RegisterSample() {
    TDialogTemplate t;
    t.cx = 396;
    t.cy = 204;
    t.caption = "Sample";
    using K = TControlKind;
    using C = TControlTemplate;
    t.controls = {
        {K::GroupBox, -1, 8, 44, 320, 152, "", 0, 0},
        {K::Edit, 500, 12, 50, 60, 12, "", 0, 6},
        {K::Edit, 511, 12, 70, 80, 24, "", C::kMultiLine, 255},
        {K::RadioButton, 512, 12, 100, 40, 10, "&Yes", C::kGroup, 0},
        {K::RadioButton, 513, 60, 100, 40, 10, "No", 0, 0},
        {K::RadioButton, 514, 12, 112, 40, 10, "Easy", C::kGroup, 0},
        {K::RadioButton, 515, 60, 112, 40, 10, "Hard", 0, 0},
        {K::CheckBox, 520, 12, 124, 60, 10, "Check", 0, 0},
        {K::ListBox, 530, 120, 50, 100, 60, "", 0, 0},
        {K::ComboBox, 540, 120, 120, 100, 80, "", 0, 19},
        {K::BitmapButton, 101, 8, 16, 44, 26, "", 0, 0},
        {K::Button, 600, 230, 50, 50, 14, "Push", C::kDefault, 0},
        {K::Static, 700, 0, 0, 96, 12, "Header", C::kCentered, 0},
    };
    TResources::AddDialog(kSample, t);
    QImage up(64, 40, QImage::Format_RGB32);
    up.fill(Qt::red);
    QImage pressed = up;
    pressed.fill(Qt::blue);
    QImage focused = up;
    focused.fill(Qt::green);
    TResources::AddBitmap(1101, up);
    TResources::AddBitmap(3101, pressed);
    TResources::AddBitmap(5101, focused);
}

class Sample : public TDialog {
public:
    explicit Sample(TWindow* parent = nullptr) : TDialog(parent, kSample) {
        OnCommand(101, [this] { ++presses; });
        OnCommand(512, [this] { ++yesClicks; });
        OnNotify(530, Notify::ListDoubleClick, [this] { ++doubleClicks; });
    }
    int presses = 0;
    int yesClicks = 0;
    int doubleClicks = 0;
    int rightClicks = 0;
    bool allowClose = true;

protected:
    bool CanClose() override { return allowClose; }
    void EvRButtonDown(TPoint) override { ++rightClicks; }
};

class TDialogTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterSample(); }
};

TEST_F(TDialogTest, TemplatesConvertDialogUnitsWithFixedBaseUnits) {
    EXPECT_EQ(TDialogTemplate::PixelRect(8, 44, 320, 152), (TRect{12, 71, 492, 318}));
    Sample d;
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(d.ClientRect(), (TRect{0, 0, 594, 331}));
    EXPECT_EQ(d.ControlRect(101), (TRect{12, 26, 78, 68}));
    EXPECT_EQ(d.GetDlgItemText(700), "Header");
}

TEST_F(TDialogTest, ControlsAreReadAndWrittenByIdAndTheProgramsTextIsNeverCut) {
    Sample d;
    ASSERT_TRUE(d.Create());
    d.SetDlgItemText(500, "12.3456789");
    EXPECT_EQ(d.GetDlgItemText(500), "12.3456789");
    d.SetDlgItemText(511, std::string(300, 'c'));
    EXPECT_EQ(d.GetDlgItemText(511).size(), 300U);
    d.SetDlgItemText(540, "Distance, Mixed     and more");
    EXPECT_EQ(d.GetDlgItemText(540), "Distance, Mixed     and more");

    d.CheckDlgButton(512, true);
    d.CheckDlgButton(514, true);
    EXPECT_TRUE(d.IsDlgButtonChecked(512));
    EXPECT_TRUE(d.IsDlgButtonChecked(514)); // another group
    d.CheckDlgButton(513, true);
    EXPECT_FALSE(d.IsDlgButtonChecked(512));
    d.CheckDlgButton(513, false);
    EXPECT_FALSE(d.IsDlgButtonChecked(513)); // a group can be left with none

    EXPECT_EQ(d.ListAddString(530, "first"), 0);
    EXPECT_EQ(d.ListAddString(530, "second"), 1);
    EXPECT_EQ(d.ListText(530, 0), "first");
    d.SendNotify(530, TDialog::Notify::ListDoubleClick);
    EXPECT_EQ(d.doubleClicks, 1);
    d.ListClear(530);
    EXPECT_EQ(d.ListCount(530), 0);
    d.ListAddString(540, "Run");
    EXPECT_EQ(d.GetDlgItemText(540), "Distance, Mixed     and more"); // the edit field stays
}

TEST_F(TDialogTest, MultiLineBoxWrapsAtWordsAndShowsItsLinesOneByOne) {
    Sample d;
    ASSERT_TRUE(d.Create());
    d.SetDlgItemText(511, "one two three four five six seven eight nine ten eleven twelve");
    const int lines = d.EditLineCount(511);
    ASSERT_GE(lines, 2);
    std::string joined;
    for (int i = 0; i < lines; ++i) {
        const std::string line = d.EditLine(511, i);
        EXPECT_FALSE(line.empty());
        joined += line;
    }
    EXPECT_EQ(joined, "one two three four five six seven eight nine ten eleven twelve");
    EXPECT_EQ(d.EditLine(511, lines), "");
}

TEST_F(TDialogTest, ButtonsCommandTheDialogAndBitmapFacesFollowTheState) {
    Sample d;
    ASSERT_TRUE(d.Create());
    d.Widget()->show();
    UserInput::Click(d, 101);
    UserInput::Click(d, 512);
    EXPECT_EQ(d.presses, 1);
    EXPECT_EQ(d.yesClicks, 1);

    auto* button = dynamic_cast<TBitmapButton*>(d.Control(101));
    ASSERT_NE(button, nullptr);
    d.Widget()->activateWindow();
    button->clearFocus();
    EXPECT_EQ(button->FaceOffset(), 1000);
    button->setDown(true);
    EXPECT_EQ(button->FaceOffset(), 3000);
    TImageDC shot = TImageDC::PaintWindow(d);
    EXPECT_EQ(shot.Pixel(40, 40), (TColor{0, 0, 255}));
    button->setDown(false);
    TImageDC again = TImageDC::PaintWindow(d);
    EXPECT_EQ(again.Pixel(40, 40), (TColor{255, 0, 0}));
}

TEST_F(TDialogTest, RightButtonOnTheSurfaceOnlyReachesTheDialog) {
    Sample d;
    ASSERT_TRUE(d.Create());
    d.Widget()->show();
    const auto press = [](QWidget* target, QPoint at) {
        UserInput::ClickAt(*target, at, Qt::RightButton);
    };
    press(d.Widget(), QPoint(560, 300));
    EXPECT_EQ(d.rightClicks, 1);
    press(d.Control(101), QPoint(5, 5)); // a button keeps its clicks
    EXPECT_EQ(d.rightClicks, 1);
    press(d.Control(700), QPoint(5, 5)); // a static text lets them through
    EXPECT_EQ(d.rightClicks, 2);
}

TEST_F(TDialogTest, OkAndAModelessCancelAskCanCloseWhileAModalCancelEndsAtOnce) {
    Sample d;
    ASSERT_TRUE(d.Create());
    d.Widget()->show();
    d.allowClose = false;
    d.Command(TDialog::kIdOk); // no OK button: no gesture reaches it
    EXPECT_TRUE(d.IsCreated());
    UserInput::Escape(d);
    EXPECT_TRUE(d.IsCreated());
    d.allowClose = true;
    UserInput::Escape(d);
    EXPECT_FALSE(d.IsCreated());

    Sample refusing;
    refusing.allowClose = false;
    QTimer::singleShot(0, [&refusing] { UserInput::Escape(refusing); });
    EXPECT_EQ(refusing.Execute(), TDialog::kIdCancel);

    Sample modal;
    QTimer::singleShot(0, [&modal] {
        UserInput::Click(modal, 600);
        modal.Command(TDialog::kIdOk);
    });
    EXPECT_EQ(modal.Execute(), TDialog::kIdOk);
    EXPECT_FALSE(modal.IsCreated());
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

// The calculator's window: opened through the client window, its keys where the template
// puts them and bound to the key machine, and its display painted cell by cell.

#include "tools/CalculatorDialog.h"
#include "framework/TImageDC.h"
#include "framework/TResources.h"
#include "shell/CommandIds.h"
#include "tools/CalculatorKeys.h"

#include "PopupToolFixture.h"
#include "framework/UserInput.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

class CalculatorDialogTest : public PopupToolFixture {
protected:
    CalculatorDialog* OpenCalculator() {
        return Open<CalculatorDialog>(cmd::kCalculator, res::kCalculatorDialog);
    }
    static void Click(CalculatorDialog& d, std::initializer_list<int> keys) {
        for (const int key : keys) {
            UserInput::Click(d, key);
        }
    }
    // A key of the keyboard, and the calculator key it stands for. In the tables below
    // E is Enter, X Esc, D Delete and B Backspace.
    struct Typed {
        Qt::Key key;
        int button;
    };
    static Typed KeyFor(char c) {
        static const std::map<char, Typed> keys = {
            {'0', {Qt::Key_0, calc::kZero}},        {'1', {Qt::Key_1, calc::kOne}},
            {'2', {Qt::Key_2, calc::kTwo}},         {'3', {Qt::Key_3, calc::kThree}},
            {'4', {Qt::Key_4, calc::kFour}},        {'5', {Qt::Key_5, calc::kFive}},
            {'6', {Qt::Key_6, calc::kSix}},         {'7', {Qt::Key_7, calc::kSeven}},
            {'8', {Qt::Key_8, calc::kEight}},       {'9', {Qt::Key_9, calc::kNine}},
            {'.', {Qt::Key_Period, calc::kPoint}},  {'+', {Qt::Key_Plus, calc::kPlus}},
            {'-', {Qt::Key_Minus, calc::kMinus}},   {'*', {Qt::Key_Asterisk, calc::kMultiply}},
            {'/', {Qt::Key_Slash, calc::kDivide}},  {'=', {Qt::Key_Equal, calc::kEquals}},
            {'E', {Qt::Key_Return, calc::kEquals}}, {'X', {Qt::Key_Escape, calc::kClear}},
            {'D', {Qt::Key_Delete, calc::kClear}},  {'B', {Qt::Key_Backspace, calc::kBackspace}}};
        return keys.at(c);
    }
    // The dialog's own paint, on white so that what it leaves alone shows.
    static QImage Painted(CalculatorDialog& d) {
        TImageDC image(d.ClientRect().Width(), d.ClientRect().Height());
        d.PaintTo(image.DC(), false, d.ClientRect());
        return image.Finish().copy();
    }
    static QImage Cell(int cell) {
        return TResources::Bitmap(res::kCalculatorDigits)->copy(cell * 16, 0, 16, 24);
    }
};

// A pop-up tool opens once from its menu command, on the middle of the screen under its own
// caption; its command is disabled in the menu and the tool bar while it is open; closing it
// enables the command again and the tool bar opens a fresh one.
TEST_F(CalculatorDialogTest, ThePopUpToolsOpenOnceCentredAndAfresh) {
    const struct {
        int command;
        int resource;
        const char* caption;
        std::vector<int> used; // buttons clicked before it is closed
        void (*close)(TDialog&);
    } tools[] = {
        {cmd::kCalculator,
         res::kCalculatorDialog,
         "Calculator",
         {calc::kSeven, calc::kMemoryPlus},
         UserInput::CloseBox},
        {cmd::kHeartRate,
         res::kHRateDialog,
         "Heart Rate Timer",
         {HRateDialog::k15Seconds},
         UserInput::Escape},
    };
    const QSize screen = QGuiApplication::primaryScreen()->size();
    for (const auto& t : tools) {
        ASSERT_TRUE(frame->MenuItemEnabled(t.command));
        UserInput::ChooseMenuItem(*frame, t.command);
        TDialog* tool = client->Tool(t.resource);
        ASSERT_NE(tool, nullptr);
        EXPECT_TRUE(tool->IsVisible());
        EXPECT_EQ(tool->Widget()->windowTitle().toStdString(), t.caption);
        // Centred by its frame's size (the offscreen platform draws a 2-pixel frame).
        const TRect at = tool->WindowRect();
        EXPECT_EQ(at.left, screen.width() / 2 - at.Width() / 2);
        EXPECT_EQ(at.top, screen.height() / 2 - at.Height() / 2);
        EXPECT_FALSE(frame->MenuItemEnabled(t.command));
        ASSERT_NE(ToolBarButton(t.command), nullptr);
        EXPECT_FALSE(ToolBarButton(t.command)->IsEnabled());
        for (const int button : t.used) {
            UserInput::Click(*tool, button);
        }

        t.close(*tool);
        QApplication::processEvents();
        EXPECT_FALSE(client->IsToolOpen(t.resource));
        EXPECT_TRUE(frame->MenuItemEnabled(t.command));
        ToolBarButton(t.command)->Click();
        ASSERT_TRUE(client->IsToolOpen(t.resource));
    }
    auto* calculator = dynamic_cast<CalculatorDialog*>(client->Tool(res::kCalculatorDialog));
    ASSERT_NE(calculator, nullptr);
    EXPECT_EQ(calculator->Engine().Display(), "0");
    EXPECT_EQ(calculator->Engine().Memory(), 0);
    auto* timer = dynamic_cast<HRateDialog*>(client->Tool(res::kHRateDialog));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->Countdown().Text(), "00:00");
    EXPECT_FALSE(timer->HasTimer(res::kCountdownTimer));
}

TEST_F(CalculatorDialogTest, FortyTwoKeysInSixRowsOfSeven) {
    CalculatorDialog* d = OpenCalculator();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->ClientRect(), (TRect{0, 0, 354, 258}));
    for (int key = calc::kFirstKey; key <= calc::kLastKey; ++key) {
        EXPECT_EQ(d->ControlRect(key).Size(), (TSize{42, 26})) << key;
    }
    // The corners, and the memory column that breaks the id order.
    EXPECT_EQ(d->ControlRect(calc::kInToCm).TopLeft(), (TPoint{12, 52}));
    EXPECT_EQ(d->ControlRect(calc::kClearMemory).TopLeft(), (TPoint{300, 123}));
    EXPECT_EQ(d->ControlRect(calc::kMemoryPlus).TopLeft(), (TPoint{300, 156}));
    EXPECT_EQ(d->ControlRect(calc::kMemoryMinus).TopLeft(), (TPoint{300, 188}));
    EXPECT_EQ(d->ControlRect(calc::kRecallMemory).TopLeft(), (TPoint{300, 221}));
}

TEST_F(CalculatorDialogTest, DisplayIsPaintedRightAlignedFromCellsOf802) {
    CalculatorDialog* d = OpenCalculator();
    ASSERT_NE(d, nullptr);
    Click(*d, {calc::kOne, calc::kTwo, calc::kPoint, calc::kFive, calc::kNegate});
    ASSERT_EQ(d->Engine().Display(), "-12.5");
    const QImage shown = Painted(*d);
    const QRgb grey = qRgb(128, 128, 128);
    const QRgb untouched = qRgb(255, 255, 255);
    // The rest of 13, 14 - 343, 39 is the display's grey, and nothing lies outside it.
    EXPECT_EQ(shown.pixel(13, 14), grey);
    EXPECT_EQ(shown.pixel(261, 38), grey);
    EXPECT_EQ(shown.pixel(342, 38), grey);
    EXPECT_EQ(shown.pixel(343, 20), untouched);
    EXPECT_EQ(shown.pixel(12, 20), untouched);
    EXPECT_EQ(shown.pixel(100, 13), untouched);
    EXPECT_EQ(shown.pixel(100, 39), untouched);

    // On screen, inside its group frame, the display keeps exactly its colours: from the right
    // 5, point, 2, 1, minus, 16 pixels apart from x 326 at top 14.
    const QImage screen = TImageDC::PaintWindow(*d).Finish();
    const std::vector<std::pair<int, int>> cells = {
        {326, 5}, {310, 11}, {294, 2}, {278, 1}, {262, 10}};
    for (const auto& [x, cell] : cells) {
        EXPECT_EQ(screen.copy(x, 14, 16, 24), Cell(cell)) << "cell " << cell << " on screen";
    }
    EXPECT_EQ(screen.pixel(13, 14), grey);
    EXPECT_EQ(screen.pixel(342, 38), grey);

    // L->GL has the id the tool windows' close button uses: here it converts and keeps the
    // calculator open.
    Click(*d, {calc::kLToGl});
    EXPECT_TRUE(d->IsCreated());
    EXPECT_EQ(d->Engine().Display(), "-3.30225");
    Click(*d, {calc::kDivide, calc::kZero, calc::kEquals, calc::kSeven});
    const QImage error = Painted(*d);
    EXPECT_EQ(error.copy(326, 14, 16, 24), Cell(12));
    EXPECT_EQ(error.pixel(320, 20), grey);
}

// Issue: typed characters were not taken. Each key of the keyboard does what clicking its
// calculator key does.
TEST_F(CalculatorDialogTest, TheKeyboardPressesTheSameKeysAsTheMouse) {
    const struct {
        const char* keys;
        const char* display;
    } cases[] = {{"2+3=", "5"},  {"12.5*4E", "50"}, {"7/2=", "3.5"},   {"1234B", "123"},
                 {"9-4=X", "0"}, {"5*6D", "0"},     {"1.5+1.5E", "3"}, {"8/0=", "E"}};
    for (const auto& c : cases) {
        for (const bool keyboard : {true, false}) {
            CalculatorDialog* d = OpenCalculator();
            ASSERT_NE(d, nullptr);
            for (const char* k = c.keys; *k; ++k) {
                if (keyboard) {
                    UserInput::Press(*d, KeyFor(*k).key);
                } else {
                    UserInput::Click(*d, KeyFor(*k).button);
                }
            }
            EXPECT_EQ(d->Engine().Display(), c.display)
                << c.keys << (keyboard ? " typed" : " clicked");
            EXPECT_TRUE(d->IsCreated()) << "Esc clears and keeps the calculator open";
            d->Command(TDialog::kIdCancel); // set-up: the close box
            QApplication::processEvents();
        }
    }
}

} // namespace

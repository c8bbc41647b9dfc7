#include "UserInput.h"
#include "framework/TButtonGadget.h"
#include "framework/TControlBar.h"
#include "framework/TDecoratedMDIFrame.h"
#include "framework/TDialog.h"
#include "framework/TKeyboardLocks.h"
#include "framework/TMDIChild.h"
#include "framework/TMDIClient.h"
#include "framework/TResources.h"
#include "framework/TSeparatorGadget.h"
#include "framework/TStatusBar.h"
#include "framework/TTextGadget.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr int kMenu = 9100;
constexpr int kTool = 9101;

class Tool : public TDialog {
public:
    explicit Tool(TWindow* parent) : TDialog(parent, kTool) {
        OnCommand(300, [this] { ++ownCommands; });
    }
    bool allowClose = true;
    int ownCommands = 0;
    int closeQuestions = 0;

protected:
    bool CanClose() override {
        ++closeQuestions;
        return allowClose;
    }
};

class Client : public TMDIClient {
public:
    Client() {
        OnCommand(200, [this] { ++opened; });
        OnCommandEnable(201, [this] { return canCascade; });
        OnCommand(201, [this] { CascadeChildren(); });
    }
    int opened = 0;
    bool canCascade = false;
};

class TMDIFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        TDialogTemplate t;
        t.cx = 200;
        t.cy = 100;
        t.hasCaption = false;
        t.controls = {{TControlKind::Button, TDialog::kIdOk, 4, 4, 40, 14, "Close", 0, 0},
                      {TControlKind::Edit, 400, 4, 24, 60, 12, "", 0, 0},
                      {TControlKind::Edit, 401, 4, 40, 60, 12, "", 0, 0}};
        TResources::AddDialog(kTool, t);
        TResources::AddMenu(kMenu, {TMenuItem::Popup("&File", {TMenuItem::Item("&Open", 200),
                                                               TMenuItem::Separator(),
                                                               TMenuItem::Item("&Cascade", 201),
                                                               TMenuItem::Item("&Tool", 300)})});
        frame = std::make_unique<TDecoratedMDIFrame>("Veloria", kMenu, client, true);
        bar = std::make_unique<TControlBar>(frame.get(), TControlBar::Direction::Horizontal);
        bar->Insert(std::make_unique<TButtonGadget>(950, 200));
        bar->Insert(std::make_unique<TSeparatorGadget>(6));
        bar->Insert(std::make_unique<TButtonGadget>(951, 201));
        status = std::make_unique<TStatusBar>(frame.get(), TGadget::Border::Recessed,
                                              TStatusBar::kCapsLock | TStatusBar::kNumLock |
                                                  TStatusBar::kOvertype);
        status->Insert(std::make_unique<TTextGadget>(
            7, TGadget::Border::Recessed, TTextGadget::Align::Center, 18, "MON, DEC 07, 2026"));
        frame->Insert(*bar, TDecoratedMDIFrame::Location::Top);
        frame->Insert(*status, TDecoratedMDIFrame::Location::Bottom);
        ASSERT_TRUE(frame->Create());
        frame->SetSize(1000, 700);
        frame->Show(TShowMode::Normal);
        QApplication::processEvents();
    }
    void TearDown() override {
        for (auto& c : children) {
            c->Destroy();
        }
        frame->Destroy();
        QApplication::processEvents();
    }

    TMDIChild& Open(const std::string& title) {
        auto tool = std::make_unique<Tool>(&client);
        auto child = std::make_unique<TMDIChild>(client, title, tool.get());
        EXPECT_TRUE(child->Create());
        child->Show(TShowMode::Normal);
        client.ActivateChild(*child);
        tools.push_back(std::move(tool));
        children.push_back(std::move(child));
        return *children.back();
    }

    Client client;
    std::unique_ptr<TDecoratedMDIFrame> frame;
    std::unique_ptr<TControlBar> bar;
    std::unique_ptr<TStatusBar> status;
    std::vector<std::unique_ptr<Tool>> tools;
    std::vector<std::unique_ptr<TMDIChild>> children;
};

TEST_F(TMDIFrameTest, CommandsGoToTheActiveToolFirstAndEnablersDriveTheButtons) {
    auto* open = dynamic_cast<TButtonGadget*>(bar->Gadgets()[0].get());
    auto* cascade = dynamic_cast<TButtonGadget*>(bar->Gadgets()[2].get());
    EXPECT_TRUE(open->IsEnabled());
    EXPECT_FALSE(cascade->IsEnabled());
    EXPECT_FALSE(frame->MenuItemEnabled(201));
    EXPECT_FALSE(frame->MenuItemEnabled(999)); // nobody handles it
    client.canCascade = true;
    TWindow::CommandStateChanged();
    EXPECT_TRUE(cascade->IsEnabled());
    UserInput::ClickAt(*open->Widget(), open->Widget()->rect().center());
    EXPECT_EQ(client.opened, 1);

    TMDIChild& child = Open("Log Book");
    EXPECT_EQ(frame->CommandTarget(), child.Hosted());
    EXPECT_TRUE(UserInput::ChooseMenuItem(*frame, 300)); // the tool's own command
    EXPECT_TRUE(UserInput::ChooseMenuItem(*frame, 200)); // the client's, through the chain
    EXPECT_EQ(tools[0]->ownCommands, 1);
    EXPECT_EQ(client.opened, 2);
}

TEST_F(TMDIFrameTest, ChildrenShrinkToTheirToolTileCascadeAndScroll) {
    TMDIChild& a = Open("A");
    EXPECT_EQ(a.ClientRect(), (TRect{0, 0, 300, 162})); // the tool's 200 x 100 dialog units
    TMDIChild& b = Open("B");
    TMDIChild& c = Open("C");
    EXPECT_EQ(client.ActiveChild(), &c);

    // Tiled, the three cover the client area edge to edge without overlapping.
    const TRect area = client.ClientRect();
    client.TileChildren(true);
    EXPECT_EQ(a.WindowRect().Width(), area.Width());
    EXPECT_EQ(a.WindowRect().top, 0);
    EXPECT_EQ(b.WindowRect().top, a.WindowRect().bottom);
    EXPECT_EQ(c.WindowRect().top, b.WindowRect().bottom);
    EXPECT_EQ(c.WindowRect().bottom, area.bottom);
    client.TileChildren(false);
    EXPECT_EQ(a.WindowRect().Height(), area.Height());
    EXPECT_EQ(b.WindowRect().left, a.WindowRect().right);
    EXPECT_EQ(c.WindowRect().right, area.right);
    client.CascadeChildren();
    EXPECT_LT(a.WindowRect().left, c.WindowRect().left);
    EXPECT_LT(a.WindowRect().top, c.WindowRect().top);

    // Smaller than its tool, a child scrolls in its scroller's units.
    a.SetScroller(std::make_unique<TScroller>(a, 7, 16, 80, 60));
    a.SetSize(150, 100);
    a.Scroller()->ShowScrollBars(true, true);
    QApplication::processEvents();
    a.Scroller()->ScrollTo(2, 1);
    EXPECT_EQ(a.Scroller()->XPos(), 2);
    EXPECT_EQ(a.Scroller()->YPos(), 1);
}

TEST_F(TMDIFrameTest, CloseAllClosesNoneWhenOneRefuses) {
    Open("A");
    Open("B");
    tools[1]->allowClose = false;
    EXPECT_FALSE(client.CloseChildren());
    EXPECT_EQ(client.Children().size(), 2U);
    EXPECT_TRUE(tools[0]->IsCreated());
    tools[1]->allowClose = true;
    EXPECT_TRUE(client.CloseChildren());
    EXPECT_TRUE(client.Children().empty());
    EXPECT_FALSE(tools[0]->IsCreated());
    EXPECT_FALSE(tools[1]->IsCreated());
}

using namespace UserInput;

TEST_F(TMDIFrameTest, AToolFocusesItsFirstStopAndGetsItsControlBackWhenActivatedAgain) {
    Open("A");
    EXPECT_EQ(FocusedId(*tools[0]), TDialog::kIdOk);
    Tab(*tools[0]);
    Tab(*tools[0]);
    EXPECT_EQ(FocusedId(*tools[0]), 401);
    Tab(*tools[0]); // round to the first, never to the frame's scroll area
    EXPECT_EQ(FocusedId(*tools[0]), TDialog::kIdOk);
    Tab(*tools[0]);

    Open("B");
    EXPECT_EQ(FocusedId(*tools[1]), TDialog::kIdOk);
    client.ActivateChild(*children[0]);
    EXPECT_EQ(FocusedId(*tools[0]), 400);
}

// OK and Escape close a tool as its close box does, and the child window goes with it.
TEST_F(TMDIFrameTest, OkAndEscapeInAToolAskCanCloseAndTakeItsChildWindowAlong) {
    TMDIChild& child = Open("A");
    tools[0]->allowClose = false;
    Click(*tools[0], TDialog::kIdOk);
    Type(*tools[0], 400, "typed");
    Escape(*tools[0]);
    EXPECT_EQ(tools[0]->closeQuestions, 2);
    EXPECT_TRUE(tools[0]->IsCreated());
    EXPECT_TRUE(child.IsCreated());
    tools[0]->allowClose = true;
    Escape(*tools[0]);
    EXPECT_FALSE(tools[0]->IsCreated());
    EXPECT_FALSE(child.IsCreated());
}

// The lock indicators with a display server that reports the locks (as X11 does) and with
// one that does not (offscreen, Wayland).
class TStatusBarLocksTest : public TMDIFrameTest {
protected:
    void SetUp() override {
        TKeyboardLocks::SetSourceForTests([this] { return reported; });
        TMDIFrameTest::SetUp();
    }
    void TearDown() override {
        TMDIFrameTest::TearDown();
        TKeyboardLocks::SetSourceForTests(nullptr);
    }
    void Key(Qt::Key key) { Press(*frame->Widget(), key); }
    // The main window loses the focus to another window and gets it back.
    void Reactivate() {
        // On X11 the server hands the focus over later: wait for each change to arrive.
        QWidget other;
        other.show();
        other.activateWindow();
        (void)QTest::qWaitForWindowActive(&other);
        frame->Widget()->activateWindow();
        (void)QTest::qWaitForWindowActive(frame->Widget());
    }
    bool On(unsigned indicator) const { return status->ModeOn(indicator); }

    std::optional<TKeyboardLocks::State> reported = TKeyboardLocks::State{true, true};
};

TEST_F(TStatusBarLocksTest, ReportedLocksShowAtStartAfterTheirKeysAndOnActivation) {
    EXPECT_TRUE(On(TStatusBar::kCapsLock));
    EXPECT_TRUE(On(TStatusBar::kNumLock));
    EXPECT_FALSE(On(TStatusBar::kOvertype));
    // The key says the lock may have changed; what shows is what the server says.
    Key(Qt::Key_CapsLock);
    EXPECT_TRUE(On(TStatusBar::kCapsLock));
    reported = TKeyboardLocks::State{false, true};
    Key(Qt::Key_NumLock);
    EXPECT_FALSE(On(TStatusBar::kCapsLock));
    EXPECT_TRUE(On(TStatusBar::kNumLock));
    // Changed while another window had the keyboard.
    reported = TKeyboardLocks::State{true, false};
    Reactivate();
    EXPECT_TRUE(On(TStatusBar::kCapsLock));
    EXPECT_FALSE(On(TStatusBar::kNumLock));
    // No lock stands behind overtype: Insert toggles it.
    Key(Qt::Key_Insert);
    EXPECT_TRUE(On(TStatusBar::kOvertype));
    Key(Qt::Key_Insert);
    EXPECT_FALSE(On(TStatusBar::kOvertype));
}

class TStatusBarUnreportedLocksTest : public TStatusBarLocksTest {
protected:
    TStatusBarUnreportedLocksTest() { reported = std::nullopt; }
};

TEST_F(TStatusBarUnreportedLocksTest, LocksStartOffAndFollowTheKeysTheProgramSees) {
    EXPECT_FALSE(On(TStatusBar::kCapsLock));
    EXPECT_FALSE(On(TStatusBar::kNumLock));
    Key(Qt::Key_CapsLock);
    Key(Qt::Key_NumLock);
    EXPECT_TRUE(On(TStatusBar::kCapsLock));
    EXPECT_TRUE(On(TStatusBar::kNumLock));
    Reactivate();
    EXPECT_TRUE(On(TStatusBar::kCapsLock));
    Key(Qt::Key_CapsLock);
    EXPECT_FALSE(On(TStatusBar::kCapsLock));
}

} // namespace

#include "framework/TDC.h"
#include "framework/TImageDC.h"
#include "framework/TWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

class Recorder : public TWindow {
public:
    explicit Recorder(TWindow* parent = nullptr) : TWindow(parent) {
        OnMessage(1000, [this](std::uint64_t w, std::int64_t l) {
            log.push_back("1000:" + std::to_string(w) + "," + std::to_string(l));
            return 0;
        });
        OnMessage(1001, [this](std::uint64_t, std::int64_t key) {
            log.push_back("1001:" + std::to_string(key));
            return key + 1;
        });
        OnCommand(10, [this] { log.push_back("cmd10"); });
        OnCommand(11, [this] { log.push_back("cmd11"); });
        OnCommandEnable(11, [this] { return enabled11; });
        OnCommandEnable(12, [] { return false; }); // an enabler without a handler
    }

    std::vector<std::string> log;
    std::vector<int> ticks;
    bool enabled11 = false;
    int setups = 0;
    int cleanups = 0;
    bool allowClose = true;
    std::function<void()> onCleanup;

protected:
    void SetupWindow() override { ++setups; }
    void CleanupWindow() override {
        ++cleanups;
        if (onCleanup) {
            onCleanup();
        }
    }
    bool CanClose() override { return allowClose; }
    void EvTimer(int id) override {
        ticks.push_back(id);
        if (id == 7) {
            KillTimer(7); // a one-shot timer ends itself
        }
    }
    void Paint(TDC& dc, bool, const TRect&) override {
        dc.FillRect(TRect{0, 0, 5, 5}, TBrush{TColor{0, 128, 0}});
    }
};

class Parent : public TWindow {
public:
    Parent() { OnCommand(20, [this] { ++parentCommands; }); }
    int parentCommands = 0;
    int childrenGone = 0;

protected:
    void ChildDestroyed(TWindow&) override { ++childrenGone; }
};

TEST(TWindow, MessagesAreAnsweredAtOnceByTheirHandler) {
    Recorder w;
    EXPECT_EQ(w.SendMessage(1000), 0);
    EXPECT_EQ(w.SendMessage(1001, 0, 20260307), 20260308);
    EXPECT_EQ(w.SendMessage(4242, 1, 2), 0); // no handler: nothing happens
    EXPECT_EQ(w.log, (std::vector<std::string>{"1000:0,0", "1001:20260307"}));
}

TEST(TWindow, CommandsFollowTheChainAndTheirEnablers) {
    Parent parent;
    Recorder child(&parent);
    EXPECT_TRUE(child.Command(10));
    EXPECT_FALSE(child.Command(11)); // disabled
    child.enabled11 = true;
    EXPECT_TRUE(child.Command(11));
    EXPECT_TRUE(child.Command(20)); // handled further up
    EXPECT_EQ(parent.parentCommands, 1);
    EXPECT_FALSE(child.CommandHere(20)); // the own table only
    EXPECT_FALSE(child.Command(99));
    EXPECT_TRUE(child.IsCommandEnabled(20)); // no enabler: enabled
    EXPECT_FALSE(child.IsCommandEnabled(12));
    EXPECT_FALSE(child.HandlesCommand(12));
    EXPECT_EQ(child.log, (std::vector<std::string>{"cmd10", "cmd11"}));

    int changes = 0;
    TWindow::AddCommandStateListener(&changes, [&changes] { ++changes; });
    child.Command(10);
    TWindow::RemoveCommandStateListener(&changes);
    child.Command(10);
    EXPECT_EQ(changes, 1);
}

TEST(TWindow, TimersByIdStartRestartStopAndTickForReal) {
    Recorder w;
    EXPECT_FALSE(w.SetTimer(1, 10)); // not before the window exists
    ASSERT_TRUE(w.Create());
    ASSERT_TRUE(w.SetTimer(6000, 1000));
    ASSERT_TRUE(w.SetTimer(7, 1));
    EXPECT_TRUE(w.HasTimer(6000));
    EXPECT_EQ(w.TimerPeriod(6000), 1000);
    EXPECT_EQ(w.TimerPeriod(8), 0);
    w.DeliverTimer(6000);
    w.DeliverTimer(7000);
    EXPECT_EQ(w.ticks, (std::vector<int>{6000, 7000}));
    w.KillTimer(6000);
    EXPECT_FALSE(w.HasTimer(6000));

    // The one real tick of the suite: the one-shot timer fires once and ends itself.
    QElapsedTimer waited;
    waited.start();
    while (w.HasTimer(7) && waited.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    EXPECT_FALSE(w.HasTimer(7));
    EXPECT_EQ(std::count(w.ticks.begin(), w.ticks.end(), 7), 1);
}

TEST(TWindow, CreateCloseAndDestroyRunTheirHooksOnce) {
    Parent parent;
    auto* w = new Recorder(&parent);
    const THandle handle = w->Handle();
    EXPECT_EQ(TWindow::FromHandle(handle), w);
    ASSERT_TRUE(w->Create());
    ASSERT_TRUE(w->Create());
    EXPECT_EQ(w->setups, 1);
    w->SetTimer(5, 100000);
    w->allowClose = false;
    EXPECT_FALSE(w->CloseWindow());
    EXPECT_TRUE(w->IsCreated());
    w->allowClose = true;
    EXPECT_TRUE(w->CloseWindow());
    EXPECT_FALSE(w->IsCreated());
    EXPECT_FALSE(w->HasTimer(5));
    w->Destroy();
    EXPECT_EQ(w->cleanups, 1);
    EXPECT_EQ(parent.childrenGone, 1);

    w->SetDeleteOnDestroy(true);
    w->Create();
    w->Destroy();
    QApplication::processEvents();
    EXPECT_EQ(TWindow::FromHandle(handle), nullptr);
}

// A window whose widget goes with its parent's is cleaned up once and can be created
// again; a clean-up that takes its own widget along ends the destruction quietly.
TEST(TWindow, AWidgetTakenByItsParentEndsTheWindowOnce) {
    Parent parent;
    ASSERT_TRUE(parent.Create());
    Recorder child(&parent);
    ASSERT_TRUE(child.Create());
    delete parent.Widget();
    EXPECT_FALSE(child.IsCreated());
    EXPECT_EQ(child.cleanups, 1);
    child.Destroy();
    EXPECT_EQ(child.cleanups, 1);

    ASSERT_TRUE(parent.Create());
    ASSERT_TRUE(child.Create());
    EXPECT_EQ(child.setups, 2);
    child.onCleanup = [&parent] { delete parent.Widget(); };
    child.Destroy();
    EXPECT_FALSE(child.IsCreated());
    EXPECT_EQ(child.cleanups, 2);
    EXPECT_EQ(parent.childrenGone, 1);
}

TEST(TWindow, PlacementCentringAndPainting) {
    Recorder reference;
    reference.SetInitialRect(TRect::OfSize(0, 0, 601, 401));
    ASSERT_TRUE(reference.Create());
    Recorder w(&reference);
    w.SetInitialRect(TRect::OfSize(0, 0, 100, 51));
    ASSERT_TRUE(w.Create());
    w.CenterIn(&reference);
    EXPECT_EQ(w.WindowRect(), TRect::OfSize(300 - 50, 200 - 25, 100, 51));
    w.MoveWindow(7, 9);
    EXPECT_EQ(w.WindowRect(), TRect::OfSize(7, 9, 100, 51));
    EXPECT_EQ(w.ClientRect(), (TRect{0, 0, 100, 51}));

    TImageDC image = TImageDC::PaintWindow(w);
    EXPECT_EQ(image.Pixel(4, 4), (TColor{0, 128, 0}));
    EXPECT_NE(image.Pixel(5, 5), (TColor{0, 128, 0}));
}

} // namespace

#include "framework/TApplication.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <clocale>
#include <csignal>
#include <cstdio>

namespace {

// The program's command line: its name alone.
int argc = 1;
char name[] = "veloria";
char* argv[] = {name, nullptr};

// A main window with unsaved work that would ask before closing.
class AskingWindow : public TWindow {
public:
    using TWindow::TWindow;
    int asked = 0;

protected:
    bool CanClose() override {
        ++asked;
        return false;
    }
};

class App : public TApplication {
public:
    App(int& argc, char** argv) : TApplication("Veloria", argc, argv) {}
    int builds = 0;
    AskingWindow frame{nullptr, "Veloria - [mylog.vrl]"};

protected:
    void BuildMainWindow() override {
        ++builds;
        SetMainWindow(&frame);
        SetShowMode(TShowMode::Maximized);
    }
};

// Logging out of the desktop asks, as Exit does, and a refusal keeps the program running.
TEST(TApplication, BuildsTheMainWindowOnceShowsItInItsModeAndAsksItAtTheEndOfASession) {
    App app(argc, argv);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.builds, 1);
    EXPECT_TRUE(app.frame.IsVisible());
    EXPECT_TRUE(app.frame.Widget()->isMaximized());
    EXPECT_FALSE(app.MayEndSession());
    EXPECT_EQ(app.frame.asked, 1);
    EXPECT_TRUE(app.frame.IsCreated());
    app.frame.Destroy();
}

// A desktop with a decimal comma must not turn 12.35 into "12,35" in the boxes, which the
// program's readers would take back as 12.
TEST(TApplication, NumbersKeepTheirPointUnderACommaLocale) {
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
        GTEST_SKIP() << "no de_DE.UTF-8 locale on this machine";
    }
    App app(argc, argv);
    char text[16];
    std::snprintf(text, sizeof text, "%3.2f", 12.345);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_STREQ(text, "12.35");
}

// A signal ends the program as Exit does, without asking the main window whether it may go.
TEST(TApplication, TerminationSignalsEndTheLoopWithoutQuestions) {
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        App app(argc, argv);
        ASSERT_TRUE(app.Start());
        bool destroyed = false;
        app.frame.AddDestroyListener(&destroyed, [&destroyed] { destroyed = true; });
        QTimer::singleShot(0, [signalNumber] { ::raise(signalNumber); });
        QTimer::singleShot(5000, [] { QApplication::exit(7); }); // only if the signal is lost
        EXPECT_EQ(app.Run(), 0);
        EXPECT_TRUE(destroyed);
        EXPECT_FALSE(app.frame.IsCreated());
        EXPECT_EQ(app.frame.asked, 0);
    }
}

} // namespace

#include "framework/TApplication.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

namespace {

class App : public TApplication {
public:
    App(int& argc, char** argv) : TApplication("Veloria", argc, argv) {}
    int builds = 0;
    TWindow frame{nullptr, "Veloria - [mylog.vrl]"};

protected:
    void BuildMainWindow() override {
        ++builds;
        SetMainWindow(&frame);
        SetShowMode(TShowMode::Maximized);
    }
};

TEST(TApplication, BuildsTheMainWindowOnceAndShowsItInItsMode) {
    int argc = 1;
    char name[] = "veloria";
    char* argv[] = {name, nullptr};
    App app(argc, argv);
    EXPECT_EQ(TApplication::Instance(), &app);
    EXPECT_EQ(app.Name(), "Veloria");
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.builds, 1);
    EXPECT_EQ(app.MainWindow(), &app.frame);
    EXPECT_TRUE(app.frame.IsVisible());
    EXPECT_TRUE(app.frame.Widget()->isMaximized());
    app.frame.Destroy();
}

// A desktop with a decimal comma must not turn 12.35 into "12,35" in the boxes, which the
// program's readers would take back as 12.
TEST(TApplication, NumbersKeepTheirPointUnderACommaLocale) {
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
        GTEST_SKIP() << "no de_DE.UTF-8 locale on this machine";
    }
    int argc = 1;
    char name[] = "veloria";
    char* argv[] = {name, nullptr};
    App app(argc, argv);
    char text[16];
    std::snprintf(text, sizeof text, "%3.2f", 12.345);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_STREQ(text, "12.35");
}

} // namespace

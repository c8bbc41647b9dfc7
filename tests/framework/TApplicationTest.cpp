#include "framework/TApplication.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

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

} // namespace

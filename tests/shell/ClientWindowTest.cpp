#include "shell/ClientWindow.h"
#include "framework/TButtonGadget.h"
#include "framework/TControlBar.h"
#include "framework/THelpViewer.h"
#include "framework/TImageDC.h"
#include "framework/TTextGadget.h"
#include "shell/ChildWindow.h"
#include "shell/CommandIds.h"
#include "shell/ResourceIds.h"
#include "shell/TitleDialog.h"
#include "shell/ToolDialog.h"

#include "ShellFixture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class Refusing : public ToolDialog {
public:
    Refusing(ClientWindow& c, int id) : ToolDialog(c, id) {
        OnMessage(1000, [this](std::uint64_t, std::int64_t) {
            ++refreshes;
            return 0;
        });
    }
    static inline bool refuse = false;
    int refreshes = 0;

protected:
    bool CanClose() override { return !refuse; }
};

class ShellTest : public ShellFixture {
protected:
    void RegisterTools() override {
        for (const int id : {res::kLogBookDialog, res::kCalendarDialog, res::kGraphsDialog,
                             res::kStatsDialog, res::kReportsDialog, res::kCalculatorDialog}) {
            ClientWindow::RegisterTool(id, [id](ClientWindow& c) { return new Refusing(c, id); });
        }
        Refusing::refuse = false;
    }

    bool Enabled(int command) { return frame->MenuItemEnabled(command); }
    THandle Top() { return client->TopChild() ? client->TopChild()->Handle() : 0; }
    THandle ChildOf(int id) {
        for (TMDIChild* c : client->Children()) {
            if (c->Hosted() == client->Tool(id)) {
                return c->Handle();
            }
        }
        return 0;
    }
};

TEST_F(ShellTest, FirstRunStampsTheVersionAndOpensTheDefaultLogbook) {
    const std::string opened = (folder / "logBooks" / "mylog.vrl").string();
    EXPECT_TRUE(std::filesystem::exists(opened));
    EXPECT_EQ(frame->Title(), "Veloria - [" + opened + "]");
    EXPECT_EQ(Read(Ini()), "[GENERAL INFO]\nVERSION=3.2\n");
    ASSERT_NE(frame->DateGadget(), nullptr);
    EXPECT_EQ(frame->DateGadget()->Text(), LongDate(0));
    EXPECT_EQ(frame->ToolBar()->Gadgets().size(), 27U); // 21 buttons, 6 separators
}

TEST_F(ShellTest, CyclingFollowsTheOpeningOrder) {
    client->OpenCalendar();
    client->OpenGraphs();
    client->OpenReports();
    client->OpenGraphs(); // only raised
    EXPECT_EQ(client->Windows().Count(), 3);
    EXPECT_EQ(Top(), ChildOf(res::kGraphsDialog));
    UserInput::ChooseMenuItem(*frame, cmd::kNextWindow);
    EXPECT_EQ(Top(), ChildOf(res::kReportsDialog));
    UserInput::ChooseMenuItem(*frame, cmd::kPreviousWindow);
    ASSERT_EQ(Top(), ChildOf(res::kGraphsDialog));

    // Closed with its close button and opened again: at the end of the order.
    UserInput::Click(*dynamic_cast<TDialog*>(client->Tool(res::kGraphsDialog)), 111);
    QApplication::processEvents();
    EXPECT_FALSE(client->IsToolOpen(res::kGraphsDialog));
    client->OpenGraphs();
    EXPECT_EQ(client->Windows().Next(ChildOf(res::kReportsDialog))->handle,
              ChildOf(res::kGraphsDialog));
}

TEST_F(ShellTest, OpenAllOpensTheRestAndLeavesReportsOnTop) {
    client->OpenStatistics();
    EXPECT_TRUE(Enabled(cmd::kOpenAll));
    UserInput::ChooseMenuItem(*frame, cmd::kOpenAll);
    EXPECT_EQ(client->Children().size(), 5U);
    EXPECT_EQ(Top(), ChildOf(res::kReportsDialog));
    EXPECT_FALSE(Enabled(cmd::kOpenAll));
}

TEST_F(ShellTest, EnablersFollowTheWindowsAndTheToolBar) {
    for (int c : {cmd::kPrint, cmd::kNextWindow, cmd::kPreviousWindow, cmd::kCloseAll,
                  cmd::kCascade, cmd::kTileHorizontal, cmd::kTileVertical, cmd::kShowToolBar}) {
        EXPECT_FALSE(Enabled(c)) << c;
    }
    for (int c : {cmd::kOpen, cmd::kOpenAll, cmd::kLogBook, cmd::kHideToolBar, cmd::kAbout,
                  cmd::kCalculator, cmd::kHelpContents}) {
        EXPECT_TRUE(Enabled(c)) << c;
    }
    EXPECT_FALSE(Enabled(cmd::kHeartRate)); // no such tool yet: stays disabled

    client->OpenCalculator(); // a pop-up does not count as a tool window
    EXPECT_FALSE(Enabled(cmd::kCalculator));
    EXPECT_FALSE(Enabled(cmd::kCascade));
    client->OpenLogBook();
    EXPECT_TRUE(Enabled(cmd::kCascade));
    auto* print = dynamic_cast<TButtonGadget*>(frame->ToolBar()->Gadgets()[1].get());
    EXPECT_TRUE(print->IsEnabled());

    UserInput::ChooseMenuItem(*frame, cmd::kHideToolBar);
    EXPECT_FALSE(frame->HasDecoration(*frame->ToolBar()));
    EXPECT_TRUE(Enabled(cmd::kShowToolBar));
    EXPECT_FALSE(Enabled(cmd::kHideToolBar));
    UserInput::ChooseMenuItem(*frame, cmd::kShowToolBar);
    EXPECT_TRUE(frame->HasDecoration(*frame->ToolBar()));
    EXPECT_EQ(frame->ToolBar()->Gadgets().size(), 27U); // 21 buttons, 6 separators
}

// A button's or menu item's hint shows over what the program said, which is there again
// once the pointer leaves the button or the menu closes.
TEST_F(ShellTest, HintsShowOverTheMessageAndGiveItBack) {
    client->ShowStatus("2026-W50: 3.3 of 50 km");
    const QWidget* open = frame->ToolBar()->Gadgets()[0]->Widget();
    UserInput::MoveTo(*open, open->rect().center());
    EXPECT_EQ(frame->Status()->ShownText(), "Open Veloria log book.");
    EXPECT_EQ(StatusText(), "2026-W50: 3.3 of 50 km");
    UserInput::MoveTo(*client->Widget(), client->Widget()->rect().center());
    EXPECT_EQ(frame->Status()->ShownText(), "2026-W50: 3.3 of 50 km");
    ASSERT_TRUE(UserInput::ChooseMenuItem(*frame, cmd::kHideToolBar));
    EXPECT_EQ(frame->Status()->ShownText(), "2026-W50: 3.3 of 50 km");
}

// Close All and Exit ask every tool window first: a refusal keeps them all.
TEST_F(ShellTest, CloseAllAndExitAskEveryToolWindowFirst) {
    client->OpenLogBook();
    client->OpenCalendar();
    Refusing::refuse = true;
    UserInput::ChooseMenuItem(*frame, cmd::kCloseAll);
    UserInput::ChooseMenuItem(*frame, cmd::kExit);
    EXPECT_EQ(client->Children().size(), 2U);
    EXPECT_TRUE(frame->IsCreated());
    Refusing::refuse = false;
    UserInput::ChooseMenuItem(*frame, cmd::kCloseAll);
    EXPECT_TRUE(client->Children().empty());
    EXPECT_EQ(client->Windows().Count(), 0);
    client->OpenLogBook();
    UserInput::ChooseMenuItem(*frame, cmd::kExit);
    EXPECT_FALSE(frame->IsCreated());
}

TEST_F(ShellTest, ErrorsShowTheComposedTextUnderMessage) {
    TMessageBox::QueueAnswers({TMessageBox::kIdOk});
    client->ReportError("Cannot open database.");
    ASSERT_EQ(TMessageBox::History().size(), 1U);
    EXPECT_EQ(TMessageBox::History()[0].text, "\n\nERROR:  \"Cannot open database.\"");
    EXPECT_EQ(TMessageBox::History()[0].caption, "MESSAGE");
    EXPECT_EQ(TMessageBox::History()[0].icon, TMessageBox::Icon::Exclamation);
    EXPECT_EQ(ClientWindow::ErrorText(std::string(400, 'x').c_str()).size(), 255U);
}

TEST_F(ShellTest, OpeningAnotherLogbookSwitchesOnlyWhenItOpens) {
    client->OpenCalendar();
    TFileOpenDialog::QueueAnswers({Path("logBooks/other")});
    TMessageBox::QueueAnswers({TMessageBox::kIdYes}); // create it
    UserInput::ChooseMenuItem(*frame, cmd::kOpen);
    const std::string other = Path("logBooks/other.vrl");
    EXPECT_EQ(client->Database().DataFileName(), other);
    EXPECT_EQ(frame->Title(), "Veloria - [" + other + "]");
    EXPECT_NE(Read(Ini()).find("LOGBOOK=" + other), std::string::npos);
    EXPECT_EQ(dynamic_cast<Refusing*>(client->Tool(res::kCalendarDialog))->refreshes, 1);
    EXPECT_EQ(TFileOpenDialog::LastTitle(), "Select File");
    EXPECT_EQ(TFileOpenDialog::LastRun()->flags, 0x2804U);

    // A logbook that cannot be opened (a folder of that name) leaves the old one in place.
    std::filesystem::create_directories(Path("logBooks/bad.vrl"));
    TFileOpenDialog::QueueAnswers({Path("logBooks/bad.vrl")});
    TMessageBox::QueueAnswers({TMessageBox::kIdOk});
    UserInput::ChooseMenuItem(*frame, cmd::kOpen);
    EXPECT_EQ(client->Database().DataFileName(), other);
    EXPECT_TRUE(client->Database().IsOpen());
    EXPECT_EQ(frame->Title(), "Veloria - [" + other + "]");
    EXPECT_EQ(Read(Ini()).find("bad.vrl"), std::string::npos);
}

TEST_F(ShellTest, ToolWindowsAreCentredAndScrollBelowTheirThreshold) {
    client->OpenLogBook();
    auto* child = dynamic_cast<ChildWindow*>(client->TopChild());
    ASSERT_NE(child, nullptr);
    const TRect area = client->WindowRect();
    const TRect at = child->WindowRect();
    EXPECT_EQ(at.left, area.Width() / 2 - at.Width() / 2);
    EXPECT_EQ(at.top, area.Height() / 2 - at.Height() / 2);
    EXPECT_EQ(child->ClientRect().Width(), 594);
    EXPECT_FALSE(child->Scroller()->HorizontalShown());
    child->SetSize(400, 300);
    EXPECT_TRUE(child->Scroller()->HorizontalShown());
    EXPECT_TRUE(child->Scroller()->VerticalShown());
    child->SetSize(at.Width(), at.Height());
    EXPECT_FALSE(child->Scroller()->VerticalShown());
}

TEST_F(ShellTest, HelpCommandsShowTheProgramsOwnPages) {
    UserInput::ChooseMenuItem(*frame, cmd::kHelpContents);
    EXPECT_EQ(std::filesystem::path(THelpViewer::CurrentPage()).filename(), "vrl.html");
    UserInput::ChooseMenuItem(*frame, cmd::kProductFeatures);
    EXPECT_EQ(std::filesystem::path(THelpViewer::CurrentPage()).filename(), "vrl1.html");
    const std::string page = Read(THelpViewer::CurrentPage());
    EXPECT_NE(page.find("<b>Version 3.2</b>"), std::string::npos);
    THelpViewer::Close();
}

TEST_F(ShellTest, SecondStartLeavesTheSettingsAloneAndAMissingFolderIsNotMade) {
    const std::string before = Read(Ini());
    Restart();
    EXPECT_EQ(Read(Ini()), before);
    EXPECT_TRUE(frame->Widget()->isMaximized());

    Restart([&] { WriteSettings(Path("unplugged/logs/season.vrl")); });
    EXPECT_EQ(Messages(), std::vector<std::string>{"\n\nERROR:  \"Cannot create data file.\""});
    EXPECT_FALSE(std::filesystem::exists(Path("unplugged")));
    EXPECT_EQ(client->Database().EntryCount(), 0);
}

TEST_F(ShellTest, ALogbookNamedAtStartOpensAndIsRemembered) {
    const std::string named = Path("season 2026.vrl");
    Restart({}, named);
    EXPECT_EQ(frame->Title(), "Veloria - [" + named + "]");
    EXPECT_EQ(Read(Ini()), "[GENERAL INFO]\nVERSION=3.2\nLOGBOOK=" + named + "\n");

    // One that cannot be opened is said as File > Open says it; the remembered one opens.
    Restart({}, Path("gone/bad.vrl"));
    EXPECT_EQ(Messages(), std::vector<std::string>{"\n\nERROR:  \"Cannot create data file.\""});
    EXPECT_EQ(frame->Title(), "Veloria - [" + named + "]");
    EXPECT_EQ(Read(Ini()).find("bad.vrl"), std::string::npos);
}

TEST_F(ShellTest, HostileSettingsStartTheProgramOnItsDefaults) {
    const std::string ini = Ini();
    const auto restart = [&](const std::function<void()>& prepare) {
        Restart([&] {
            std::filesystem::remove(ini);
            prepare();
        });
    };
    // An empty LOGBOOK names no logbook: the default opens, and no "./.idx" appears.
    restart([&] { WriteSettings(""); });
    EXPECT_EQ(app->Client()->LogBookPath(), ClientWindow::DefaultLogBookPath());
    EXPECT_TRUE(TMessageBox::History().empty());
    EXPECT_FALSE(std::filesystem::exists(".idx"));

    // A NUL in LOGBOOK: refused, and the file named by the text before it is left alone.
    Write(Path("log"), std::string(680, 'd'));
    restart([&] {
        std::ofstream(ini) << "[GENERAL INFO]\nVERSION=3.2\nLOGBOOK=" << Path("log")
                           << std::string(1, '\0') << ".vrl\n";
    });
    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "\n\nERROR:  \"Logbook file name holds a control character.\""});
    EndProgram();
    EXPECT_EQ(Read(Path("log")), std::string(680, 'd'));

    // Settings that are a FIFO: said once, defaults used, the FIFO neither waited on nor replaced.
    restart([&] { ASSERT_EQ(::mkfifo(ini.c_str(), 0600), 0); });
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"\n\nERROR:  \"Settings file " + ini +
                                       " is not a regular file; the defaults are used.\""});
    EXPECT_EQ(app->Client()->LogBookPath(), ClientWindow::DefaultLogBookPath());
    struct stat info {};
    ASSERT_EQ(::lstat(ini.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(ShellTest, TitleScreenCyclesItsBannerFromFortyDownAndAgain) {
    EXPECT_EQ(TitleDialog::FrameTop(40), 1);
    EXPECT_EQ(TitleDialog::FrameTop(0), 2601);
    TitleDialog title(client);
    ASSERT_TRUE(title.Create());
    EXPECT_TRUE(title.HasTimer(res::kBannerTimer));
    EXPECT_EQ(title.FrameCounter(), 40);
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const TRect at = title.WindowRect();
    EXPECT_EQ(at.left, screen.width() / 2 - at.Width() / 2);
    EXPECT_EQ(at.top, screen.height() / 2 - at.Height() / 2 + 10);
    std::vector<int> seen;
    for (int i = 0; i < 42; ++i) {
        TImageDC::PaintWindow(title);
        seen.push_back(title.FrameCounter());
    }
    EXPECT_EQ(seen[0], 39);
    EXPECT_EQ(seen[39], 0);
    EXPECT_EQ(seen[40], 40);
    EXPECT_EQ(seen[41], 39);
    title.Show(TShowMode::Normal);
    UserInput::Click(title, TDialog::kIdOk);
    EXPECT_FALSE(title.IsCreated());
    EXPECT_FALSE(title.HasTimer(res::kBannerTimer));
}

} // namespace

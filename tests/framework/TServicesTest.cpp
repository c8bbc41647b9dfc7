#include "framework/PdfPages.h"
#include "framework/TDC.h"
#include "framework/TFileOpenDialog.h"
#include "framework/THelpViewer.h"
#include "framework/TMessageBox.h"
#include "framework/TPrinter.h"
#include "framework/TPrintout.h"
#include "framework/TProfile.h"
#include "framework/TResources.h"
#include "framework/TWindow.h"

#include "store/TempFolderTest.h"
#include "UserInput.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace {

class ServicesTest : public TempFolderTest {
protected:
    void TearDown() override {
        TMessageBox::ResetScript();
        TFileOpenDialog::ResetScript();
        TPrinter::SetPdfFolder("");
        TempFolderTest::TearDown();
    }
};

TEST_F(ServicesTest, MessageBoxesAnswerFromTheQueueAndAreRecorded) {
    TMessageBox::QueueAnswers({TMessageBox::kIdNo, TMessageBox::kIdCancel});
    EXPECT_EQ(TMessageBox::Show(nullptr, "\n\nSave changes to database?", "MESSAGE",
                                TMessageBox::Buttons::YesNoCancel, TMessageBox::Icon::Question),
              TMessageBox::kIdNo);
    EXPECT_EQ(TMessageBox::Show(nullptr, "b", "MESSAGE", TMessageBox::Buttons::YesNoCancel,
                                TMessageBox::Icon::Question),
              TMessageBox::kIdCancel);
    EXPECT_EQ(TMessageBox::Show(nullptr, "c", "MESSAGE", TMessageBox::Buttons::Ok,
                                TMessageBox::Icon::Exclamation),
              TMessageBox::kIdOk); // the queue ran dry: the plain answer
    ASSERT_EQ(TMessageBox::History().size(), 3U);
    EXPECT_EQ(TMessageBox::History()[0].text, "\n\nSave changes to database?");
    EXPECT_EQ(TMessageBox::History()[2].icon, TMessageBox::Icon::Exclamation);
}

TEST_F(ServicesTest, FileDialogTakesTheOriginalFilterFlagsAndCreationQuestion) {
    EXPECT_EQ(TFileOpenDialog::QtFilter("Veloria (*.vrl)|*.vrl|"), "Veloria (*.vrl)");
    EXPECT_EQ(TFileOpenDialog::QtFilter("Text files (*.txt)|*.txt|All files (*.*)|*.*|"),
              "Text files (*.txt);;All files (*.*)");
    EXPECT_EQ(TFileOpenDialog::QtFilter("Logs|*.vrl;*.idx|"), "Logs (*.vrl *.idx)");

    TFileOpenDialog::TData data;
    data.flags = 0x2804;
    data.defaultExt = "vrl";
    data.filter = "Veloria (*.vrl)|*.vrl|";
    // A missing file is created only after a "Yes"; a missing folder is refused.
    TFileOpenDialog::QueueAnswers({Path("new"), Path("none/x.vrl"), std::nullopt});
    TMessageBox::QueueAnswers({TMessageBox::kIdNo});
    TFileOpenDialog dialog(nullptr, data, "Select File");
    EXPECT_EQ(dialog.Execute(), TFileOpenDialog::kIdCancel);
    ASSERT_EQ(TMessageBox::History().size(), 2U);
    EXPECT_NE(TMessageBox::History()[0].text.find("new.vrl"), std::string::npos);
    EXPECT_EQ(TMessageBox::History()[0].buttons, TMessageBox::Buttons::YesNo);

    TFileOpenDialog::QueueAnswers({Path("new")});
    TMessageBox::QueueAnswers({TMessageBox::kIdYes});
    EXPECT_EQ(dialog.Execute(), TFileOpenDialog::kIdOk);
    EXPECT_EQ(data.fileName, Path("new.vrl"));

    Write(Path("old.vrl"), "");
    TFileOpenDialog::QueueAnswers({Path("old.vrl")});
    const std::size_t asked = TMessageBox::History().size();
    EXPECT_EQ(dialog.Execute(), TFileOpenDialog::kIdOk);
    EXPECT_EQ(TMessageBox::History().size(), asked); // an existing file needs no question
}

TEST_F(ServicesTest, ProfileKeepsItsSectionAndOtherLines) {
    const std::string ini = Path("cfg/vrl.ini");
    TProfile profile(ini);
    EXPECT_EQ(profile.GetString("GENERAL INFO", "VERSION", "NONE", 256), "NONE");
    EXPECT_TRUE(profile.WriteString("GENERAL INFO", "VERSION", "3.2"));
    EXPECT_TRUE(profile.WriteString("GENERAL INFO", "LOGBOOK", "/a/b/mylog.vrl"));
    EXPECT_TRUE(profile.WriteString("GENERAL INFO", "VERSION", "3.3"));
    EXPECT_EQ(Read(ini), "[GENERAL INFO]\nVERSION=3.3\nLOGBOOK=/a/b/mylog.vrl\n");
    struct stat before {};
    struct stat after {};
    ASSERT_EQ(::stat(ini.c_str(), &before), 0);
    EXPECT_TRUE(profile.WriteString("GENERAL INFO", "LOGBOOK", "/a/b/mylog.vrl"));
    ASSERT_EQ(::stat(ini.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino); // the same value is not written again
    EXPECT_EQ(profile.GetString("general info", "logbook", "", 256), "/a/b/mylog.vrl");
    EXPECT_EQ(profile.GetString("GENERAL INFO", "LOGBOOK", "", 5), "/a/b");

    Write(ini, "; hand-written\r\n[OTHER]\r\nKEY = kept\r\n\r\n[GENERAL "
               "INFO]\r\nVERSION=NONE\r\n\x01\xff garbage\r\n");
    EXPECT_EQ(profile.GetString("OTHER", "KEY", "", 256), "kept");
    EXPECT_TRUE(profile.WriteString("GENERAL INFO", "LOGBOOK", "x.vrl"));
    EXPECT_EQ(profile.GetString("GENERAL INFO", "LOGBOOK", "", 256), "x.vrl");
    EXPECT_EQ(profile.GetString("OTHER", "KEY", "", 256), "kept");
    EXPECT_NE(Read(ini).find("; hand-written"), std::string::npos);
    EXPECT_FALSE(profile.WriteString("GENERAL INFO", "LOGBOOK", "two\nlines"));
}

TEST_F(ServicesTest, ProfileKeepsByteOrderMarkAndLineEndsAndLeavesNothingBehind) {
    const std::string ini = Path("bom.ini");
    Write(ini, "\xEF\xBB\xBF[GENERAL INFO]\r\nVERSION=3.2\r\n\r\n[OTHER]\r\nK=V\r\n");
    TProfile profile(ini);
    EXPECT_EQ(profile.Problem(), "");
    EXPECT_EQ(profile.GetString("GENERAL INFO", "VERSION", "NONE", 30),
              "3.2"); // the mark hides nothing
    ASSERT_TRUE(profile.WriteString("GENERAL INFO", "LOGBOOK", "/d/log.vrl"));
    EXPECT_EQ(Read(ini), "\xEF\xBB\xBF[GENERAL "
                         "INFO]\r\nVERSION=3.2\r\nLOGBOOK=/d/log.vrl\r\n\r\n[OTHER]\r\nK=V\r\n");
    EXPECT_EQ(FileCount(), 1);
}

TEST_F(ServicesTest, ASettingsFileThatIsNoPlainFileReadsAsNoneAndIsNeverWritten) {
    const std::string fifo = Path("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    TProfile fromFifo(fifo);
    EXPECT_EQ(fromFifo.Problem(), "is not a regular file");
    EXPECT_EQ(fromFifo.GetString("GENERAL INFO", "VERSION", "NONE", 30), "NONE"); // no waiting
    EXPECT_FALSE(fromFifo.WriteString("GENERAL INFO", "VERSION", "3.2"));
    struct stat info {};
    ASSERT_EQ(::lstat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));

    const std::string zero = Path("zero.ini");
    ASSERT_EQ(::symlink("/dev/zero", zero.c_str()), 0);
    EXPECT_EQ(TProfile(zero).Problem(), "is not a regular file");

    const std::string big = Path("big.ini");
    Write(big, "[GENERAL INFO]\nLOGBOOK=/d/log.vrl\n" + std::string(70000, ';'));
    TProfile large(big);
    EXPECT_EQ(large.Problem(), "is larger than 64 kB");
    EXPECT_FALSE(large.WriteString("GENERAL INFO", "VERSION", "3.2"));
    EXPECT_EQ(Read(big).size(), 70034U);
}

TEST_F(ServicesTest, HelpNamesMapToPagesInTheHelpFolder) {
    std::filesystem::create_directories(folder / "help");
    Write(Path("help/vrl.html"), "<html><body><h1>Contents</h1></body></html>");
    ::setenv("VELORIA_RESOURCES", folder.c_str(), 1);
    EXPECT_TRUE(THelpViewer::Show(nullptr, "VRL.HLP"));
    EXPECT_EQ(THelpViewer::CurrentPage(), Path("help/vrl.html"));
    TMessageBox::QueueAnswers({});
    EXPECT_FALSE(THelpViewer::Show(nullptr, "VRL1.HLP"));
    EXPECT_EQ(TMessageBox::History().size(), 1U);
    THelpViewer::Close();
    EXPECT_FALSE(THelpViewer::IsShown());
    ::unsetenv("VELORIA_RESOURCES");
}

class ThreePages : public TPrintout {
public:
    ThreePages() : TPrintout("Veloria Report") {}
    bool HasPage(int n) override { return n <= 3; }
    void PrintPage(int page, TRect&, unsigned) override {
        pages.push_back(page);
        DC()->SetMapMode(TDC::MapMode::LoEnglish);
        DC()->TextOut(100, -100, "Page " + std::to_string(page));
    }
    void BeginPrinting() override { calls += "B"; }
    void EndPrinting() override { calls += "E"; }
    std::vector<int> pages;
    std::string calls;
};

TEST_F(ServicesTest, PrintsGoToNumberedPdfFilesAndAFileNamedInSetupIsWrittenOnce) {
    TPrinter::SetPdfFolder(folder.string());
    TPrinter printer;
    ThreePages printout;
    ASSERT_TRUE(printer.Print(nullptr, printout));
    EXPECT_EQ(printout.pages, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(printout.calls, "BE");
    EXPECT_EQ(printer.LastOutput(), Path("Veloria Report.pdf"));
    EXPECT_EQ(PdfPageCount(printer.LastOutput()), 3);
    const auto print = [&printer] {
        ThreePages pages;
        EXPECT_TRUE(printer.Print(nullptr, pages));
        return printer.LastOutput();
    };
    EXPECT_EQ(print(), Path("Veloria Report 2.pdf"));

    // Later prints go beside the file named in the set-up.
    printer.ChoosePdfFile(Path("Mine.pdf"));
    EXPECT_EQ(print(), Path("Mine.pdf"));
    EXPECT_TRUE(printer.LastOutputIsFile());
    EXPECT_EQ(print(), Path("Mine 2.pdf"));
    EXPECT_EQ(PdfPageCount(Path("Mine.pdf")), 3);
    printer.ChoosePdfFile(Path("Mine.pdf")); // chosen again: the user means to replace it
    EXPECT_EQ(print(), Path("Mine.pdf"));
}

TEST_F(ServicesTest, SpeedMenuItemsComeBackAsTheWindowsOwnCommands) {
    TResources::AddMenu(
        9200, {TMenuItem::Popup("Logbook Speed Menu", {TMenuItem::Item("Save Day", 101)}),
               TMenuItem::Popup("Calendar",
                                {TMenuItem::Item("Previous", 202), TMenuItem::Item("Next", 201)})});
    class Target : public TWindow {
    public:
        Target() {
            OnCommand(201, [this] { ++got; });
        }
        int got = 0;
        int chosen = -1;
        int popup = 1;

    protected:
        void EvRButtonDown(TPoint point) override { chosen = TrackSpeedMenu(9200, popup, point); }
    } target;
    ASSERT_TRUE(target.Create());
    target.SetSize(200, 100);
    target.Show(TShowMode::Normal);
    EXPECT_EQ(UserInput::ChooseFromSpeedMenu(target, QPoint(10, 10), "Next"),
              (std::vector<std::string>{"Previous", "Next"}));
    EXPECT_EQ(target.chosen, 201);
    EXPECT_EQ(target.got, 1);
    target.popup = 5; // no such popup: no menu
    EXPECT_TRUE(UserInput::ChooseFromSpeedMenu(target, QPoint(10, 10), "Next").empty());
    EXPECT_EQ(target.chosen, 0);
}

} // namespace

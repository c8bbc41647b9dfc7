// Printing in the running program: a termination signal during a print, a print that fails,
// a print that a reload would change under it, and what is left when the program ends.
#include "framework/PdfPages.h"
#include "framework/TDC.h"
#include "framework/TMDIChild.h"
#include "framework/TPrintout.h"
#include "reports/ReportsDialog.h"
#include "shell/CommandIds.h"
#include "shell/ResourceIds.h"
#include "views/CalendarDialog.h"
#include "views/SelectorIds.h"

#include "store/FileSizeLimit.h"
#include "ShellFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

namespace {

using UserInput::Click;

// Pages that say their number; a signal is raised while one of them is drawn.
class SignalledPrintout : public TPrintout {
public:
    SignalledPrintout(int pages, int signalPage, int signalNumber)
        : TPrintout("Veloria Screen"), pages(pages), signalPage(signalPage),
          signalNumber(signalNumber) {}
    bool HasPage(int n) override { return n <= pages; }
    void PrintPage(int page, TRect&, unsigned) override {
        printed.push_back(page);
        DC()->SetMapMode(TDC::MapMode::LoEnglish);
        DC()->TextOut(100, -100, "Page " + std::to_string(page));
        if (page == signalPage) {
            ::raise(signalNumber);
        }
    }
    std::vector<int> printed;

private:
    int pages;
    int signalPage;
    int signalNumber;
};

class PrintingTest : public ShellFixture {
protected:
    void RegisterTools() override {
        Register<ReportsDialog>(res::kReportsDialog);
        Register<CalendarDialog>(res::kCalendarDialog);
    }
    ReportsDialog* OpenReports() { return Open<ReportsDialog>(cmd::kReports, res::kReportsDialog); }
    // The program's own loop, with what the user does first; returns the loop's status.
    int RunProgram(const std::function<void()>& first) {
        QTimer::singleShot(0, first);
        // Only if the end is lost: ends a box's loop, then the program's.
        QTimer lost;
        QObject::connect(&lost, &QTimer::timeout, [] { QApplication::exit(7); });
        lost.start(20000);
        return app->Run();
    }
};

// A signal seen before the last page ends the print (no file left) and then the program;
// nothing that the print loop uses is destroyed under it, and no page is printed twice.
TEST_F(PrintingTest, ASignalDuringAPrintEndsThePrintAndThenTheProgram) {
    struct Case {
        const char* name;
        int signalNumber;
        int signalPage;
        std::vector<int> printed;
        std::vector<std::string> left;
    };
    const Case cases[] = {
        {"on the first page", SIGTERM, 1, {1}, {}},
        {"in the middle", SIGINT, 3, {1, 2, 3}, {}},
        // The pages were all drawn before the loop looked again: the print is whole.
        {"on the last page", SIGTERM, 5, {1, 2, 3, 4, 5}, {"Veloria Screen.pdf"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        client->OpenCalendar();
        TWindow* calendar = client->Tool(res::kCalendarDialog);
        ASSERT_NE(calendar, nullptr);
        SignalledPrintout printout(5, c.signalPage, c.signalNumber);
        EXPECT_EQ(RunProgram([&] { client->Printing().Print(*calendar, printout); }), 0);
        EXPECT_EQ(printout.printed, c.printed);
        EXPECT_EQ(PrintFolder(), c.left);
        EXPECT_FALSE(frame->IsCreated());
        if (!c.left.empty()) {
            EXPECT_EQ(PdfPageCount(Path("pdf/Veloria Screen.pdf")), 5);
        }
        std::filesystem::remove_all(Path("pdf"));
    }
}

// The Reports tool's own Print, with its progress box on the stack when the signal comes.
TEST_F(PrintingTest, ASignalWhileAReportPrintsLeavesNoFile) {
    StoreDays({0, -1, -2, -3, -4, -5, -6, -7, -8, -9, -10, -11});
    ReportsDialog* reports = OpenReports();
    ASSERT_NE(reports, nullptr);
    EXPECT_EQ(RunProgram([&] {
                  QTimer::singleShot(0, [] { ::raise(SIGTERM); });
                  Click(*reports, ReportsDialog::kPrint);
              }),
              0);
    EXPECT_TRUE(PrintFolder().empty());
    EXPECT_FALSE(frame->IsCreated());
}

// The start-up's error box is closed by a signal, and the program ends instead of running on.
TEST_F(PrintingTest, ASignalWhileTheStartUpErrorBoxIsShownEndsTheProgram) {
    EndProgram();
    WriteSettings(Path("unplugged/logs/season.vrl"));
    TMessageBox::ResetScript(); // a real box, which only the signal closes
    app = std::make_unique<TMainApp>(argc, argv);
    bool boxShown = false;
    EXPECT_EQ(RunProgram([&boxShown] {
                  boxShown = QApplication::activeModalWidget() != nullptr;
                  ::raise(SIGTERM);
              }),
              0);
    EXPECT_TRUE(boxShown);
    EXPECT_EQ(Messages(), std::vector<std::string>{"\n\nERROR:  \"Cannot create data file.\""});
    ASSERT_NE(app->Frame(), nullptr);
    EXPECT_FALSE(app->Frame()->IsCreated());
}

// A box shown while the program runs is closed by a signal, and the program then ends.
TEST_F(PrintingTest, ASignalWhileAnErrorBoxIsShownEndsTheProgram) {
    TMessageBox::ResetScript(); // a real box
    EXPECT_EQ(RunProgram([this] {
                  QTimer::singleShot(0, [] { ::raise(SIGTERM); });
                  client->ReportError("Cannot open database.");
              }),
              0);
    ASSERT_EQ(TMessageBox::History().size(), 1U);
    EXPECT_FALSE(frame->IsCreated());
}

// A print that cannot be written is said on the status bar and in a box naming the file and
// the reason, and leaves no file; it is never announced as printed.
TEST_F(PrintingTest, APrintThatFailsSaysWhyAndLeavesNoFile) {
    StoreDays({0, -1, -2, -3, -4, -5, -6, -7, -8, -9, -10, -11});
    ReportsDialog* reports = OpenReports();
    ASSERT_NE(reports, nullptr);
    TMessageBox::QueueAnswers({});
    {
        const FileSizeLimit limit(2000);
        Click(*reports, ReportsDialog::kPrint);
    }
    const std::string failed = "Printing failed: " + Path("pdf/Veloria Report.pdf") +
                               ": cannot be written: file too large";
    EXPECT_EQ(StatusText(), failed);
    ASSERT_EQ(TMessageBox::History().size(), 1U);
    EXPECT_EQ(TMessageBox::History()[0].text, failed);
    EXPECT_EQ(TMessageBox::History()[0].caption, "Printer error");
    EXPECT_TRUE(PrintFolder().empty());
    EXPECT_EQ(reports->GetDlgItemText(ReportsDialog::kPageText), "Page:  001 of 005");

    // A folder that cannot be made (a file stands in its way).
    TMessageBox::ResetScript();
    TMessageBox::QueueAnswers({});
    Write(Path("blocked"), "a file, not a folder");
    TPrinter::SetPdfFolder(Path("blocked/pdf"));
    Click(*reports, ReportsDialog::kPrint);
    const std::string refused = "Cannot print to " + Path("blocked/pdf/Veloria Report.pdf") +
                                ": cannot be reached: not a directory";
    EXPECT_EQ(StatusText(), refused);
    EXPECT_EQ(Messages(), std::vector<std::string>{refused});
}

// A reload that comes while a report prints waits for the print's end: the sheets are the
// report as it stood when Print was pressed.
TEST_F(PrintingTest, AReloadWaitsUntilThePrintEnds) {
    // Ten days: the title page and four day pages; one day fewer would make four pages.
    StoreDays({-30, 0, -1, -2, -3, -4, -5, -6, -7, -8});
    ReportsDialog* reports = OpenReports();
    ASSERT_NE(reports, nullptr);
    ASSERT_EQ(reports->GetDlgItemText(ReportsDialog::kPageText), "Page:  001 of 005");
    Click(*reports, selector::kNextStart); // the day 30 days back leaves the range
    QTimer::singleShot(0, [reports] { reports->DeliverTimer(res::kReportsReloadTimer); });
    Click(*reports, ReportsDialog::kPrint);
    EXPECT_EQ(PdfPageCount(Path("pdf/Veloria Report.pdf")), 5);
    EXPECT_EQ(StatusText(), "Printed to " + Path("pdf/Veloria Report.pdf"));
    // Then the reload: the preview shows the new range.
    EXPECT_EQ(reports->GetDlgItemText(ReportsDialog::kPageText), "Page:  001 of 004");
}

// Tool windows still open at Exit are freed before the program unwinds.
TEST_F(PrintingTest, ToolWindowsOpenAtExitAreFreed) {
    OpenReports();
    client->OpenCalendar();
    std::vector<THandle> handles;
    for (TMDIChild* child : client->Children()) {
        handles.push_back(child->Handle());
        handles.push_back(child->Hosted()->Handle());
    }
    ASSERT_EQ(handles.size(), 4U);
    EXPECT_EQ(RunProgram([this] { frame->ChooseMenuItem(cmd::kExit); }), 0);
    for (const THandle h : handles) {
        EXPECT_EQ(TWindow::FromHandle(h), nullptr);
    }
}

// Neither Create File nor Printer Setup writes onto the open logbook: both say why, and the
// logbook keeps its days.
TEST_F(PrintingTest, TheOpenLogbookIsRefusedAsAReportFileAndAsThePrintersFile) {
    // A logbook whose name says nothing of what it is: only its being open protects it.
    const std::string logbook = Path("season 2026.log");
    Restart([&] { WriteSettings(logbook); });
    ASSERT_EQ(client->LogBookPath(), logbook);
    StoreDays({0, -1, -2});
    const std::string days = Read(logbook);
    const std::string why = logbook + ": is the open logbook or its index";

    // Create File, with the logbook's name typed into the file dialog.
    ReportsDialog* reports = OpenReports();
    ASSERT_NE(reports, nullptr);
    TMessageBox::QueueAnswers({});
    TFileOpenDialog::QueueAnswers({logbook});
    Click(*reports, ReportsDialog::kCreateFile);
    EXPECT_EQ(Messages(), std::vector<std::string>{"\n\nERROR:  \"" + why + "\""});
    EXPECT_EQ(Read(logbook), days);

    // Printer Setup: the user picks the PDF printer, types the logbook's name, confirms
    // Qt's question about replacing it; the refusal opens the dialog again, and Esc leaves.
    TMessageBox::ResetScript();
    TMessageBox::QueueAnswers({});
    int setups = 0;
    int polls = 0;
    std::function<void()> user = [&] {
        // The next look is booked first: what the user does here may open a nested box.
        if (setups < 2 && ++polls < 10000) {
            QTimer::singleShot(0, user);
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QPrintDialog*>(modal); dialog && ++setups == 1) {
            auto* printers = dialog->findChild<QComboBox*>("printers");
            auto* file = dialog->findChild<QLineEdit*>("filename");
            ASSERT_TRUE(printers && file);
            QTest::keyClick(printers, Qt::Key_End); // "Print to File (PDF)" comes last
            QTest::keyClick(file, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(file, QString::fromStdString(logbook));
            QTest::keyClick(file, Qt::Key_Return);
        } else if (dialog) {
            QTest::keyClick(dialog, Qt::Key_Escape);
        } else if (auto* question = qobject_cast<QMessageBox*>(modal)) {
            QTest::mouseClick(question->button(QMessageBox::Yes), Qt::LeftButton);
        }
    };
    QTimer::singleShot(0, user);
    frame->ChooseMenuItem(cmd::kPrinterSetup);
    EXPECT_EQ(setups, 2);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Cannot print to " + why});
    EXPECT_EQ(Read(logbook), days);

    // The earlier choice stands: a print goes to the usual PDF file.
    Click(*reports, ReportsDialog::kPrint);
    EXPECT_EQ(StatusText(), "Printed to " + Path("pdf/Veloria Report.pdf"));
    EXPECT_EQ(Read(logbook), days);
    Restart();
    EXPECT_EQ(app->Client()->Database().EntryCount(), 3);
}

} // namespace

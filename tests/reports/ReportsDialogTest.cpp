// The Reports window in the running program: its controls used with real clicks and keys,
// the page steps, the report file, printing, and the page drawn pixel by pixel.
#include "reports/ReportsDialog.h"
#include "framework/PixelChecks.h"
#include "framework/TImageDC.h"
#include "framework/TMessageBox.h"
#include "framework/TPrinter.h"
#include "framework/UserInput.h"
#include "reports/ReportPrintout.h"
#include "shell/ClientWindow.h"
#include "shell/CommandIds.h"
#include "shell/ResourceIds.h"
#include "views/SelectorIds.h"

#include "ShellFixture.h"

#include <QScrollArea>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

class ReportsDialogTest : public ShellFixture {
protected:
    void RegisterTools() override { Register<ReportsDialog>(res::kReportsDialog); }
    // Stores days this many days from today and opens Reports from its menu.
    void OpenOn(std::initializer_list<int> days) {
        StoreDays(days);
        reports = Open<ReportsDialog>(cmd::kReports, res::kReportsDialog);
        ASSERT_NE(reports, nullptr);
    }
    std::string Label() const { return reports->GetDlgItemText(ReportsDialog::kPageText); }
    bool Checked(int id) const { return reports->IsDlgButtonChecked(id); }
    void Click(int id, int times = 1) {
        for (int i = 0; i < times; ++i) {
            UserInput::Click(*reports, id);
        }
    }
    // The pause after a change to the range or the day type is over.
    void PauseOver() { reports->DeliverTimer(res::kReportsReloadTimer); }
    // The sheets a print run would make, each as the page the preview drew on it.
    std::vector<int> PrintedPages() {
        TImageDC sheet(850, 1100, TColor::White(), 100);
        ReportPrintout printout("Veloria Report", reports->Preview());
        printout.SetPrintParams(&sheet.DC(), TSize{850, 1100});
        std::vector<int> pages;
        for (int n = 1; printout.HasPage(n); ++n) {
            pages.push_back(reports->Preview().CurrentPage());
            TRect band{0, 0, 850, 1100};
            printout.PrintPage(n, band, 0);
        }
        return pages;
    }
    // The preview's page on a grey image at 100 pixels per inch: one unit, one pixel.
    TImageDC Drawn() {
        TImageDC image(800, 1100, TColor::Gray(), 100);
        reports->Preview().PaintTo(image.DC(), true, TRect{0, 0, 800, 1100});
        image.Finish();
        return image;
    }
    // The pane's view as the screen shows it once the pending paints are done, and as the
    // pane draws it afresh: they differ when a change did not reach the screen.
    QWidget& View() { return *static_cast<QScrollArea*>(reports->Preview().Widget())->viewport(); }
    bool ShowsItsPage() {
        const QImage shown = UserInput::Shown(View());
        return shown == View().grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    static bool Ink(const TImageDC& image, int left, int top, int right, int bottom) {
        return Count(image, TRect{left, top, right, bottom}, TColor::Black()) > 0;
    }

    ReportsDialog* reports = nullptr;
};

// The options shown at the start, and the controls read, as the user set them, only when the
// pages are laid out again.
TEST_F(ReportsDialogTest, TheControlsAreReadWhenThePagesAreLaidOutAgain) {
    ASSERT_NO_FATAL_FAILURE(OpenOn({0, -3, -40}));
    EXPECT_EQ(Label(), "Page:  001 of 002");
    EXPECT_EQ(reports->Preview().Pages().Options().Bits(), 2 | 4 | 8);
    EXPECT_TRUE(Checked(ReportsDialog::kPlainText));
    EXPECT_TRUE(Checked(ReportsDialog::kTitlePage));
    EXPECT_TRUE(Checked(ReportsDialog::kPageNumbers));
    // The pane lies where the list box was.
    EXPECT_EQ(reports->Preview().WindowRect(), reports->ControlRect(ReportsDialog::kPreviewPane));
    EXPECT_TRUE(reports->Preview().IsVisible());
    EXPECT_EQ(reports->Preview().Scroller().XUnit(), 7);
    EXPECT_EQ(reports->Preview().Scroller().YRange(), 61);

    UserInput::Type(*reports, ReportsDialog::kTitle, std::string(78, 't') + "XY");
    UserInput::Type(*reports, ReportsDialog::kComments, "Caf");
    // Keys whose characters lie outside ASCII, one inside the record's code page, one not.
    UserInput::Keys(*reports, QString::fromUtf8("\u00e9 \u0101"));
    // Without a default button, Enter in a box does nothing.
    UserInput::Enter(*reports);
    EXPECT_FALSE(reports->HasTimer(res::kReportsReloadTimer));
    Click(ReportsDialog::kGraphics);
    Click(ReportsDialog::kTitlePage);
    EXPECT_FALSE(Checked(ReportsDialog::kPlainText));
    EXPECT_EQ(reports->Preview().Pages().Options().Bits(), 2 | 4 | 8);
    Click(ReportsDialog::kNextPage);
    const ReportOptions& options = reports->Preview().Pages().Options();
    EXPECT_EQ(options.Bits(), 1 | 8);
    EXPECT_EQ(options.title, std::string(78, 't') + "X");
    EXPECT_EQ(options.comments, "Caf\xe9 ?");
    Click(ReportsDialog::kPlainText);
    Click(ReportsDialog::kPageNumbers);
    Click(ReportsDialog::kPreviousPage);
    EXPECT_EQ(reports->Preview().Pages().Options().Bits(), 2);
}

TEST_F(ReportsDialogTest, PageStepsStayInTheReportAndAShrinkShowsAPageBeyondIt) {
    ASSERT_NO_FATAL_FAILURE(OpenOn({-30, -29, -28, 0}));
    EXPECT_EQ(Label(), "Page:  001 of 003");
    Click(ReportsDialog::kPreviousPage);
    EXPECT_EQ(Label(), "Page:  001 of 003");
    Click(ReportsDialog::kNextPage, 3);
    EXPECT_EQ(Label(), "Page:  003 of 003");

    // A page step lays out again but does not read the index.
    const int reloads = reports->Reloads();
    Click(selector::kNextStart, 3);
    EXPECT_EQ(reports->TimerPeriod(res::kReportsReloadTimer), 500);
    EXPECT_EQ(Label(), "Page:  003 of 003");
    PauseOver();
    EXPECT_EQ(reports->Reloads(), reloads + 1);
    EXPECT_EQ(Label(), "Page:  003 of 002");
    Click(ReportsDialog::kNextPage);
    EXPECT_EQ(Label(), "Page:  003 of 002");
    EXPECT_EQ(reports->Reloads(), reloads + 1);
    // The page beyond the report is blank but for its number.
    const TImageDC beyond = Drawn();
    EXPECT_FALSE(Ink(beyond, 50, 75, 750, 1000));
    EXPECT_TRUE(Ink(beyond, 350, 1005, 450, 1025));
    Click(ReportsDialog::kPreviousPage);
    EXPECT_EQ(Label(), "Page:  002 of 002");

    // Day Type and Preview go back to page 1 once the pause is over.
    Click(selector::kDayType);
    PauseOver();
    EXPECT_EQ(Label(), "Page:  001 of 001");
    Click(selector::kDayType, 2);
    PauseOver();
    Click(ReportsDialog::kNextPage);
    Click(ReportsDialog::kPreview);
    EXPECT_TRUE(reports->HasTimer(res::kReportsReloadTimer));
    PauseOver();
    EXPECT_EQ(Label(), "Page:  001 of 002");
}

TEST_F(ReportsDialogTest, CreateFileWritesTheReportOfTheLastReload) {
    ASSERT_NO_FATAL_FAILURE(OpenOn({0, -1, -2, -3}));
    UserInput::Type(*reports, ReportsDialog::kTitle, "Spring");

    TFileOpenDialog::QueueAnswers({std::nullopt});
    Click(ReportsDialog::kCreateFile);
    EXPECT_TRUE(reports->FileName().empty());
    const TFileOpenDialog::TData* run = TFileOpenDialog::LastRun();
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(TFileOpenDialog::LastTitle(), "Select File");
    EXPECT_EQ(run->flags, 0x2804U);
    EXPECT_EQ(run->filter, "Text files (*.txt)|*.txt|All files (*.*)|*.*|");
    EXPECT_EQ(run->defaultExt, "txt");
    EXPECT_EQ(run->initialDir, std::filesystem::current_path().string() + "/");

    // A path longer than 255 characters is written as it is (the file dialog takes 260).
    const std::string deep =
        folder.string() + "/" + std::string(258 - folder.string().size() - 1 - 6, 'r');
    std::filesystem::create_directories(deep);
    const std::string path = deep + "/s.txt";
    ASSERT_EQ(path.size(), 258U);
    TFileOpenDialog::QueueAnswers({path});
    TMessageBox::QueueAnswers({TMessageBox::kIdYes}); // create the file
    // A day stored after the last reload is not in the file (the end moves past today, but
    // the pause is not over).
    Click(selector::kNextEnd);
    StoreDays({1});
    Click(ReportsDialog::kCreateFile);
    EXPECT_EQ(reports->FileName(), path);
    const std::string text = Read(path);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3 * 66);
    EXPECT_EQ(text.substr(0, 31), "\n\n\nReport Title      :  Spring\n");
    EXPECT_NE(text.find("No. of Entries    :  004\n"), std::string::npos);
    EXPECT_EQ(text.find("Day 1"), std::string::npos);

    // Only the question whether to create the new file was asked.
    ASSERT_EQ(TMessageBox::History().size(), 1U);
    EXPECT_EQ(TMessageBox::History()[0].text,
              path + "\nThis file does not exist.\nCreate the file?");
}

// Nothing to print (no days, no title page) makes no sheet; five pages print from the title
// page or, without it, from page 2.
TEST_F(ReportsDialogTest, PrintingAFivePageReportWithAndWithoutTheTitlePage) {
    ASSERT_NO_FATAL_FAILURE(OpenOn({}));
    Click(ReportsDialog::kTitlePage);
    Click(ReportsDialog::kPrint);
    EXPECT_TRUE(PrintFolder().empty());
    EXPECT_EQ(Label(), "Page:  001 of 001");

    // Twelve days and the title page again, read at the next Preview.
    StoreDays({0, -1, -2, -3, -4, -5, -6, -7, -8, -9, -10, -11});
    Click(ReportsDialog::kTitlePage);
    Click(ReportsDialog::kPreview);
    PauseOver();
    EXPECT_EQ(Label(), "Page:  001 of 005");
    Click(ReportsDialog::kNextPage);
    Click(ReportsDialog::kPrint);
    const TPrinter* printer = client->Printing().Printer();
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(printer->LastPageCount(), 5);
    EXPECT_EQ(PrintFolder(), std::vector<std::string>{"Veloria Report.pdf"});
    EXPECT_EQ(Label(), "Page:  001 of 005");
    EXPECT_EQ(reports->Preview().CurrentPage(), 1);

    // File > Print prints the report as the button does.
    Click(ReportsDialog::kNextPage);
    ASSERT_TRUE(UserInput::ChooseMenuItem(*frame, cmd::kPrint));
    EXPECT_EQ(printer->LastOutput(), Path("pdf/Veloria Report 2.pdf"));
    EXPECT_EQ(printer->LastPageCount(), 5);
    EXPECT_EQ(Label(), "Page:  001 of 005");

    // Unchecked and printed at once: from page 2, as the preview numbers it.
    Click(ReportsDialog::kTitlePage);
    Click(ReportsDialog::kPrint);
    EXPECT_EQ(printer->LastPageCount(), 4);
    EXPECT_EQ(printer->LastOutput(), Path("pdf/Veloria Report 3.pdf"));
    EXPECT_EQ(reports->Preview().CurrentPage(), 1);

    // The pages each sheet carries.
    reports->Preview().SetCurrentPage(2);
    EXPECT_EQ(PrintedPages(), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(reports->Preview().CurrentPage(), 1);
    reports->Preview().SetCurrentPage(1);
    EXPECT_EQ(PrintedPages(), (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST_F(ReportsDialogTest, ThePageAtTrueSize) {
    ASSERT_NO_FATAL_FAILURE(OpenOn({0}));
    // The white page from (0.50, 0.75) inch to (7.50, 10.25), right and bottom edges left out.
    const TImageDC title = Drawn();
    EXPECT_EQ(title.Pixel(49, 500), TColor::Gray());
    EXPECT_EQ(title.Pixel(50, 74), TColor::Gray());
    EXPECT_EQ(title.Pixel(50, 75), TColor::White());
    EXPECT_EQ(title.Pixel(749, 1024), TColor::White());
    EXPECT_EQ(title.Pixel(750, 500), TColor::Gray());
    EXPECT_EQ(title.Pixel(400, 1025), TColor::Gray());
    // Nine lines 0.20 inch apart from the top, each within its 0.16-inch cell; the number
    // centred in the bottom 0.20 inch.
    for (int i = 0; i < 9; ++i) {
        const int top = 75 + 20 * i;
        EXPECT_TRUE(Ink(title, 50, top, 300, top + 16)) << i;
        EXPECT_FALSE(Ink(title, 50, top + 17, 750, top + 20)) << i;
    }
    EXPECT_FALSE(Ink(title, 50, 255, 750, 1005));
    EXPECT_TRUE(Ink(title, 380, 1005, 420, 1025));
    EXPECT_FALSE(Ink(title, 50, 1005, 370, 1025));

    // A day page: one block, and the rules only with Graphics.
    Click(ReportsDialog::kNextPage);
    const TImageDC plain = Drawn();
    EXPECT_TRUE(Ink(plain, 50, 75, 300, 91));   // Date
    EXPECT_TRUE(Ink(plain, 50, 235, 300, 251)); // Workout
    EXPECT_FALSE(Ink(plain, 50, 376, 750, 1000));
    EXPECT_EQ(plain.Pixel(60, 365), TColor::White());
    Click(ReportsDialog::kGraphics);
    Click(ReportsDialog::kNextPage); // the last page: only laid out again
    const TImageDC ruled = Drawn();
    for (const int y : {365, 655, 945}) {
        EXPECT_EQ(ruled.Pixel(50, y), TColor::Black()) << y;
        EXPECT_EQ(ruled.Pixel(749, y), TColor::Black()) << y;
        EXPECT_EQ(ruled.Pixel(400, y + 1), TColor::White()) << y;
    }
    EXPECT_EQ(ruled.Pixel(750, 365), TColor::Gray());
}

TEST_F(ReportsDialogTest, ThePaneShowsEveryPageItGoesTo) {
    ASSERT_NO_FATAL_FAILURE(OpenOn({0, -1, -2, -3, -4}));
    EXPECT_TRUE(ShowsItsPage()) << "opened";
    Click(ReportsDialog::kNextPage);
    EXPECT_TRUE(ShowsItsPage()) << "+ Page";
    // A click into the scroll bar below its handle: the strip scrolled in is of the same page.
    QScrollBar& bar = *static_cast<QScrollArea*>(reports->Preview().Widget())->verticalScrollBar();
    UserInput::ClickAt(bar, QPoint(bar.width() / 2, bar.height() * 3 / 4));
    ASSERT_GT(bar.value(), 0);
    EXPECT_TRUE(ShowsItsPage()) << "scrolled";
    Click(ReportsDialog::kNextPage);
    EXPECT_TRUE(ShowsItsPage()) << "+ Page, scrolled";
    Click(ReportsDialog::kPreviousPage);
    EXPECT_TRUE(ShowsItsPage()) << "- Page";
    Click(ReportsDialog::kPreview);
    PauseOver();
    EXPECT_TRUE(ShowsItsPage()) << "Preview";
    Click(ReportsDialog::kNextPage);
    Click(ReportsDialog::kPrint);
    EXPECT_EQ(reports->Preview().CurrentPage(), 1);
    EXPECT_TRUE(ShowsItsPage()) << "printed";
    // A reload after the end date stepped back past a day of the title page's count.
    Click(selector::kPreviousEnd);
    PauseOver();
    EXPECT_TRUE(ShowsItsPage()) << "reloaded";
}

} // namespace

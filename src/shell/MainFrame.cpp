#include "shell/MainFrame.h"

#include "framework/TBitmapGadget.h"
#include "framework/TButtonGadget.h"
#include "framework/TControlBar.h"
#include "framework/TSeparatorGadget.h"
#include "framework/TStatusBar.h"
#include "framework/TTextGadget.h"
#include "shell/CommandIds.h"
#include "shell/ResourceIds.h"

MainFrame::MainFrame(std::string title, TMDIClient& client, const std::string& dateText)
    : TDecoratedMDIFrame(std::move(title), res::kMainMenu, client, true) {
    SetIcon(res::kAppIcon);
    const TGadgetWindowFont font{10, false, false};
    toolBar = std::make_unique<TControlBar>(this, TControlBar::Direction::Horizontal, font);
    sideBar = std::make_unique<TControlBar>(this, TControlBar::Direction::Vertical, font);
    statusBar = std::make_unique<TStatusBar>(
        this, TGadget::Border::Recessed,
        TStatusBar::kCapsLock | TStatusBar::kNumLock | TStatusBar::kOvertype, font);
    Insert(*sideBar, Location::Left);
    Insert(*toolBar, Location::Top);
    Insert(*statusBar, Location::Bottom);

    FillToolBar();
    toolBar->SetBkgndColor(TColor::LightGray());
    sideBar->Insert(
        std::make_unique<TBitmapGadget>(res::kSideBarBitmap, -1, TGadget::Border::None, 1));

    auto date =
        std::make_unique<TTextGadget>(0, TGadget::Border::Recessed, TTextGadget::Align::Left, 18);
    dateGadget = date.get();
    statusBar->Insert(std::make_unique<TSeparatorGadget>(3));
    statusBar->Insert(std::move(date));
    dateGadget->SetText(dateText);
}

MainFrame::~MainFrame() = default;

void MainFrame::FillToolBar() {
    const struct {
        int bitmap;
        int command; // 0 for a separator
    } row[] = {
        {res::kOpenFace, cmd::kOpen},
        {res::kPrintFace, cmd::kPrint},
        {0, 0},
        {res::kLogBookFace, cmd::kLogBook},
        {res::kCalendarFace, cmd::kCalendar},
        {res::kGraphsFace, cmd::kGraphs},
        {res::kStatisticsFace, cmd::kStatistics},
        {res::kReportsFace, cmd::kReports},
        {res::kSummaryFace, cmd::kSummary},
        {res::kTrainingLoadFace, cmd::kTrainingLoad},
        {res::kGearFace, cmd::kGear},
        {res::kRecordsFace, cmd::kRecords},
        {0, 0},
        {res::kHeartRateFace, cmd::kHeartRate},
        {res::kCalculatorFace, cmd::kCalculator},
        {0, 0},
        {res::kOpenAllFace, cmd::kOpenAll},
        {res::kCloseAllFace, cmd::kCloseAll},
        {0, 0},
        {res::kCascadeFace, cmd::kCascade},
        {res::kTileHorizontalFace, cmd::kTileHorizontal},
        {res::kTileVerticalFace, cmd::kTileVertical},
        {0, 0},
        {res::kPreviousWindowFace, cmd::kPreviousWindow},
        {res::kNextWindowFace, cmd::kNextWindow},
        {0, 0},
        {res::kHelpFace, cmd::kHelpContents},
    };
    for (const auto& r : row) {
        if (r.command == 0) {
            toolBar->Insert(std::make_unique<TSeparatorGadget>(6));
        } else {
            toolBar->Insert(std::make_unique<TButtonGadget>(r.bitmap, r.command));
        }
    }
}

void MainFrame::ShowToolBar(bool show) {
    if (show) {
        Insert(*toolBar, Location::Top);
    } else {
        Remove(*toolBar);
    }
    Layout();
    toolBarShown = show;
}

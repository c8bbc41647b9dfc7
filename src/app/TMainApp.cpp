#include "app/TMainApp.h"

#include "app/AppResources.h"
#include "app/ClientWindow.h"
#include "app/CommandIds.h"
#include "app/ResourceIds.h"
#include "framework/TBitmapGadget.h"
#include "framework/TButtonGadget.h"
#include "framework/TControlBar.h"
#include "framework/TDecoratedMDIFrame.h"
#include "framework/TSeparatorGadget.h"
#include "framework/TStatusBar.h"
#include "framework/TTextGadget.h"

TMainApp::TMainApp(int& argc, char** argv)
    : TApplication("Veloria", argc, argv), profile(TProfile::DefaultPath(kIniFile)) {
    AppResources::Register();
}

TMainApp::~TMainApp() {
    if (frame) {
        frame->Destroy(0);
    }
    statusBar.reset();
    sideBar.reset();
    toolBar.reset();
    frame.reset();
    client.reset();
}

std::string TMainApp::TitleFor(const std::string& path) { return "Veloria - [" + path + "]"; }

void TMainApp::BuildMainWindow() {
    // The title names the logbook the client window actually opens (the same setting and
    // default), so a first run shows the full path of the file under the current folder.
    client = std::make_unique<ClientWindow>(*this, profile);
    frame = std::make_unique<TDecoratedMDIFrame>(TitleFor(client->LogBookPath()), res::kMainMenu,
                                                 *client, true);
    SetMainWindow(frame.get());
    frame->SetIcon(res::kAppIcon);
    SetShowMode(TShowMode::Maximized);

    const TGadgetWindowFont font{10, false, false};
    toolBar = std::make_unique<TControlBar>(frame.get(), TControlBar::Direction::Horizontal, font);
    sideBar = std::make_unique<TControlBar>(frame.get(), TControlBar::Direction::Vertical, font);
    statusBar = std::make_unique<TStatusBar>(frame.get(), TGadget::Border::Recessed,
                                             TStatusBar::kCapsLock | TStatusBar::kNumLock |
                                                 TStatusBar::kOvertype,
                                             font);
    frame->Insert(*sideBar, TDecoratedMDIFrame::Location::Left);
    frame->Insert(*toolBar, TDecoratedMDIFrame::Location::Top);
    frame->Insert(*statusBar, TDecoratedMDIFrame::Location::Bottom);

    FillToolBar();
    toolBar->SetBkgndColor(TColor::LightGray());
    sideBar->Insert(std::make_unique<TBitmapGadget>(res::kSideBarBitmap, -1, TGadget::Border::None, 1));

    auto date = std::make_unique<TTextGadget>(0, TGadget::Border::Recessed, TTextGadget::Align::Left, 18);
    dateGadget = date.get();
    statusBar->Insert(std::make_unique<TSeparatorGadget>(3));
    statusBar->Insert(std::move(date));
    DateValue today;
    client->Dates().Today(today);
    dateGadget->SetText(client->Dates().LongDateText(today));
}

void TMainApp::FillToolBar() {
    const struct {
        int bitmap;
        int command; // 0 for a separator
    } row[] = {
        {950, cmd::kOpen},        {951, cmd::kPrint},           {0, 0},
        {960, cmd::kLogBook},     {962, cmd::kCalendar},        {961, cmd::kGraphs},
        {963, cmd::kStatistics},  {964, cmd::kReports},         {0, 0},
        {966, cmd::kHeartRate},   {965, cmd::kCalculator},      {0, 0},
        {952, cmd::kOpenAll},     {955, cmd::kCloseAll},        {0, 0},
        {956, cmd::kCascade},     {957, cmd::kTileHorizontal},  {958, cmd::kTileVertical},
        {0, 0},                   {954, cmd::kPreviousWindow},  {953, cmd::kNextWindow},
        {0, 0},                   {967, cmd::kHelpContents},
    };
    for (const auto& r : row) {
        if (r.command == 0) {
            toolBar->Insert(std::make_unique<TSeparatorGadget>(6));
        } else {
            toolBar->Insert(std::make_unique<TButtonGadget>(r.bitmap, r.command));
        }
    }
}

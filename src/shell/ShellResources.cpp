#include "shell/ShellResources.h"

#include "framework/TDialog.h"
#include "framework/TResources.h"
#include "shell/CommandIds.h"
#include "shell/DatesDialog.h"
#include "shell/ResourceIds.h"
#include "shell/RestoreBackupDialog.h"
#include "shell/ToolRegistry.h"

namespace {

using K = TControlKind;
using I = TMenuItem;

void RegisterHints() {
    const struct {
        int command;
        const char* hint;
    } hints[] = {
        {cmd::kOpen, "Open Veloria log book."},
        {cmd::kRestoreBackup, "Replace the log book with one of its backups."},
        {cmd::kPrint, "Print the contents of the active window."},
        {cmd::kPrinterSetup, "Select and setup a printer."},
        {cmd::kExit, "Terminate Veloria Program."},
        {cmd::kLogBook, "Edit and view information in log book."},
        {cmd::kCalendar, "View information on monthly calendar."},
        {cmd::kGraphs, "View information on graphs."},
        {cmd::kStatistics, "View information statistics."},
        {cmd::kReports, "Generate reports."},
        {cmd::kSummary, "View weeks, months and years at a glance."},
        {cmd::kTrainingLoad, "View fitness, fatigue and form from the load of each day."},
        {cmd::kGear, "Shoes, bikes and other gear: how far each has gone."},
        {cmd::kRecords, "View race bests, day records and best efforts."},
        {cmd::kCalculator, "Calculator for standard math and conversions."},
        {cmd::kHeartRate, "Calcuate heart rate."},
        {cmd::kOpenAll, "Open all tool windows."},
        {cmd::kNextWindow, "Bring next window to top (if more than one window is open)."},
        {cmd::kPreviousWindow, "Bring previous window to top (if more than one window is open)."},
        {cmd::kCloseAll, "Close all open windows."},
        {cmd::kShowToolBar, "Hide menu tool bar."},
        {cmd::kHideToolBar, "Show menu tool bar."},
        {cmd::kCascade, "Arranges open windows in a cascade pattern."},
        {cmd::kTileHorizontal, "Arranges windows in a horizontal tile pattern."},
        {cmd::kTileVertical, "Arranges windows in a vertical tile pattern."},
        {cmd::kProductFeatures, "Veloria product information."},
        {cmd::kHelpContents, "Help using Veloria."},
        {cmd::kAbout, "About Veloria."},
    };
    for (const auto& h : hints) {
        TResources::AddString(h.command, h.hint);
    }
}

void RegisterDialogs() {
    TDialogTemplate about;
    about.cx = 266;
    about.cy = 144;
    about.caption = "About Veloria...";
    about.controls = {
        {K::Picture, res::kAboutPicture, 8, 8, 250, 108, "", 0, 0},
        {K::Button, TDialog::kIdOk, 108, 124, 50, 14, "OK", TControlTemplate::kDefault, 0}};
    TResources::AddDialog(res::kAboutDialog, about);

    TDialogTemplate title;
    title.cx = 208;
    title.cy = 220;
    title.hasCaption = false;
    title.controls = {
        {K::GroupBox, -1, 8, 4, 192, 188, "", 0, 0},
        {K::Picture, res::kTitleRunners, 12, 51, 183, 95, "", 0, 0},
        {K::Picture, res::kTitleVersion, 12, 146, 183, 43, "", 0, 0},
        {K::Button, TDialog::kIdOk, 80, 200, 50, 14, "OK", TControlTemplate::kDefault, 0}};
    TResources::AddDialog(res::kTitleDialog, title);
    RestoreBackupDialog::RegisterTemplate();
    DatesDialog::RegisterTemplate();
}

} // namespace

void ShellResources::Register() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    RegisterHints();
    RegisterDialogs();
}

void ShellResources::RegisterMenu() {
    // The File menu's commands that the features registered come after Open.
    std::vector<I> file = {I::Item("&Open...", cmd::kOpen)};
    std::vector<I> tools = {I::Item("&Logbook...", cmd::kLogBook),
                            I::Item("&Calendar...", cmd::kCalendar),
                            I::Item("&Graphs...", cmd::kGraphs),
                            I::Item("&Statistics...", cmd::kStatistics),
                            I::Item("&Reports...", cmd::kReports),
                            I::Item("Recor&ds...", cmd::kRecords),
                            I::Item("Su&mmary...", cmd::kSummary),
                            I::Item("&Training Load...", cmd::kTrainingLoad),
                            I::Item("G&ear...", cmd::kGear),
                            I::Item("C&alculator...", cmd::kCalculator),
                            I::Item("&Heart rate...", cmd::kHeartRate)};
    for (const auto& [command, registered] : ToolRegistry::FileCommands()) {
        const bool inTools = registered.menu == ToolRegistry::FileCommand::Menu::Tools;
        (inTools ? tools : file).push_back(I::Item(registered.menuText, command));
        TResources::AddString(command, registered.hint);
    }
    for (I item :
         {I::Item("&Restore from Backup...", cmd::kRestoreBackup), I::Separator(),
          I::Item("&Print...", cmd::kPrint), I::Item("Printer Setup...", cmd::kPrinterSetup),
          I::Separator(), I::Item("E&xit", cmd::kExit)}) {
        file.push_back(std::move(item));
    }
    TResources::AddMenu(res::kMainMenu,
                        {I::Popup("&File", std::move(file)), I::Popup("&Tools", std::move(tools)),
                         I::Popup("&View", {I::Item("&Open all windows", cmd::kOpenAll),
                                            I::Item("Show &next window", cmd::kNextWindow),
                                            I::Item("Show &previous window", cmd::kPreviousWindow),
                                            I::Item("&Close all windows", cmd::kCloseAll)}),
                         I::Popup("&Preferences", {I::Item("&Show tool bar", cmd::kShowToolBar),
                                                   I::Item("&Hide tool bar", cmd::kHideToolBar)}),
                         I::Popup("&Window", {I::Item("&Cascade", cmd::kCascade),
                                              I::Item("Tile &horizontal", cmd::kTileHorizontal),
                                              I::Item("Tile &vertical", cmd::kTileVertical)}),
                         I::Popup("&Help", {I::Item("&Product Features", cmd::kProductFeatures),
                                            I::Item("&Contents", cmd::kHelpContents),
                                            I::Separator(), I::Item("&About...", cmd::kAbout)})});
}

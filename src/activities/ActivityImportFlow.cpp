#include "activities/ActivityImportFlow.h"

#include "activities/ActivityIds.h"
#include "activities/ActivityImportDialog.h"
#include "activities/ActivityReadingDialog.h"
#include "framework/TApplication.h"
#include "shell/ClientWindow.h"
#include "shell/OpenFileDialog.h"
#include "shell/Settings.h"
#include "store/ActivityStore.h"

#include <filesystem>
#include <strings.h>

void ActivityImportFlow::Register() {
    ActivityImportDialog::RegisterTemplate();
    ActivityReadingDialog::RegisterTemplate();
    ClientWindow::RegisterFileCommand(
        {activity::kImportCommand,
         "&Import Activities...",
         "Import activity files (FIT, TCX, GPX) from a watch or phone.",
         [](ClientWindow& client) { ActivityImportFlow(client).ChooseFiles(); },
         [](ClientWindow& client, const std::vector<std::string>& paths) {
             ActivityImportFlow(client).Import(paths);
         },
         {}});
}

ActivityImportFlow::ActivityImportFlow(ClientWindow& client) : client(client) {}

void ActivityImportFlow::ChooseFiles() {
    TFileOpenDialog::TData data;
    data.flags = TFileOpenDialog::kAllowMultiSelect | TFileOpenDialog::kFileMustExist |
                 TFileOpenDialog::kHideReadOnly;
    data.filter = "Activity files|*.fit;*.gpx;*.tcx;*.fit.gz;*.gpx.gz;*.tcx.gz;*.FIT;*.GPX;*.TCX;"
                  "*.FIT.GZ;*.GPX.GZ;*.TCX.GZ|All files (*)|*|";
    data.filterIndex = 1;
    // A remembered folder that has gone (an unplugged watch) leaves the working folder.
    TProfile& profile = client.Profile();
    const std::string folder = profile.GetString(Settings::kSection, kFolderKey, "", 512);
    std::error_code error;
    if (!folder.empty() && std::filesystem::is_directory(folder, error)) {
        data.initialDir = folder;
    }
    OpenFileDialog dialog(&client, data, "Import Activities");
    if (dialog.Execute() != TFileOpenDialog::kIdOk || data.fileNames.empty()) {
        return;
    }
    const std::string chosenIn =
        std::filesystem::path(data.fileNames.front()).parent_path().string();
    if (chosenIn != folder) {
        profile.WriteString(Settings::kSection, kFolderKey, chosenIn);
    }
    Import(data.fileNames);
}

void ActivityImportFlow::Import(const std::vector<std::string>& operands) {
    if (operands.empty()) {
        return;
    }
    LogBookDatabase& database = client.Database();
    if (!database.IsOpen()) {
        client.ReportError("No logbook is open to import into: open one with File > Open.");
        return;
    }
    // The unsaved days first, so the preview weighs the files against the days as stored.
    if (!client.Session().AskAboutUnsavedDays()) {
        return;
    }
    // The activities beside the logbook: one that cannot be changed stops the import before
    // anything is read, so that no day is stored without its activities.
    ActivityStore activities;
    if (const ActivityStore::Outcome opened = activities.Open(database, true);
        !opened.Ok() && opened.code != ActivityStore::Code::Missing) {
        client.ReportError((opened.words + "\nNothing was imported.").c_str());
        return;
    }
    ActivityImportPlan plan;
    {
        const TApplication::Busy busy;
        ActivityReadingDialog reading(&client);
        const bool whole = plan.Read(operands, [&reading](std::size_t done, std::size_t total) {
            return reading.Step(done, total);
        });
        reading.Finish();
        if (!whole) {
            client.ShowStatus("The import was cancelled; nothing was stored.");
            return;
        }
    }
    TProfile& profile = client.Profile();
    const std::string unitText = profile.GetString(Settings::kSection, kUnitKey, "km", 3);
    const ActivityDays::Unit unit = ::strcasecmp(unitText.c_str(), "mi") == 0
                                        ? ActivityDays::Unit::Miles
                                        : ActivityDays::Unit::Kilometres;
    ActivityImportDialog preview(&client, plan, &database, &activities, unit, client.Dates());
    const int answer = preview.Execute();
    if (preview.Unit() != unit) {
        profile.WriteString(Settings::kSection, kUnitKey, ActivityDays::UnitName(preview.Unit()));
    }
    if (answer != TDialog::kIdOk) {
        return;
    }
    if (plan.Records().empty()) {
        // Files stored before their tracks were read: their best efforts are filled in.
        if (const ActivityStore::Outcome kept = plan.StoreEfforts(activities); !kept.Ok()) {
            client.ReportError(kept.words.c_str());
        } else {
            client.RefreshToolWindows(false);
            client.ShowStatus("Kept the best efforts of the tracks of activities imported before.");
        }
        return;
    }
    // The logbook says why when it refuses; the activities file's words are said here.
    std::string problem;
    const ActivityImportPlan::StoreOutcome stored = plan.Store(database, activities, problem);
    if (!problem.empty()) {
        client.ReportError(problem.c_str());
    }
    if (stored != ActivityImportPlan::StoreOutcome::Stored) {
        return;
    }
    if (const ActivityStore::Outcome kept = plan.StoreEfforts(activities); !kept.Ok()) {
        client.ReportError(kept.words.c_str());
    }
    client.ForgetStoredChanges();
    client.RefreshToolWindows(true);
    client.ShowStatus("Imported " + plan.CountsText() + ".");
}

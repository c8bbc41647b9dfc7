#include "activities/LogbookSettingsDialog.h"

#include "activities/ActivityIds.h"
#include "activities/ActivitySports.h"
#include "activities/DefaultSport.h"
#include "framework/TResources.h"
#include "shell/ClientWindow.h"
#include "store/ActivityStore.h"

#include <algorithm>

LogbookSettingsDialog::LogbookSettingsDialog(TWindow* parent, std::string current)
    : TDialog(parent, activity::kSettingsDialog), current(std::move(current)) {}

void LogbookSettingsDialog::RegisterTemplate() {
    using K = TControlKind;
    TDialogTemplate t;
    t.cx = 200;
    t.cy = 64;
    t.caption = "Logbook Settings";
    t.controls = {
        {K::Static, -1, 8, 8, 184, 8, "Sport of the days typed without activities:", 0, 0},
        {K::DropDownList, kSport, 8, 20, 100, 120, "", 0, 0},
        {K::Button, TDialog::kIdOk, 88, 44, 50, 14, "OK", TControlTemplate::kDefault, 0},
        {K::Button, TDialog::kIdCancel, 142, 44, 50, 14, "Cancel", 0, 0}};
    TResources::AddDialog(activity::kSettingsDialog, t);
}

void LogbookSettingsDialog::Register() {
    RegisterTemplate();
    ClientWindow::RegisterFileCommand(
        {activity::kSettingsCommand,
         "Logbook &Settings...",
         "Choose the sport of the days typed without activities.",
         [](ClientWindow& client) { Show(client); },
         {},
         [](ClientWindow& client) { return client.Database().IsOpen(); }});
}

void LogbookSettingsDialog::Show(ClientWindow& client) {
    LogBookDatabase& database = client.Database();
    if (!database.IsOpen()) {
        return;
    }
    std::string current;
    {
        // Read and let go: the file is not held while the dialog is up.
        ActivityStore store;
        store.Open(database, false);
        current = store.DefaultSport();
    }
    LogbookSettingsDialog dialog(&client, current);
    if (dialog.Execute() != kIdOk || dialog.Chosen() == current) {
        return;
    }
    if (const ActivityStore::Outcome stored = DefaultSport::Store(database, dialog.Chosen());
        !stored.Ok()) {
        client.ReportError((stored.words + "\nThe default sport was not changed.").c_str());
        return;
    }
    client.ShowStatus("The default sport is now " + DefaultSport::WordOf(dialog.Chosen()) + ".");
    client.RefreshToolWindows(false);
}

void LogbookSettingsDialog::SetupWindow() {
    TDialog::SetupWindow();
    std::vector<std::string> words = DefaultSport::Choices();
    // A sport stored by a newer program, or one without a word, is still shown as it is.
    const std::string shown = DefaultSport::WordOf(current);
    auto at = std::find(words.begin(), words.end(), shown);
    if (at == words.end()) {
        at = words.insert(words.end(), shown);
    }
    for (const std::string& word : words) {
        ListAddString(kSport, word);
    }
    ListSetSelection(kSport, static_cast<int>(at - words.begin()));
}

void LogbookSettingsDialog::CmOk() {
    const int selected = ListSelection(kSport);
    chosen = selected < 0 ? current : ActivitySports::SportOf(ListText(kSport, selected));
    TDialog::CmOk();
}

#include "shell/LogBookSession.h"

#include "framework/TDialog.h"
#include "framework/TProfile.h"
#include "shell/OpenFileDialog.h"
#include "shell/ResourceIds.h"
#include "shell/RestoreBackupDialog.h"
#include "shell/Settings.h"
#include "shell/ToolRegistry.h"
#include "store/ActivityStore.h"
#include "store/ErrorReporter.h"

#include <filesystem>

LogBookSession::LogBookSession(TWindow& owner, TProfile& profile, ErrorReporter& errors,
                               ToolRegistry& tools, StatusLine status)
    : owner(owner), profile(profile), errors(errors), tools(tools), status(std::move(status)),
      dates(std::make_unique<DateUtility>()),
      database(std::make_unique<LogBookDatabase>(errors, *dates)) {
    database->BackUpBeforeChanges(
        [this](const LogBookBackups::BackupStatus& failed) { BackUpBeforeChange(failed); });
}

LogBookSession::~LogBookSession() {
    Close();
}

void LogBookSession::Close() {
    if (database) {
        database->Close();
    }
}

std::string LogBookSession::DefaultLogBookPath() {
    std::error_code error;
    return (std::filesystem::current_path(error) / "logBooks" / "mylog.vrl").string();
}

void LogBookSession::Start(const std::string& startLogBook) {
    if (!startLogBook.empty() && OpenAndRemember(startLogBook)) {
        return;
    }
    logBookPath =
        profile.GetString(Settings::kSection, Settings::kLogBookKey, DefaultLogBookPath(), 512);
    // An empty setting names no logbook: the default applies.
    if (logBookPath.empty()) {
        logBookPath = DefaultLogBookPath();
    }
    // Only the default logbook's folder is made, so the logbook can be created there; a
    // configured folder that is missing (an unplugged drive) is reported by the store.
    if (logBookPath == DefaultLogBookPath()) {
        std::error_code error;
        std::filesystem::create_directories(std::filesystem::path(logBookPath).parent_path(),
                                            error);
    }
    database->Open(logBookPath);
}

void LogBookSession::AfterStart() {
    SayActivitiesFile();
}

bool LogBookSession::AskAboutUnsavedDays() {
    TDialog* editor = tools.Tool(res::kLogBookDialog);
    return !editor || editor->QueryClose();
}

void LogBookSession::ChooseAndOpen() {
    std::error_code error;
    const std::string folder = (std::filesystem::current_path(error) / "logBooks").string() + "/";
    std::string chosen;
    if (OpenFileDialog::Select(&owner, chosen, 0x2804, "*.vrl", "vrl", folder, "",
                               "Veloria (*.vrl)|*.vrl|") != 1) {
        return;
    }
    if (!AskAboutUnsavedDays()) {
        return;
    }
    // The setting and the title change only once the new logbook is open; otherwise the
    // old one stays open under its own name.
    const bool hadOne = database->IsOpen();
    if (database->Close() == LogBookDatabase::Result::Ok) {
        if (OpenAndRemember(chosen)) {
            SayActivitiesFile();
        } else if (hadOne) {
            database->Open(logBookPath);
        }
        ShowTitle();
        tools.ForgetStoredChanges();
    }
    tools.Refresh(true);
}

void LogBookSession::RestoreFromBackup() {
    if (!AskAboutUnsavedDays()) {
        return;
    }
    std::string unreadable;
    std::vector<LogBookBackups::Backup> listed = LogBookBackups().List(logBookPath, unreadable);
    RestoreBackupDialog dialog(&owner, logBookPath, std::move(listed), unreadable,
                               [this](const std::string& backup, DayChanges& changes) {
                                   return database->CompareWithBackup(backup, changes);
                               });
    if (dialog.Execute() != TDialog::kIdOk || dialog.Chosen().empty()) {
        return;
    }
    // The store restores under the lock it holds, so no other program takes the logbook.
    const LogBookBackups::RestoreStatus restored = database->Restore(dialog.Chosen());
    if (!restored.Is(LogBookBackups::RestoreOutcome::Restored)) {
        errors.ReportError(restored.Words().c_str());
        return;
    }
    // The stored changes of this run belong to the days the restore replaced.
    tools.ForgetStoredChanges();
    tools.Refresh(true);
    status("Restored the backup " + dialog.Chosen() +
           (restored.File().empty()
                ? "."
                : "; the days before are in the backup " + restored.File() + ".") +
           (restored.Words().empty() ? "" : " " + restored.Words()));
}

void LogBookSession::BackUpBeforeChange(const LogBookBackups::BackupStatus& failed) {
    status(failed.Words() + " The change is stored all the same.");
}

// False when the store refused the logbook (and said why); the setting is left alone then.
bool LogBookSession::OpenAndRemember(const std::string& path) {
    if (database->Open(path) == LogBookDatabase::OpenResult::Failed) {
        return false;
    }
    logBookPath = path;
    profile.WriteString(Settings::kSection, Settings::kLogBookKey, path);
    return true;
}

void LogBookSession::SayActivitiesFile() {
    if (!database->IsOpen()) {
        return;
    }
    ActivityStore activities;
    const ActivityStore::Outcome opened = activities.Open(*database, true);
    if (!opened.Ok() && opened.code != ActivityStore::Code::Missing) {
        status(opened.words);
    }
    // Before the user changes any day: what an import planned and wrote is done with.
    if (opened.Ok()) {
        activities.SettleWritten(*database);
    }
}

std::string LogBookSession::Title() const {
    return Settings::TitleFor(database->IsOpen() ? logBookPath : std::string());
}

void LogBookSession::ShowTitle() {
    if (TWindow* frame = owner.Parent()) {
        frame->SetCaption(Title());
    }
}

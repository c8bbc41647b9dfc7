#pragma once
// The logbook the program has open: which one (the command line's, else the one vrl.ini
// remembers, else the default), File > Open, the backup made before its first change in a
// run and before every change of many days, and File > Restore from Backup. Before the
// logbook's days are replaced or weighed, the Log Book is asked about its unsaved days.

#include "store/DateUtility.h"
#include "store/LogBookBackups.h"
#include "store/LogBookDatabase.h"

#include <functional>
#include <memory>
#include <string>

class ErrorReporter;
class TProfile;
class TWindow;
class ToolRegistry;

class LogBookSession {
public:
    using StatusLine = std::function<void(const std::string&)>;

    // owner is the window the session's dialogs belong to, and its parent's caption names
    // the logbook; status puts a line on the status bar.
    LogBookSession(TWindow& owner, TProfile& profile, ErrorReporter& errors, ToolRegistry& tools,
                   StatusLine status);
    ~LogBookSession();

    // Opens startLogBook when given and remembers it, as File > Open does; otherwise, or
    // when it cannot be opened, the remembered logbook. Its activities file waits for
    // AfterStart, so the main window shows without it.
    void Start(const std::string& startLogBook);
    // Once the main window shows, before the user can change a day: what Start left of the
    // open (the activities file said and an import's planned days settled).
    void AfterStart();

    LogBookDatabase& Database() { return *database; }
    const DateUtility& Dates() const { return *dates; }
    // The logbook path opened at start or last switched to.
    const std::string& Path() const { return logBookPath; }
    // The main window's title: the logbook that is open, or that none is (one refused at
    // start, say, because another instance has it).
    std::string Title() const;
    static std::string DefaultLogBookPath();

    // The Log Book asks about its unsaved days: Yes stores them (so a backup made next holds
    // them), No lets them go. False when the user cancels: the logbook is then left as is.
    bool AskAboutUnsavedDays();
    // File > Open.
    void ChooseAndOpen();
    // File > Restore from Backup: the backup the user chooses replaces the open logbook.
    void RestoreFromBackup();
    void Close();

private:
    // The store backs changes up first as its rule says; a backup it could not make is said
    // on the status bar and the change goes ahead.
    void BackUpBeforeChange(const LogBookBackups::BackupStatus& failed);
    bool OpenAndRemember(const std::string& path);
    // Says on the status bar, once an open, when the activities file beside the logbook can
    // only be read or not at all; the logbook works all the same. Settles what an import
    // planned and wrote, before the user changes a day.
    void SayActivitiesFile();
    void ShowTitle();

    TWindow& owner;
    TProfile& profile;
    ErrorReporter& errors;
    ToolRegistry& tools;
    StatusLine status;
    std::unique_ptr<DateUtility> dates;
    std::unique_ptr<LogBookDatabase> database;
    std::string logBookPath;
};

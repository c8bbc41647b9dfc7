#pragma once
// The program started offscreen in a fresh folder (its own current folder and settings),
// with the tools a test registers; message boxes and file dialogs are reset afterwards.
// Prints go to PDF files in the folder's "pdf"; days are stored by their distance from today.

#include "ProgramTools.h"
#include "framework/TFileOpenDialog.h"
#include "framework/TMessageBox.h"
#include "framework/TPrinter.h"
#include "framework/TStatusBar.h"
#include "framework/TWindowHost.h"
#include "framework/UserInput.h"
#include "shell/ClientWindow.h"
#include "shell/MainFrame.h"
#include "shell/TMainApp.h"

#include "store/LogbookFixture.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class ShellFixture : public LogbookFixture {
protected:
    // Registers the tools the test needs; the shell itself knows none.
    virtual void RegisterTools() = 0;

    void SetUp() override {
        LogbookFixture::SetUp();
        previous = std::filesystem::current_path();
        std::filesystem::current_path(folder);
        ::setenv("XDG_CONFIG_HOME", Path("config").c_str(), 1);
        ClientWindow::SetTitleScreenEnabled(false);
        // The program's templates, speed menus and pictures; the tools are the test's own.
        ProgramTools::Register();
        ClientWindow::ClearTools();
        RegisterTools();
        TPrinter::SetPdfFolder(Path("pdf"));
        app = std::make_unique<TMainApp>(argc, argv);
        ASSERT_TRUE(app->Start());
        client = app->Client();
        frame = app->Frame();
        client->Dates().Today(today);
    }
    void TearDown() override {
        EndProgram();
        TMessageBox::ResetScript();
        TFileOpenDialog::ResetScript();
        TPrinter::SetPdfFolder("");
        ::unsetenv("XDG_CONFIG_HOME");
        std::filesystem::current_path(previous);
        LogbookFixture::TearDown();
    }

    template <typename Dialog> static void Register(int resourceId) {
        ClientWindow::RegisterTool(resourceId, [](ClientWindow& c) { return new Dialog(c); });
    }
    // Opens a tool with its menu command, as the user does; the tool's dialog, or null.
    template <typename Dialog> Dialog* Open(int command, int resourceId) {
        UserInput::ChooseMenuItem(*frame, command);
        return dynamic_cast<Dialog*>(client->Tool(resourceId));
    }

    std::string Ini() const { return Path("config/veloria/vrl.ini"); }
    // Settings that name a logbook (none for an empty name).
    void WriteSettings(const std::string& logbook) const {
        std::filesystem::create_directories(Path("config/veloria"));
        Write(Ini(), "[GENERAL INFO]\nVERSION=3.2\nLOGBOOK=" + logbook + "\n");
    }

    // A day this many days from today (negative: before).
    DateValue Shifted(int days) const {
        DateValue d = today;
        if (days >= 0) {
            client->Dates().AddDays(d, days);
        } else {
            client->Dates().SubtractDays(d, -days);
        }
        return d;
    }
    std::int32_t Key(int days) const { return client->Dates().KeyOfDate(Shifted(days)); }
    std::string LongDate(int days) const { return client->Dates().LongDateText(Shifted(days)); }
    void Store(const DayRecord& day) {
        ASSERT_EQ(client->Database().StoreRecord(day), LogBookDatabase::StoreResult::Stored);
    }
    // Days this many days from today, each with a workout that says which.
    void StoreDays(std::initializer_list<int> days) {
        for (const int d : days) {
            DayRecord day = DayRecord::Blank(Key(d));
            std::snprintf(day.workout, sizeof day.workout, "Day %d", d);
            Store(day);
        }
    }
    // What the print folder holds, temporary files included.
    std::vector<std::string> PrintFolder() const {
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(Path("pdf"), error)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // Ends the program and starts it again, after prepare (when given) has changed what it
    // starts on, with startLogBook as the logbook named on its command line (when given);
    // every message box is answered by the test.
    void Restart(const std::function<void()>& prepare = {}, const std::string& startLogBook = {}) {
        EndProgram();
        if (prepare) {
            prepare();
        }
        TMessageBox::ResetScript();
        TMessageBox::QueueAnswers({});
        app = std::make_unique<TMainApp>(argc, argv);
        app->SetStartLogBook(startLogBook);
        ASSERT_TRUE(app->Start());
        client = app->Client();
        frame = app->Frame();
        client->Dates().Today(today);
    }
    // Ends the program, its windows gone; the folder's files stay. Its end asked the loop to
    // quit while none ran, which would end the next program's first modal loop at once; a
    // short run of the loop takes that back.
    void EndProgram() {
        app.reset();
        QApplication::processEvents();
        QTimer::singleShot(0, [] { QApplication::exit(0); });
        QApplication::exec();
    }
    // Runs gesture (a menu choice, a drop) and, once a modal dialog of type D shows, acts
    // with it as the user does; false when none showed.
    template <typename D>
    static bool WhenShown(const std::function<void()>& gesture,
                          const std::function<void(D&)>& act) {
        bool shown = false;
        QTimer poll; // goes with this call
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* link = dynamic_cast<TWindowLink*>(QApplication::activeModalWidget());
            if (auto* dialog = link ? dynamic_cast<D*>(link->Window()) : nullptr;
                dialog && !shown) {
                shown = true;
                act(*dialog);
            }
        });
        poll.start(0);
        gesture();
        return shown;
    }
    std::string StatusText() const { return frame->Status()->MessageText(); }
    // The texts of the message boxes shown so far.
    static std::vector<std::string> Messages() {
        std::vector<std::string> texts;
        for (const auto& shown : TMessageBox::History()) {
            texts.push_back(shown.text);
        }
        return texts;
    }

    int argc = 1;
    char name[8] = "veloria";
    char* argv[2] = {name, nullptr};
    std::filesystem::path previous;
    std::unique_ptr<TMainApp> app;
    ClientWindow* client = nullptr;
    MainFrame* frame = nullptr;
    DateValue today;
};

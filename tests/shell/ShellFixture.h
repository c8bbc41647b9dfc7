#pragma once
// The program started offscreen in a fresh folder (its own current folder and settings),
// with the tools a test registers; message boxes and file dialogs are reset afterwards.

#include "ProgramTools.h"
#include "framework/TFileOpenDialog.h"
#include "framework/TMessageBox.h"
#include "shell/ClientWindow.h"
#include "shell/MainFrame.h"
#include "shell/TMainApp.h"

#include "LogbookFixture.h"

#include <QApplication>

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
        app = std::make_unique<TMainApp>(argc, argv);
        ASSERT_TRUE(app->Start());
        client = app->Client();
        frame = app->Frame();
    }
    void TearDown() override {
        app.reset();
        QApplication::processEvents();
        TMessageBox::ResetScript();
        TFileOpenDialog::ResetScript();
        ::unsetenv("XDG_CONFIG_HOME");
        std::filesystem::current_path(previous);
        LogbookFixture::TearDown();
    }

    // Ends the program and starts it again, after prepare (when given) has changed what it
    // starts on; every message box is answered by the test.
    void Restart(const std::function<void()>& prepare = {}) {
        app.reset();
        QApplication::processEvents();
        if (prepare) {
            prepare();
        }
        TMessageBox::ResetScript();
        TMessageBox::QueueAnswers({});
        app = std::make_unique<TMainApp>(argc, argv);
        ASSERT_TRUE(app->Start());
        client = app->Client();
        frame = app->Frame();
    }
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
};

#pragma once
// File > Logbook Settings: the logbook's default sport, the sport of the days typed without
// activities, picked by its short word from a drop-down. What the user picks is stored in
// the activities file beside the logbook (DefaultSport), so it travels with the logbook.

#include "framework/TDialog.h"

#include <string>

class ClientWindow;

class LogbookSettingsDialog : public TDialog {
public:
    // Controls of the dialog's template.
    static constexpr int kSport = 101;

    // current is the stored sport's English name.
    LogbookSettingsDialog(TWindow* parent, std::string current);
    static void RegisterTemplate();
    // The template, and File > Logbook Settings with the shell, enabled while a logbook is
    // open.
    static void Register();
    // Shows the dialog for the open logbook and stores a sport the user changed; a file that
    // may not be changed is said, and the sport stays as it was.
    static void Show(ClientWindow& client);

    // The English name of the sport chosen, once OK closed the dialog.
    const std::string& Chosen() const { return chosen; }

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    std::string current;
    std::string chosen;
};

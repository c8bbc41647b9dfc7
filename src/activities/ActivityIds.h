#pragma once
// The numbers of the activities' windows: the File menu's commands and the dialogs'
// templates, clear of the shell's and the tools' numbers.

#include "shell/CommandIds.h"
#include "shell/ResourceIds.h"

namespace activity {
constexpr int kImportCommand = 1231;                    // File > Import Activities...
constexpr int kImportDialog = 21;                       // the preview
constexpr int kReadingDialog = 22;                      // the reading box
constexpr int kSettingsCommand = cmd::kLogbookSettings; // File > Logbook Settings...
constexpr int kSettingsDialog = res::kLogbookSettingsDialog;
} // namespace activity

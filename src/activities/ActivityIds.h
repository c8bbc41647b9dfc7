#pragma once
// The numbers of the import's windows: its File menu command and its dialogs' templates,
// clear of the shell's and the tools' numbers.

namespace activity {
constexpr int kImportCommand = 1240; // File > Import Activities...
constexpr int kImportDialog = 30;    // the preview
constexpr int kReadingDialog = 31;   // the reading box
} // namespace activity

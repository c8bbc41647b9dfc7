#pragma once
// The program's file-open dialog: captioned "Select File" (or what a command names it) and
// centred on the screen.

#include "framework/TFileOpenDialog.h"

#include <string>

class OpenFileDialog : public TFileOpenDialog {
public:
    OpenFileDialog(TWindow* parent, TData& data, std::string title = "Select File");

    // One file chosen into result (at most 511 characters): 1, or 0 when none was. The
    // flags and the filter are TFileOpenDialog's; the pattern is the custom filter.
    static int Select(TWindow* parent, std::string& result, unsigned flags,
                      const std::string& pattern, const std::string& defaultExt,
                      const std::string& initialDir, const std::string& initialName,
                      const std::string& filter);

protected:
    void SetupDialog(QWidget* dialog) override;
};

#pragma once
// The program's file-open dialog: captioned "Select File" (or what a command names it) and
// centred on the screen.

#include "framework/TFileOpenDialog.h"

#include <string>

class OpenFileDialog : public TFileOpenDialog {
public:
    OpenFileDialog(TWindow* parent, TData& data, std::string title = "Select File");

protected:
    void SetupDialog(QWidget* dialog) override;
};

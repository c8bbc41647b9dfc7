#pragma once
// The program's file-open dialog: captioned "Select File" and centred on the screen.

#include "framework/TFileOpenDialog.h"

class OpenFileDialog : public TFileOpenDialog {
public:
    OpenFileDialog(TWindow* parent, TData& data);

protected:
    void SetupDialog(QWidget* dialog) override;
};

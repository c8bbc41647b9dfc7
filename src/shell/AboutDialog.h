#pragma once
// The About box: the program's picture with its name, version and notice, and OK.

#include "framework/TDialog.h"

class AboutDialog : public TDialog {
public:
    explicit AboutDialog(TWindow* parent);

protected:
    void SetupWindow() override;
};

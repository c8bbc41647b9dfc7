#pragma once
// The base of the program's tool dialogs: a dialog of a resource that tells the client
// window when it is destroyed.

#include "framework/TDialog.h"

class ClientWindow;

class ToolDialog : public TDialog {
public:
    ToolDialog(ClientWindow& client, int resourceId);

    ClientWindow& Client() const { return client; }

protected:
    void SetupWindow() override;
    void CleanupWindow() override;
    // The tool's speed menu, when the press is on the dialog's own surface.
    void EvRButtonDown(TPoint point) override;

private:
    ClientWindow& client;
};

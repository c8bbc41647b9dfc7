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
    void CleanupWindow() override;

private:
    ClientWindow& client;
};

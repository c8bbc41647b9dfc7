#pragma once
// The base of the program's tool dialogs: a dialog of a resource that tells the client
// window when it is destroyed. The large tools' pages close by their button 111 (through
// CanClose, as OK does) and open their speed menu on a right-button press.

#include "framework/TDialog.h"
#include "shell/PrintableTool.h"
#include "shell/ToolButton.h"

class ClientWindow;

class ToolDialog : public TDialog, public PrintableTool {
public:
    // The close button of the large tools' pages.
    static constexpr int kClose = kCloseButton.id;

    ToolDialog(ClientWindow& client, int resourceId);

    ClientWindow& Client() const { return client; }
    // What File > Print puts on the sheet: the window's own paint, unless the tool adds to it.
    void PaintForPrinting(TDC& dc, const TRect& area) override;

protected:
    void SetupWindow() override;
    void CleanupWindow() override;
    // The tool's speed menu, when the press is on the dialog's own surface.
    void EvRButtonDown(TPoint point) override;

private:
    ClientWindow& client;
};

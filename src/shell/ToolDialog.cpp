#include "shell/ToolDialog.h"

#include "shell/ClientWindow.h"
#include "shell/ResourceIds.h"
#include "shell/ToolPage.h"

ToolDialog::ToolDialog(ClientWindow& client, int resourceId)
    : TDialog(&client, resourceId), client(client) {
    if (ToolPage::SpeedMenuIndex(resourceId) >= 0) {
        OnCommand(kClose, [this] { CmOk(); });
    }
}

void ToolDialog::SetupWindow() {
    TDialog::SetupWindow();
    // A button does something only when the tool handles its command.
    for (const TControlTemplate& c : Template().controls) {
        if (c.kind == TControlKind::BitmapButton && !HandlesCommand(c.id)) {
            EnableDlgItem(c.id, false);
        }
    }
}

void ToolDialog::CleanupWindow() {
    client.ToolClosed(ResourceId());
}

void ToolDialog::EvRButtonDown(TPoint point) {
    const int index = ToolPage::SpeedMenuIndex(ResourceId());
    if (index >= 0) {
        TrackSpeedMenu(res::kSpeedMenus, index, point);
    }
}

void ToolDialog::PaintForPrinting(TDC& dc, const TRect& area) {
    PaintTo(dc, false, area);
}

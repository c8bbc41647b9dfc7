#include "app/ToolDialog.h"

#include "app/ClientWindow.h"
#include "app/ResourceIds.h"
#include "app/ToolTemplates.h"

ToolDialog::ToolDialog(ClientWindow& client, int resourceId)
    : TDialog(&client, resourceId), client(client) {}

void ToolDialog::SetupWindow() {
    TDialog::SetupWindow();
    // A button does something only when the tool handles its command.
    for (const TControlTemplate& c : Template().controls) {
        if (c.kind == TControlKind::BitmapButton && !HandlesCommand(c.id)) {
            EnableDlgItem(c.id, false);
        }
    }
}

void ToolDialog::CleanupWindow() { client.ToolClosed(ResourceId()); }

void ToolDialog::EvRButtonDown(TPoint point) {
    const int index = ToolTemplates::SpeedMenuIndex(ResourceId());
    if (index >= 0) {
        TrackSpeedMenu(res::kSpeedMenus, index, point);
    }
}

#include "app/ToolDialog.h"

#include "app/ClientWindow.h"

ToolDialog::ToolDialog(ClientWindow& client, int resourceId)
    : TDialog(&client, resourceId), client(client) {}

void ToolDialog::CleanupWindow() { client.ToolClosed(ResourceId()); }

// Veloria: a training log for athletes.
#include "app/ClientWindow.h"
#include "app/ResourceIds.h"
#include "app/TMainApp.h"
#include "app/ToolDialog.h"

int main(int argc, char** argv) {
    TMainApp app(argc, argv);
    for (const int tool : {res::kLogBookDialog, res::kCalendarDialog, res::kGraphsDialog,
                           res::kStatsDialog, res::kReportsDialog}) {
        ClientWindow::RegisterTool(tool, [tool](ClientWindow& client) { return new ToolDialog(client, tool); });
    }
    return app.Run();
}

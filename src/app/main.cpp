// Veloria: a training log for athletes.
#include "app/CalculatorDialog.h"
#include "app/ClientWindow.h"
#include "app/HRateDialog.h"
#include "app/ResourceIds.h"
#include "app/TMainApp.h"
#include "app/ToolDialog.h"

int main(int argc, char** argv) {
    TMainApp app(argc, argv);
    for (const int tool : {res::kLogBookDialog, res::kCalendarDialog, res::kGraphsDialog,
                           res::kStatsDialog, res::kReportsDialog}) {
        ClientWindow::RegisterTool(tool, [tool](ClientWindow& client) { return new ToolDialog(client, tool); });
    }
    ClientWindow::RegisterTool(res::kCalculatorDialog, [](ClientWindow& c) { return new CalculatorDialog(c); });
    ClientWindow::RegisterTool(res::kHRateDialog, [](ClientWindow& c) { return new HRateDialog(c); });
    return app.Run();
}

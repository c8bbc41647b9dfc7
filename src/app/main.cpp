// Veloria: a training log for athletes.
#include "app/CalcDTPDialog.h"
#include "app/CalculatorDialog.h"
#include "app/ClientWindow.h"
#include "app/FindDialog.h"
#include "app/HRateDialog.h"
#include "app/LogBookDialog.h"
#include "app/ResourceIds.h"
#include "app/TMainApp.h"
#include "app/ToolDialog.h"
#include "store/ProcessStart.h"

int main(int argc, char** argv) {
    ProcessStart::Prepare(); // before any file is opened: see ProcessStart.h
    TMainApp app(argc, argv);
    ClientWindow::RegisterTool(res::kLogBookDialog, [](ClientWindow& client) { return new LogBookDialog(client); });
    ClientWindow::RegisterTool(res::kFindDialog, [](ClientWindow& client) { return new FindDialog(client); });
    ClientWindow::RegisterTool(res::kCalcDTPDialog, [](ClientWindow& client) { return new CalcDTPDialog(client); });
    for (const int tool : {res::kCalendarDialog, res::kGraphsDialog, res::kStatsDialog, res::kReportsDialog}) {
        ClientWindow::RegisterTool(tool, [tool](ClientWindow& client) { return new ToolDialog(client, tool); });
    }
    ClientWindow::RegisterTool(res::kCalculatorDialog, [](ClientWindow& c) { return new CalculatorDialog(c); });
    ClientWindow::RegisterTool(res::kHRateDialog, [](ClientWindow& c) { return new HRateDialog(c); });
    return app.Run();
}

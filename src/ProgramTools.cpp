#include "ProgramTools.h"

#include "activities/ActivityImportFlow.h"
#include "activities/LogbookSettingsDialog.h"
#include "art/BakedArt.h"
#include "editor/CalcDTPDialog.h"
#include "editor/FindDialog.h"
#include "editor/LogBookDialog.h"
#include "gear/GearDialog.h"
#include "goals/GoalsFlow.h"
#include "load/TrainingLoadDialog.h"
#include "records/RecordsDialog.h"
#include "reports/ReportsDialog.h"
#include "shell/ClientWindow.h"
#include "shell/ResourceIds.h"
#include "summary/SummaryDialog.h"
#include "tools/CalculatorDialog.h"
#include "tools/HRateDialog.h"
#include "views/CalendarDialog.h"
#include "views/GraphsDialog.h"
#include "views/StatsDialog.h"

namespace {

template <typename Dialog> void Add(int resourceId) {
    Dialog::RegisterTemplate();
    ClientWindow::RegisterTool(resourceId, [](ClientWindow& client) { return new Dialog(client); });
}

} // namespace

void ProgramTools::Register() {
    BakedArt::Install();
    Add<LogBookDialog>(res::kLogBookDialog);
    Add<CalendarDialog>(res::kCalendarDialog);
    Add<GraphsDialog>(res::kGraphsDialog);
    Add<StatsDialog>(res::kStatsDialog);
    Add<ReportsDialog>(res::kReportsDialog);
    Add<SummaryDialog>(res::kSummaryDialog);
    Add<TrainingLoadDialog>(res::kTrainingLoadDialog);
    Add<RecordsDialog>(res::kRecordsDialog);
    Add<FindDialog>(res::kFindDialog);
    Add<CalcDTPDialog>(res::kCalcDTPDialog);
    Add<CalculatorDialog>(res::kCalculatorDialog);
    Add<HRateDialog>(res::kHRateDialog);
    Add<GearDialog>(res::kGearDialog);
    ClientWindow::RegisterOpenedNotice(GearDialog::Notice);
    ActivityImportFlow::Register();
    LogbookSettingsDialog::Register();
    GoalsFlow::Register();
}

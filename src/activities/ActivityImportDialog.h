#pragma once
// The preview of an import of activity files: every day read, with what it does to the
// logbook (new, replaces an entry, entry kept) with its files and notes, and every file or
// activity left out with its reason, all as the plan's texts say them.
// The unit and the choice for days that hold entries decide the plan anew as they change.
// Import ends the dialog with kIdOk; storing the plan's records is the caller's.

#include "activities/ActivityImportPlan.h"
#include "framework/TDialog.h"

#include <string>

class ActivityStore;
class DateUtility;
class LogBookDatabase;

class ActivityImportDialog : public TDialog {
public:
    // Controls of the dialog's template.
    static constexpr int kSummary = 101;
    static constexpr int kHeader = 102;
    static constexpr int kDays = 103;
    static constexpr int kLeftOutLabel = 104;
    static constexpr int kLeftOut = 105;
    static constexpr int kKilometres = 106;
    static constexpr int kMiles = 107;
    static constexpr int kKeepEntries = 108;
    static constexpr int kReplaceEntries = 109;
    static constexpr int kImport = TDialog::kIdOk;

    // The plan, read already, is weighed against the open logbook and its activities (each
    // may be nullptr for none), and is left decided as the dialog last showed it.
    ActivityImportDialog(TWindow* parent, ActivityImportPlan& plan, LogBookDatabase* logbook,
                         const ActivityStore* stored, ActivityDays::Unit unit,
                         const DateUtility& dates);
    static void RegisterTemplate();

    ActivityDays::Unit Unit() const { return unit; }

    // A day's row and the line above the rows, in columns of a fixed-pitch font.
    static std::string Row(const ActivityImportPlan::PlannedDay& planned, ActivityDays::Unit unit,
                           const DateUtility& dates);
    static std::string Header();

protected:
    void SetupWindow() override;

private:
    void Decide();

    ActivityImportPlan& plan;
    LogBookDatabase* logbook;
    const ActivityStore* stored;
    ActivityDays::Unit unit;
    ActivityImportPlan::Existing existing = ActivityImportPlan::Existing::Skip;
    const DateUtility& dates;
};

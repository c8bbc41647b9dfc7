#include "editor/CalcDTPDialog.h"

#include "editor/DayForm.h"
#include "editor/DtpCalculation.h"
#include "editor/LogBookDialog.h"
#include "framework/TResources.h"
#include "shell/ClientWindow.h"
#include "shell/ResourceIds.h"

namespace {

// The Log Book's boxes for the same four values.
constexpr int kEditorDistance = LogBookDialog::kFirstBox + DayForm::kDistance;
constexpr int kEditorTime = LogBookDialog::kFirstBox + DayForm::kTime;
constexpr int kEditorPace = LogBookDialog::kFirstBox + DayForm::kPace;
constexpr int kEditorSpeed = LogBookDialog::kFirstBox + DayForm::kSpeed;

} // namespace

void CalcDTPDialog::RegisterTemplate() {
    using K = TControlKind;
    using C = TControlTemplate;
    const auto label = [](int x, int y, int cx, const char* text) {
        return TControlTemplate{K::Static, -1, x, y, cx, 8, text, 0, 0};
    };
    TDialogTemplate t;
    t.cx = 164;
    t.cy = 100;
    t.caption = "Calculate Distance, Time, Pace...";
    t.controls = {
        label(10, 10, 40, "Distance:"),
        {K::Edit, kDistance, 56, 8, 98, 12, "", 0, kBoxLimit},
        label(10, 26, 40, "Time:"),
        {K::Edit, kTime, 56, 24, 98, 12, "", 0, kBoxLimit},
        label(10, 42, 40, "Pace:"),
        {K::Edit, kPace, 56, 40, 98, 12, "", 0, kBoxLimit},
        label(10, 58, 40, "Speed:"),
        {K::Edit, kSpeed, 56, 56, 98, 12, "", C::kDisabled, kBoxLimit},
        {K::Button, kCalculate, 8, 78, 46, 14, "Calculate", C::kDefault, 0},
        {K::Button, kClear, 59, 78, 46, 14, "Clear", 0, 0},
        {K::Button, kApply, 110, 78, 46, 14, "Apply", 0, 0},
    };
    TResources::AddDialog(res::kCalcDTPDialog, t);
}

CalcDTPDialog::CalcDTPDialog(ClientWindow& client) : ToolDialog(client, res::kCalcDTPDialog) {
    OnCommand(kCalculate, [this] { Calculate(); });
    OnCommand(kClear, [this] { Clear(); });
    OnCommand(kApply, [this] { Apply(); });
}

void CalcDTPDialog::SetupWindow() {
    ToolDialog::SetupWindow();
    const TDialog* editor = Client().Tool(res::kLogBookDialog);
    if (!editor) {
        return;
    }
    const DateUtility& dates = Client().Dates();
    SetDlgItemText(kDistance,
                   DayForm::Decimal(DayForm::ReadNumber(editor->GetDlgItemText(kEditorDistance))));
    SetDlgItemText(kTime, DayForm::NormalisedDuration(editor->GetDlgItemText(kEditorTime), dates));
    SetDlgItemText(kPace, DayForm::NormalisedDuration(editor->GetDlgItemText(kEditorPace), dates));
    SetDlgItemText(kSpeed,
                   DayForm::Decimal(DayForm::ReadNumber(editor->GetDlgItemText(kEditorSpeed))));
}

void CalcDTPDialog::Calculate() {
    const DateUtility& dates = Client().Dates();
    const auto seconds = [&](int id) {
        return static_cast<float>(
            dates.SecondsOfDurationText(DayForm::NormalisedDuration(GetDlgItemText(id), dates)));
    };
    DtpCalculation values;
    values.distance = DayForm::ReadNumber(GetDlgItemText(kDistance));
    values.time = seconds(kTime);
    values.pace = seconds(kPace);
    if (!values.Calculate()) {
        Client().ReportError(DtpCalculation::kTooFewValues);
        return;
    }
    SetDlgItemText(kDistance, DayForm::Decimal(values.distance));
    SetDlgItemText(kTime, dates.DurationText(DtpCalculation::WholeSeconds(values.time)));
    SetDlgItemText(kPace, dates.DurationText(DtpCalculation::WholeSeconds(values.pace)));
    SetDlgItemText(kSpeed, DayForm::Decimal(values.speed));
}

void CalcDTPDialog::Clear() {
    for (const int id : {kDistance, kTime, kPace, kSpeed}) {
        SetDlgItemText(id, "");
    }
}

void CalcDTPDialog::Apply() {
    TDialog* editor = Client().Tool(res::kLogBookDialog);
    if (!editor) {
        Client().ReportError(DtpCalculation::kEditorClosed);
        return;
    }
    const DateUtility& dates = Client().Dates();
    editor->SetDlgItemText(kEditorDistance,
                           DayForm::Decimal(DayForm::ReadNumber(GetDlgItemText(kDistance))));
    editor->SetDlgItemText(kEditorTime, DayForm::NormalisedDuration(GetDlgItemText(kTime), dates));
    editor->SetDlgItemText(kEditorPace, DayForm::NormalisedDuration(GetDlgItemText(kPace), dates));
    editor->SetDlgItemText(kEditorSpeed,
                           DayForm::Decimal(DayForm::ReadNumber(GetDlgItemText(kSpeed))));
}

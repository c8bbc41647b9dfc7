#include "app/CalcDTPDialog.h"

#include "app/ClientWindow.h"
#include "app/DayForm.h"
#include "app/DtpCalculation.h"
#include "app/ResourceIds.h"

namespace {

constexpr int kDistance = 104;
constexpr int kTime = 105;
constexpr int kPace = 106;
constexpr int kSpeed = 107;

// The Log Book's boxes for the same four values.
constexpr int kEditorDistance = 500;
constexpr int kEditorTime = 501;
constexpr int kEditorPace = 502;
constexpr int kEditorSpeed = 510;

} // namespace

CalcDTPDialog::CalcDTPDialog(ClientWindow& client) : ToolDialog(client, res::kCalcDTPDialog) {
    OnCommand(101, [this] { Calculate(); });
    OnCommand(102, [this] { Clear(); });
    OnCommand(103, [this] { Apply(); });
}

void CalcDTPDialog::SetupWindow() {
    ToolDialog::SetupWindow();
    const TDialog* editor = Client().Tool(res::kLogBookDialog);
    if (!editor) {
        return;
    }
    const DateUtility& dates = Client().Dates();
    SetDlgItemText(kDistance, DayForm::Decimal(DayForm::ReadNumber(editor->GetDlgItemText(kEditorDistance))));
    SetDlgItemText(kTime, DayForm::NormalisedDuration(editor->GetDlgItemText(kEditorTime), dates));
    SetDlgItemText(kPace, DayForm::NormalisedDuration(editor->GetDlgItemText(kEditorPace), dates));
    SetDlgItemText(kSpeed, DayForm::Decimal(DayForm::ReadNumber(editor->GetDlgItemText(kEditorSpeed))));
}

void CalcDTPDialog::Calculate() {
    const DateUtility& dates = Client().Dates();
    const auto seconds = [&](int id) {
        return static_cast<float>(dates.SecondsOfDurationText(DayForm::NormalisedDuration(GetDlgItemText(id), dates)));
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
    editor->SetDlgItemText(kEditorDistance, DayForm::Decimal(DayForm::ReadNumber(GetDlgItemText(kDistance))));
    editor->SetDlgItemText(kEditorTime, DayForm::NormalisedDuration(GetDlgItemText(kTime), dates));
    editor->SetDlgItemText(kEditorPace, DayForm::NormalisedDuration(GetDlgItemText(kPace), dates));
    editor->SetDlgItemText(kEditorSpeed, DayForm::Decimal(DayForm::ReadNumber(GetDlgItemText(kSpeed))));
}

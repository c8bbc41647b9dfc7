#include "editor/CalcDTPDialog.h"

#include "editor/DayForm.h"
#include "editor/DtpCalculation.h"
#include "editor/LogBookDialog.h"
#include "framework/TMessageBox.h"
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
    // A text the Log Book would refuse comes over as it stands, to be refused here too
    // rather than shown as some other value.
    const auto take = [&](int id, int box, auto written) {
        const std::string text = editor->GetDlgItemText(LogBookDialog::kFirstBox + box);
        SetDlgItemText(id, DayForm::Refusal(box, text, dates).empty() ? written(text) : text);
    };
    const auto number = [](const std::string& text) {
        return DayForm::Decimal(DayForm::ReadNumber(text));
    };
    const auto duration = [&](const std::string& text) {
        return dates.DurationText(DayForm::ReadSeconds(text, dates));
    };
    take(kDistance, DayForm::kDistance, number);
    take(kTime, DayForm::kTime, duration);
    take(kPace, DayForm::kPace, duration);
    take(kSpeed, DayForm::kSpeed, number);
}

bool CalcDTPDialog::Refused(int id, int box) {
    const std::string problem = DayForm::Refusal(box, GetDlgItemText(id), Client().Dates());
    if (problem.empty()) {
        return false;
    }
    TMessageBox::Show(this, problem, "MESSAGE", TMessageBox::Buttons::Ok,
                      TMessageBox::Icon::Exclamation);
    SetDlgItemFocus(id);
    return true;
}

bool CalcDTPDialog::AnyRefused() {
    return Refused(kDistance, DayForm::kDistance) || Refused(kTime, DayForm::kTime) ||
           Refused(kPace, DayForm::kPace);
}

void CalcDTPDialog::Calculate() {
    if (AnyRefused()) {
        return;
    }
    const DateUtility& dates = Client().Dates();
    DtpCalculation values;
    values.distance = DayForm::ReadNumber(GetDlgItemText(kDistance));
    values.time = static_cast<float>(DayForm::ReadSeconds(GetDlgItemText(kTime), dates));
    values.pace = static_cast<float>(DayForm::ReadSeconds(GetDlgItemText(kPace), dates));
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
    if (AnyRefused()) {
        return;
    }
    const DateUtility& dates = Client().Dates();
    const auto seconds = [&](int id) {
        return dates.DurationText(DayForm::ReadSeconds(GetDlgItemText(id), dates));
    };
    editor->SetDlgItemText(kEditorDistance,
                           DayForm::Decimal(DayForm::ReadNumber(GetDlgItemText(kDistance))));
    editor->SetDlgItemText(kEditorTime, seconds(kTime));
    editor->SetDlgItemText(kEditorPace, seconds(kPace));
    editor->SetDlgItemText(kEditorSpeed,
                           DayForm::Decimal(DayForm::ReadNumber(GetDlgItemText(kSpeed))));
}

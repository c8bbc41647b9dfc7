#include "tools/HRateDialog.h"

#include "framework/TDC.h"
#include "framework/TResources.h"
#include "shell/ResourceIds.h"

HRateDialog::HRateDialog(ClientWindow& client)
    : ToolDialog(client, res::kHRateDialog), gauge(this, -1, 15, 152, 372, 21) {
    // An idle bar is light grey, the dialog's own colour.
    gauge.SetColor(TColor::LightGray());
    gauge.SetValue(0);
    AddAutoCreateChild(gauge);
    const struct {
        int id;
        int minutes;
        int seconds;
    } periods[] = {{k15Seconds, 0, 15}, {k30Seconds, 0, 30}, {k1Minute, 1, 0},
                   {k90Seconds, 1, 30}, {k2Minutes, 2, 0},   {k3Minutes, 3, 0}};
    for (const auto& p : periods) {
        OnCommand(p.id, [this, p] { Start(p.minutes, p.seconds); });
    }
    OnCommand(kStop, [this] { Stop(); });
    OnCommand(kReset, [this] { Reset(); });
}

void HRateDialog::StopTimers() {
    KillTimer(res::kCountdownTimer);
    KillTimer(res::kProgressTimer);
}

void HRateDialog::Start(int minutes, int seconds) {
    StopTimers();
    countdown.Start(minutes, seconds);
    // The bar keeps its old length until the first tenth of a second has passed.
    gauge.SetRange(0, countdown.GaugeMaximum());
    gauge.SetColor(TColor::Purple());
    InvalidateRect(kDigitRect, false);
    SetTimer(res::kCountdownTimer, 1000);
    SetTimer(res::kProgressTimer, 100);
}

void HRateDialog::Stop() {
    StopTimers();
    countdown.Stop();
}

void HRateDialog::Reset() {
    StopTimers();
    countdown.Reset();
    gauge.SetValue(0);
    gauge.SetColor(TColor::LightGray());
    InvalidateRect(kDigitRect, false);
}

void HRateDialog::EvTimer(int id) {
    if (id == res::kCountdownTimer) {
        if (!countdown.TickSecond()) {
            Reset();
            return;
        }
        InvalidateRect(kDigitRect, false);
    } else if (id == res::kProgressTimer) {
        gauge.SetValue(countdown.TickTenth());
    }
}

void HRateDialog::Paint(TDC& dc, bool, const TRect&) {
    const std::string text = countdown.Text();
    int x = kDigitRect.left;
    for (const char c : text) {
        const int cell = c == ':' ? kColonCell : c - '0';
        dc.DrawBitmapCell(res::kHRateDigits,
                          TRect{cell * kCellWidth, 0, (cell + 1) * kCellWidth, kCellHeight},
                          TPoint{x, kDigitRect.top});
        x += kCellWidth;
    }
}

void HRateDialog::RegisterTemplate() {
    using K = TControlKind;
    TDialogTemplate t;
    t.cx = 268;
    t.cy = 158;
    t.caption = "Heart Rate Timer";
    t.controls = {
        {K::GroupBox, -1, 8, 4, 252, 84, "", 0, 0},
        {K::GroupBox, -1, 8, 88, 252, 20, "", 0, 0},
        {K::Button, k15Seconds, 8, 116, 50, 14, "15 S", TControlTemplate::kDefault, 0},
        {K::Button, k30Seconds, 64, 116, 50, 14, "30 S", 0, 0},
        {K::Button, k1Minute, 120, 116, 50, 14, "1 M", 0, 0},
        {K::Button, k90Seconds, 8, 136, 50, 14, "1.5 M", 0, 0},
        {K::Button, k2Minutes, 64, 136, 50, 14, "2 M", 0, 0},
        {K::Button, k3Minutes, 120, 136, 50, 14, "3 M", 0, 0},
        {K::Button, kStop, 208, 116, 50, 14, "STOP", 0, 0},
        {K::Button, kReset, 208, 136, 50, 14, "RESET", 0, 0},
    };
    TResources::AddDialog(res::kHRateDialog, t);
}

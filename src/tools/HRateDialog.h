#pragma once
// The heart-rate timer (dialog 10, "Heart Rate Timer"): six period buttons, STOP and
// RESET. Timer 6000 counts the period down once a second in the digit pictures of bitmap
// 801; timer 7000 fills the progress bar every tenth of a second. HeartRateCountdown keeps
// the time; this dialog drives it and shows it.

#include "framework/TGauge.h"
#include "shell/ToolDialog.h"
#include "tools/HeartRateCountdown.h"

class HRateDialog : public ToolDialog {
public:
    static constexpr int k15Seconds = 102;
    static constexpr int k30Seconds = 103;
    static constexpr int k1Minute = 104;
    static constexpr int k90Seconds = 105;
    static constexpr int k2Minutes = 106;
    static constexpr int k3Minutes = 107;
    static constexpr int kReset = 108;
    static constexpr int kStop = 109;

    static constexpr TRect kDigitRect{14, 16, 389, 141};
    static constexpr int kCellWidth = 75;
    static constexpr int kCellHeight = 125;
    static constexpr int kColonCell = 10;

    explicit HRateDialog(ClientWindow& client);

    // Dialog template 10.
    static void RegisterTemplate();
    const HeartRateCountdown& Countdown() const { return countdown; }
    const TGauge& Gauge() const { return gauge; }

protected:
    void EvTimer(int id) override;
    void Paint(TDC& dc, bool erase, const TRect& area) override;

private:
    void StopTimers();
    void Start(int minutes, int seconds);
    void Stop();
    void Reset();

    HeartRateCountdown countdown;
    TGauge gauge;
};

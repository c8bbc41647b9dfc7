#pragma once
// The bar at the bottom of the frame: a message area where hints appear, the gadgets
// inserted after it, and the CAPS, NUM and OVR indicators. CAPS and NUM show the lock state
// the display server reports, taken at start, after each lock key and whenever the bar's
// window is activated; where the server reports none they start off and follow the lock
// keys the program sees. OVR has no lock behind it: Insert toggles it.

#include "framework/TControlBar.h"
#include "framework/TTextGadget.h"

class TStatusBar : public TControlBar {
public:
    static constexpr unsigned kCapsLock = 0x1;
    static constexpr unsigned kNumLock = 0x2;
    static constexpr unsigned kOvertype = 0x4;

    TStatusBar(TWindow* parent, TGadget::Border border, unsigned modeIndicators,
               TGadgetWindowFont font = {});
    ~TStatusBar() override;

    void SetText(const std::string& utf8);
    std::string MessageText() const;
    // The indicators' state; the keys toggle them (Insert toggles overtype).
    bool ModeOn(unsigned indicator) const;
    void SetMode(unsigned indicator, bool on);
    // Takes CAPS and NUM from the display server; false where it reports nothing.
    bool SyncLocks();

protected:
    void SetupWindow() override;

private:
    void ShowModes();

    TGadget::Border border;
    unsigned indicators;
    unsigned modes = 0;
    TTextGadget* message = nullptr;
    std::unique_ptr<TTextGadget> modeGadgets[3];
    class QObject* keyWatcher = nullptr;
};

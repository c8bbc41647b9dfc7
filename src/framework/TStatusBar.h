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

    // The message: what the program last said, shown whenever no hint is up.
    void SetText(const std::string& utf8);
    std::string MessageText() const;
    // A menu item's or tool button's hint, shown over the message while the item is
    // highlighted or the pointer is on the button; "" takes it down and the message shows
    // again (one said meanwhile included).
    void SetHint(const std::string& utf8);
    // What the message area shows: the hint while one is up, else the message.
    std::string ShownText() const;
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
    std::string text;
    std::string hint;
    std::unique_ptr<TTextGadget> modeGadgets[3];
    class QObject* keyWatcher = nullptr;
};

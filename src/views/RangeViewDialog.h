#pragma once
// The base of the views with a date range (Graphs, Statistics, Reports): the day-type and
// date-step buttons, the header statics that show the selection, the named ranges and the
// Dates dialog on the speed menu, and the deferred reload. A date step held down repeats:
// after 400 ms, then 20 steps a second, until it comes up.
// A change restarts the view's 500 ms timer, so a burst of clicks costs one reload; until
// it fires the header shows the new selection and the view the one it last loaded. The
// logbook-changed message reloads at once.

#include "framework/TDialogTemplate.h"
#include "shell/ToolButton.h"
#include "shell/ToolDialog.h"
#include "store/DateRangePreset.h"
#include "views/ViewSelection.h"

#include <cstdint>
#include <span>
#include <vector>

class RangeViewDialog : public ToolDialog {
public:
    // Where the views draw, in client pixels.
    static constexpr TRect kViewRect{16, 81, 491, 317};
    static constexpr int kReloadDelay = 500;
    static constexpr int kRepeatDelay = 400;
    static constexpr int kRepeatPeriod = 50;

    // What a view puts on the page they share: the page grid with the range header, the
    // view's header statics (its day type's among them), the work area, the dip line, the
    // view's controls in tab order and the date steps down the right.
    struct RangePage {
        std::vector<TControlTemplate> headerStatics;
        TControlTemplate divider;
        std::vector<TControlTemplate> controls;
    };
    // Registers the view's dialog template and its speed menu.
    static void RegisterPage(int resourceId, const RangePage& page, const char* menuTitle,
                             std::span<const ToolButton> buttons);

    RangeViewDialog(ClientWindow& client, int resourceId, int reloadTimer);

    const ViewSelection& Selection() const { return selection; }
    // The selection as last loaded: its index positions and its number of days.
    const std::vector<std::int32_t>& Positions() const { return positions; }
    int LoadedDays() const { return loadedDays; }
    // How often the view has read the index (a burst of steps reads it once).
    int Reloads() const { return reloads; }

    // For tests and benchmarks: a range chosen outright (no button reaches it in one go),
    // loaded at once. False, and nothing changes, when the range breaks the limits.
    bool SelectRange(const DateValue& first, const DateValue& last);

protected:
    void SetupWindow() override;
    void EvTimer(int id) override;
    // A hold let go off its button leaves no click to take back: the menu's steps count.
    void EvRButtonDown(TPoint point) override;
    // Reads the selection's positions and redraws the view; Reports lays its pages out.
    virtual void Reload();
    ViewSelection& MutableSelection() { return selection; }
    // A change of the selection: the header shows it, the view follows after the pause.
    void Changed();
    virtual void ShowHeader();

private:
    using StepFunction = bool (ViewSelection::*)();
    void Step(StepFunction step);
    // A range chosen from the speed menu or the Dates dialog, loaded at once.
    void ShowRange(const DayRange& range);

    // The date step held down, and whether it has repeated (its click then adds none).
    StepFunction held = nullptr;
    bool repeated = false;

    int reloadTimer;
    ViewSelection selection;
    std::vector<std::int32_t> positions;
    int loadedDays = 0;
    int reloads = 0;
};

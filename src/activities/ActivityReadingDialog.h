#pragma once
// The box shown while many activity files, or one large one, are read: how far the reading
// has come, and Cancel. It follows the import plan's progress and runs the program's events between the
// files, so the windows stay drawn and Cancel can be pressed.

#include "framework/TDialog.h"
#include "framework/TGauge.h"

#include <cstddef>

class ActivityReadingDialog : public TDialog {
public:
    // Controls of the dialog's template.
    static constexpr int kText = 101;
    // Fewer files are read without the box: it would only flash.
    static constexpr std::size_t kManyFiles = 10;
    // The plan asks again every 256 KiB within a file: a file still read after this many asks
    // (4 MiB, a compressed one perhaps far more) shows the box too, so it can be cancelled.
    static constexpr int kLongFile = 16;

    explicit ActivityReadingDialog(TWindow* parent);
    static void RegisterTemplate();

    // The plan's progress, before each file and while one is read: shows the box when many
    // files are to be read or one takes long, and moves its bar. False once Cancel was pressed or the program is ending.
    bool Step(std::size_t done, std::size_t total);
    // Takes the box down, when it was shown.
    void Finish();
    const TGauge& Gauge() const { return gauge; }

protected:
    void CmCancel() override;
    bool CanClose() override;

private:
    TGauge gauge;
    bool shown = false;
    bool cancelled = false;
    std::size_t file = 0; // the file the last asks were about
    int asks = 0;         // how often it was asked about that file
};

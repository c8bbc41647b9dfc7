#pragma once
// The pocket calculator (dialog 2, "Calculator"): binds its 42 keys to CalculatorEngine
// and paints the engine's display with the digit pictures of bitmap 802, right-aligned on
// the grey display.

#include "shell/ToolDialog.h"
#include "tools/CalculatorEngine.h"

class CalculatorDialog : public ToolDialog {
public:
    static constexpr TRect kDisplayRect{13, 14, 343, 39};
    static constexpr int kCellWidth = 16;
    static constexpr int kCellHeight = 24;

    explicit CalculatorDialog(ClientWindow& client);

    // Dialog template 2.
    static void RegisterTemplate();
    const CalculatorEngine& Engine() const { return engine; }

protected:
    void Paint(TDC& dc, bool erase, const TRect& area) override;

private:
    CalculatorEngine engine;
};

#pragma once
// Calculate Distance, Time, Pace...: two of distance, time and pace give the third and
// the speed, which Apply copies into the Log Book's boxes.

#include "shell/ToolDialog.h"

class CalcDTPDialog : public ToolDialog {
public:
    // Controls of dialog template 12.
    static constexpr int kCalculate = 101;
    static constexpr int kClear = 102;
    static constexpr int kApply = 103;
    static constexpr int kDistance = 104;
    static constexpr int kTime = 105;
    static constexpr int kPace = 106;
    static constexpr int kSpeed = 107;
    static constexpr int kBoxLimit = 30;

    explicit CalcDTPDialog(ClientWindow& client);
    // Dialog template 12.
    static void RegisterTemplate();

protected:
    void SetupWindow() override;

private:
    void Calculate();
    void Clear();
    void Apply();
    // Tells the user when the box's text is not what the Log Book's box of that kind takes,
    // and puts the focus on it.
    bool Refused(int id, int box);
    bool AnyRefused();
};

#pragma once
// Calculate Distance, Time, Pace...: two of distance, time and pace give the third and
// the speed, which Apply copies into the Log Book's boxes.

#include "app/ToolDialog.h"

class CalcDTPDialog : public ToolDialog {
public:
    explicit CalcDTPDialog(ClientWindow& client);

protected:
    void SetupWindow() override;

private:
    void Calculate();
    void Clear();
    void Apply();
};

#pragma once
// What the preview pane lays its report out from: the days the Reports dialog loaded (index
// positions in date order), its selection and the options its controls show. The dialog is
// the source; the pane never includes it.

#include "reports/ReportPages.h"
#include "views/ViewSelection.h"

#include <cstdint>
#include <vector>

class ReportSource {
public:
    virtual const ViewSelection& ReportSelection() const = 0;
    virtual const std::vector<std::int32_t>& ReportEntries() const = 0;
    virtual ReportOptions ChosenOptions() const = 0;

protected:
    ~ReportSource() = default;
};

#pragma once
// Find: searches the whole logbook for the days whose chosen field compares with a value,
// lists them, and sends the Log Book to a listed day.

#include "app/FindQuery.h"
#include "app/ToolDialog.h"

#include <cstdint>
#include <vector>

class FindDialog : public ToolDialog {
public:
    explicit FindDialog(ClientWindow& client);

    // The criteria as the boxes stand.
    FindQuery Criteria() const;
    // The date key of each listed line.
    const std::vector<std::int32_t>& Results() const { return results; }

protected:
    void SetupWindow() override;

private:
    void Search();
    void GoToDay();

    std::vector<std::int32_t> results;
};

#pragma once
// Find: searches the whole logbook for the days whose chosen field compares with a value,
// lists them, and sends the Log Book to a listed day.

#include "editor/FindQuery.h"
#include "shell/ToolDialog.h"

#include <cstdint>
#include <vector>

class FindDialog : public ToolDialog {
public:
    // Controls of dialog template 11.
    static constexpr int kValue = 101;
    static constexpr int kFields = 102;
    static constexpr int kCompares = 103;
    static constexpr int kFind = 105;
    static constexpr int kGoToDay = 106;
    static constexpr int kResults = 107;
    static constexpr int kYes = 108;
    static constexpr int kNo = 109;
    static constexpr int kIgnore = 110;
    static constexpr int kEasy = 111;
    static constexpr int kModerate = 112;
    static constexpr int kHard = 113;
    // The value box holds 127 characters (the limit counts the terminating zero).
    static constexpr int kValueLimit = 128;

    explicit FindDialog(ClientWindow& client);
    // Dialog template 11.
    static void RegisterTemplate();

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

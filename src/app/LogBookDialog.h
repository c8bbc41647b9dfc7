#pragma once
// The Log Book: one day of the logbook at a time in eleven number boxes, a comment box,
// the competition and difficulty buttons and the workout box, with save, erase, step by
// one or thirty days, Find and Calculate. Stepping works on the cache of the days around
// the shown day; the logbook is written on Save, when the cache window moves, and on "Yes"
// at closing.

#include "app/DayForm.h"
#include "app/LogBookCache.h"
#include "app/ToolDialog.h"

#include <memory>

class LogBookDialog : public ToolDialog {
public:
    static constexpr unsigned kResetMessage = 1000;
    static constexpr unsigned kGoToDayMessage = 1001;
    static constexpr const char* kSaveQuestion = "\n\nSave changes to database?";

    explicit LogBookDialog(ClientWindow& client);
    ~LogBookDialog() override;

    const DateValue& CurrentDate() const { return current; }
    const LogBookCache& Cache() const { return *cache; }
    // The boxes as they stand, and written as a day shows them.
    DayForm BoxTexts() const;
    void SetBoxTexts(const DayForm& form);

protected:
    void SetupWindow() override;
    bool CanClose() override;

private:
    void ShowCurrentDay();
    void ReadBoxes();
    void ClearBoxes();
    void Save();
    void Step(int days);
    void EraseDay();
    void GoToDay(std::int32_t key);
    void Reset();

    const DateUtility& dates;
    std::unique_ptr<LogBookCache> cache;
    DateValue current;
    DayRecord currentRecord;
    DayRecord reference;
};

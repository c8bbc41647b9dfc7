#include "shell/DateRangeMenu.h"

#include "framework/TMessageBox.h"
#include "shell/ClientWindow.h"
#include "shell/DatesDialog.h"
#include "shell/Settings.h"
#include "store/LogBookDatabase.h"

std::vector<TMenuItem> DateRangeMenu::Items() {
    std::vector<TMenuItem> items = {TMenuItem::Separator(), TMenuItem::Item("Dates...", kDates),
                                    TMenuItem::Separator()};
    int command = kFirstRange;
    for (const DateRangePreset& preset : DateRangePreset::Menu()) {
        items.push_back(TMenuItem::Item(preset.Title(), command++));
    }
    return items;
}

std::vector<int> DateRangeMenu::Commands() {
    std::vector<int> commands = {kDates};
    for (std::size_t i = 0; i < DateRangePreset::Menu().size(); ++i) {
        commands.push_back(kFirstRange + static_cast<int>(i));
    }
    return commands;
}

std::optional<DayRange> DateRangeMenu::Entries(const LogBookDatabase& database) {
    const std::vector<IndexEntry>& index = database.Table().Entries();
    if (index.empty()) {
        return std::nullopt;
    }
    return DayRange{index.front().dateKey, index.back().dateKey};
}

std::string DateRangeMenu::CutText(const DayRange& kept, int mostDays) {
    return "The range held more than " + std::to_string(mostDays) + " days: it shows the last " +
           std::to_string(mostDays) + ", from " + DateUtility::KeyText(kept.first) + " to " +
           DateUtility::KeyText(kept.last) + ".";
}

std::optional<DayRange> DateRangeMenu::Choose(int command, TWindow& window, ClientWindow& client,
                                              DayRange shown, int mostDays) {
    const DateUtility& dates = client.Dates();
    // Read at each choice: the setting may have changed since the window opened.
    const WeekStart start = Settings::ReadWeekStart(client.Profile());
    std::optional<DayRange> range;
    if (command == kDates) {
        DatesDialog dialog(&window, dates, shown, Entries(client.Database()), start);
        if (dialog.Execute() != TDialog::kIdOk) {
            return std::nullopt;
        }
        range = dialog.Chosen();
    } else {
        const auto menu = DateRangePreset::Menu();
        const int index = command - kFirstRange;
        if (index < 0 || index >= static_cast<int>(menu.size())) {
            return std::nullopt;
        }
        DateValue today;
        dates.Today(today);
        range = menu[static_cast<std::size_t>(index)].On(dates.KeyOfDate(today), start,
                                                         Entries(client.Database()));
        if (!range) {
            TMessageBox::Show(&window, DatesDialog::kNoDays, "MESSAGE", TMessageBox::Buttons::Ok,
                              TMessageBox::Icon::Exclamation);
            return std::nullopt;
        }
    }
    const DayRange kept = range->Cut(mostDays);
    if (kept != *range) {
        client.ShowStatus(CutText(kept, mostDays));
    }
    return kept;
}

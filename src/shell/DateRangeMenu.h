#pragma once
// The named ranges and "Dates..." on the speed menu of a window with a date range, and what
// choosing one gives: the days, cut to the window's limit, the status bar saying so. Such a
// window appends Items() to its speed menu and hands each of their commands to Choose.

#include "framework/TMenuItem.h"
#include "store/DateRangePreset.h"

#include <optional>
#include <vector>

class ClientWindow;
class LogBookDatabase;
class TWindow;

class DateRangeMenu {
public:
    static constexpr int kDates = 600;
    // One command per named range, in DateRangePreset::Menu's order.
    static constexpr int kFirstRange = 601;

    // A separator, "Dates...", then the named ranges.
    static std::vector<TMenuItem> Items();
    static std::vector<int> Commands();
    // The logbook's first and last day with an entry; nothing while it holds none.
    static std::optional<DayRange> Entries(const LogBookDatabase& database);
    // The days a command of Items() chooses: a named range worked out against today with
    // weeks from Settings::ReadWeekStart, or the
    // Dates dialog opened on `shown`. A range of more than mostDays days keeps its last
    // mostDays, and the status bar says so. Nothing when the dialog was cancelled or All
    // met a logbook without days (said in a message box).
    static std::optional<DayRange> Choose(int command, TWindow& window, ClientWindow& client,
                                          DayRange shown, int mostDays);
    // The status line of a cut range.
    static std::string CutText(const DayRange& kept, int mostDays);
};

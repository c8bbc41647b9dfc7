#pragma once
// What the user's locale says about the calendar, for settings that default to it.

class TLocale {
public:
    // The first day of the week: 1 Monday .. 7 Sunday, as ISO numbers weekdays.
    static int FirstWeekday();
};

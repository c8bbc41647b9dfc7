#include "framework/TLocale.h"

#include <QLocale>

int TLocale::FirstWeekday() {
    return static_cast<int>(QLocale().firstDayOfWeek());
}

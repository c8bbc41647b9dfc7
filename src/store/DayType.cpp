#include "store/DayType.h"

const char* DayTypeLabel(DayType type) {
    switch (type) {
    case DayType::Training:
        return "TRAINING   ";
    case DayType::Competition:
        return "COMPETITION";
    case DayType::AllDays:
        return "ALL DAYS   ";
    }
    return "";
}

DayType NextDayType(DayType type) {
    switch (type) {
    case DayType::Training:
        return DayType::Competition;
    case DayType::Competition:
        return DayType::AllDays;
    default:
        return DayType::Training;
    }
}

#pragma once
// Which days a range, count or fast index takes, and the label the views show for it.

#include <cstdint>

enum class DayType : std::int32_t { Training = 0, Competition = 1, AllDays = 2 };

// The 11-character label: "TRAINING   ", "COMPETITION", "ALL DAYS   "; "" for other values.
const char* DayTypeLabel(DayType type);
// 0 -> 1 -> 2 -> 0, as the views step it.
DayType NextDayType(DayType type);

#pragma once
// One goal the user set: an amount of a quantity to reach in a period, perhaps of one sport.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct Goal {
    // This week, month or year, again each time one begins; or fixed dates.
    enum class Span { Week, Month, Year, Dates };
    enum class Quantity { Distance, Time, Activities, Days };

    std::int64_t id = 0; // the file's number for it; 0 before it is stored
    Span span = Span::Year;
    std::int32_t first = 0; // date keys of a Dates goal; 0 for the recurring ones
    std::int32_t last = 0;
    Quantity quantity = Quantity::Distance;
    std::string sport; // the activities' English name; empty for every sport
    double amount = 0; // metres, seconds, activities or days

    bool operator==(const Goal& other) const = default;

    // The words the file and veloria-logbook use: "week", "month", "year", "dates";
    // "distance", "time", "activities", "days". nullopt for any other word.
    static const char* Word(Span span);
    static const char* Word(Quantity quantity);
    static std::optional<Span> SpanOfWord(std::string_view word);
    static std::optional<Quantity> QuantityOfWord(std::string_view word);
};

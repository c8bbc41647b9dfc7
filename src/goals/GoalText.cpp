#include "goals/GoalText.h"

#include "store/DateUtility.h"
#include "store/Period.h"

#include <cmath>
#include <cstdio>
#include <string_view>

GoalText::GoalText(const DateUtility& dates, std::string unit)
    : dates(dates), unit(std::move(unit)) {}

double GoalText::MetresPer(const std::string& unit) {
    return unit == "mi" ? 1609.344 : 1000.0;
}

std::string GoalText::Number(double value) {
    const double tenths = std::round(std::fabs(value) * 10);
    const bool negative = value < 0 && tenths > 0;
    const auto whole = static_cast<long long>(tenths / 10);
    const int decimal = static_cast<int>(std::fmod(tenths, 10));
    std::string digits = std::to_string(whole);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    }
    if (decimal != 0) {
        digits.push_back('.');
        digits.push_back(static_cast<char>('0' + decimal));
    }
    return negative ? "-" + digits : digits;
}

std::string GoalText::Amount(Goal::Quantity quantity, double value) const {
    switch (quantity) {
    case Goal::Quantity::Distance:
        return Number(value / MetresPer(unit)) + " " + unit;
    case Goal::Quantity::Time:
        return dates.DurationText(static_cast<std::int32_t>(std::lround(value)));
    case Goal::Quantity::Activities:
        return Number(value) + " activities";
    case Goal::Quantity::Days:
        return Number(value) + " days";
    }
    return {};
}

std::string GoalText::Typed(Goal::Quantity quantity, double value) const {
    if (quantity == Goal::Quantity::Time) {
        return Amount(quantity, value);
    }
    char text[32];
    const double shown = quantity == Goal::Quantity::Distance ? value / MetresPer(unit) : value;
    std::snprintf(text, sizeof text, "%.10g", std::round(shown * 1000) / 1000);
    return text;
}

bool GoalText::Read(Goal::Quantity quantity, const std::string& text, double& value,
                    std::string& problem) const {
    if (quantity == Goal::Quantity::Time) {
        std::int32_t seconds = 0;
        if (!dates.ReadDuration(text, seconds) || seconds <= 0) {
            problem = "The time \"" + text +
                      "\" is not a duration above zero: type minutes, mm:ss or h:mm:ss.";
            return false;
        }
        value = seconds;
        return true;
    }
    std::string_view t = text;
    while (!t.empty() && t.front() == ' ') {
        t.remove_prefix(1);
    }
    while (!t.empty() && t.back() == ' ') {
        t.remove_suffix(1);
    }
    const bool whole = quantity != Goal::Quantity::Distance;
    double read = 0;
    int used = 0;
    const std::string copy(t);
    const bool number = !copy.empty() &&
                        copy.find_first_not_of("0123456789.") == std::string::npos &&
                        std::sscanf(copy.c_str(), "%lf%n", &read, &used) == 1 &&
                        used == static_cast<int>(copy.size());
    if (!number || read <= 0 || read > 1e7 || (whole && read != std::floor(read))) {
        const char* what = quantity == Goal::Quantity::Distance ? "distance" : "count";
        problem =
            std::string("The ") + what + " \"" + text + "\" is not " +
            (whole ? "a whole number above zero." : "a number above zero (such as 2000 or 42.2).");
        return false;
    }
    value = quantity == Goal::Quantity::Distance ? read * MetresPer(unit) : read;
    return true;
}

std::string GoalText::Label(const GoalProgress::State& state) {
    std::string label;
    const auto kindOf = [](Goal::Span span) {
        return span == Goal::Span::Week    ? PeriodKind::Week
               : span == Goal::Span::Month ? PeriodKind::Month
                                           : PeriodKind::Year;
    };
    if (state.goal.span == Goal::Span::Dates) {
        label = DateUtility::KeyText(state.first) + ".." + DateUtility::KeyText(state.last);
    } else {
        label = Period::Containing(state.first, kindOf(state.goal.span), state.start).Label();
    }
    return state.goal.sport.empty() ? label : label + " " + state.goal.sport;
}

std::string GoalText::Description(const Goal& goal) const {
    std::string when;
    switch (goal.span) {
    case Goal::Span::Week:
        when = "each week";
        break;
    case Goal::Span::Month:
        when = "each month";
        break;
    case Goal::Span::Year:
        when = "each year";
        break;
    case Goal::Span::Dates:
        when = DateUtility::KeyText(goal.first) + ".." + DateUtility::KeyText(goal.last);
        break;
    }
    std::string what = Amount(goal.quantity, goal.amount);
    if (goal.quantity == Goal::Quantity::Time) {
        what += " of time";
    } else if (goal.quantity == Goal::Quantity::Days) {
        what = Number(goal.amount) + " active days";
    }
    return when + ": " + what + (goal.sport.empty() ? "" : ", " + goal.sport);
}

std::string GoalText::PaceWords(const GoalProgress::State& state) const {
    const Goal::Quantity q = state.goal.quantity;
    // Less than what the text shows is on pace: a tenth of a unit, or half a second.
    const double shown = q == Goal::Quantity::Distance ? state.pace / MetresPer(unit) : state.pace;
    if (std::fabs(shown) < (q == Goal::Quantity::Time ? 0.5 : 0.05)) {
        return "on pace";
    }
    return Amount(q, std::fabs(state.pace)) + (state.pace > 0 ? " ahead of pace" : " behind pace");
}

std::string GoalText::Line(const GoalProgress::State& state) const {
    const Goal::Quantity q = state.goal.quantity;
    std::string done = Amount(q, state.done);
    if (q == Goal::Quantity::Distance || q == Goal::Quantity::Activities ||
        q == Goal::Quantity::Days) {
        done = Number(q == Goal::Quantity::Distance ? state.done / MetresPer(unit) : state.done);
    }
    return Label(state) + ": " + done + " of " + Amount(q, state.goal.amount) + ", " +
           PaceWords(state);
}

std::string GoalText::Details(const GoalProgress::State& state) const {
    const Goal::Quantity q = state.goal.quantity;
    std::string text = Number(state.shareGone * 100) + "% gone";
    if (state.remaining <= 0) {
        text += "; reached";
    } else if (state.perDay > 0) {
        text += "; needs " + Amount(q, state.perDay) + " a day, " + Amount(q, state.perWeek) +
                " a week";
    } else {
        text += "; ended " + Amount(q, state.remaining) + " short";
    }
    return text + "; projected " + Amount(q, state.projection);
}

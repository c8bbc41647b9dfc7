#include "goals/GoalForm.h"

#include "store/DateUtility.h"

GoalForm GoalForm::Show(const Goal& goal, const GoalText& text) {
    GoalForm form;
    form.period = static_cast<int>(goal.span);
    if (goal.span == Goal::Span::Dates) {
        form.from = DateUtility::KeyText(goal.first);
        form.to = DateUtility::KeyText(goal.last);
    }
    form.quantity = static_cast<int>(goal.quantity);
    form.amount = text.Typed(goal.quantity, goal.amount);
    form.sport = goal.sport;
    return form;
}

std::int32_t GoalForm::DateKey(const std::string& text) {
    const DateUtility dates;
    DateValue date;
    return dates.ReadDate(text, date) ? dates.KeyOfDate(date) : 0;
}

std::string GoalForm::AmountUnit(int quantity, const std::string& unit) {
    switch (static_cast<Goal::Quantity>(quantity)) {
    case Goal::Quantity::Distance:
        return unit;
    case Goal::Quantity::Time:
        return "h:mm:ss";
    case Goal::Quantity::Activities:
        return "activities";
    case Goal::Quantity::Days:
        return "days";
    }
    return {};
}

bool GoalForm::Read(const GoalText& text, Goal& goal, Box& refused, std::string& problem) const {
    Goal read = goal;
    if (period < 0 || period > 3) {
        refused = Box::Period;
        problem = "Choose the period of the goal.";
        return false;
    }
    read.span = static_cast<Goal::Span>(period);
    read.first = 0;
    read.last = 0;
    if (read.span == Goal::Span::Dates) {
        read.first = DateKey(from);
        read.last = DateKey(to);
        if (read.first == 0 || read.last == 0) {
            refused = read.first == 0 ? Box::From : Box::To;
            problem = "The date \"" + (read.first == 0 ? from : to) +
                      "\" is not a date from 1960-01-01 to 2100-12-31 written as YYYY-MM-DD.";
            return false;
        }
        if (read.first > read.last) {
            refused = Box::To;
            problem = "The goal ends on " + to + ", before it begins on " + from + ".";
            return false;
        }
    }
    if (quantity < 0 || quantity > 3) {
        refused = Box::Quantity;
        problem = "Choose what the goal counts.";
        return false;
    }
    read.quantity = static_cast<Goal::Quantity>(quantity);
    if (!text.Read(read.quantity, amount, read.amount, problem)) {
        refused = Box::Amount;
        return false;
    }
    std::string name = sport;
    while (!name.empty() && name.front() == ' ') {
        name.erase(name.begin());
    }
    while (!name.empty() && name.back() == ' ') {
        name.pop_back();
    }
    if (name.size() > kSportLimit) {
        refused = Box::Sport;
        problem = "The sport's name is longer than " + std::to_string(kSportLimit) + " characters.";
        return false;
    }
    read.sport = name;
    goal = read;
    return true;
}

#pragma once
// The training load's figures as words and lines, the same for the window and the command
// line. Form is named by its whole number: above +25 "very fresh", +6..+25 "fresh", -10..+5
// "neutral", -30..-11 "tired", below -30 "very tired". ACWR by its two decimals: below 0.80
// "low", to 1.30 "steady", above "high".

#include "load/LoadModel.h"

#include <string>

class LoadWords {
public:
    static const char* FormBand(double form);
    // "" while there is no ratio.
    static const char* AcwrBand(const std::optional<double>& acwr);

    // A figure with so many decimals, "-" only before a figure that is not 0 as printed.
    static std::string Number(double value, int decimals);
    // The same with a true minus sign and a plus for the words (U+2212).
    static std::string Signed(double value, int decimals);

    // "Form −18: tired", "Ramp +6/week", "ACWR 1.34: high" ("ACWR —" without one),
    // "Monotony 1.80, strain 820" ("Monotony —" when the week does not vary).
    static std::string Form(const LoadDay& day);
    static std::string Ramp(const LoadDay& day);
    static std::string Acwr(const LoadDay& day);
    static std::string Monotony(const LoadDay& day);
    // "Fitness 52.3  Fatigue 70.1"
    static std::string FitnessFatigue(const LoadDay& day);

    // The command's lines: a heading and one line per day, as a table or as CSV.
    static std::string Heading(bool csv);
    static std::string Line(const LoadDay& day, bool csv);
};

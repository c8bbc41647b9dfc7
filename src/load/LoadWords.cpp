#include "load/LoadWords.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr const char* kMinus = "\u2212";
constexpr const char* kDash = "\u2014";

std::string Iso(std::int32_t key) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", key / 10000, key / 100 % 100, key % 100);
    return text;
}

} // namespace

std::string LoadWords::Number(double value, int decimals) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string s = text;
    // -0.0 is printed as 0.0: a sign on nothing reads as a load.
    if (s.front() == '-' && s.find_first_not_of("-0.") == std::string::npos) {
        s.erase(0, 1);
    }
    return s;
}

std::string LoadWords::Signed(double value, int decimals) {
    std::string s = Number(value, decimals);
    if (s.front() == '-') {
        return kMinus + s.substr(1);
    }
    return "+" + s;
}

const char* LoadWords::FormBand(double form) {
    const double whole = std::round(form);
    if (whole > 25) {
        return "very fresh";
    }
    if (whole > 5) {
        return "fresh";
    }
    if (whole >= -10) {
        return "neutral";
    }
    if (whole >= -30) {
        return "tired";
    }
    return "very tired";
}

const char* LoadWords::AcwrBand(const std::optional<double>& acwr) {
    if (!acwr) {
        return "";
    }
    const double hundredths = std::round(*acwr * 100);
    if (hundredths < 80) {
        return "low";
    }
    if (hundredths <= 130) {
        return "steady";
    }
    return "high";
}

std::string LoadWords::Form(const LoadDay& day) {
    std::string number = Signed(day.form, 0);
    if (number == "+0") {
        number = "0";
    }
    return "Form " + number + ": " + FormBand(day.form);
}

std::string LoadWords::Ramp(const LoadDay& day) {
    return "Ramp " + Signed(day.ramp, 0) + "/week";
}

std::string LoadWords::Acwr(const LoadDay& day) {
    if (!day.acwr) {
        return std::string("ACWR ") + kDash;
    }
    return "ACWR " + Number(*day.acwr, 2) + ": " + AcwrBand(day.acwr);
}

std::string LoadWords::Monotony(const LoadDay& day) {
    if (!day.monotony) {
        return std::string("Monotony ") + kDash;
    }
    return "Monotony " + Number(*day.monotony, 2) + ", strain " + Number(*day.strain, 0);
}

std::string LoadWords::FitnessFatigue(const LoadDay& day) {
    return "Fitness " + Number(day.fitness, 1) + "  Fatigue " + Number(day.fatigue, 1);
}

std::string LoadWords::Heading(bool csv) {
    if (csv) {
        return "date,load,fitness,fatigue,form,acwr,band,ramp,monotony,strain,estimated,"
               "building_up\n";
    }
    return "date          load  fitness  fatigue    form  ACWR          ramp  monotony   "
           "strain\n";
}

std::string LoadWords::Line(const LoadDay& day, bool csv) {
    const std::string acwr = day.acwr ? Number(*day.acwr, 2) : "";
    const std::string monotony = day.monotony ? Number(*day.monotony, 2) : "";
    const std::string strain = day.strain ? Number(*day.strain, 0) : "";
    if (csv) {
        return Iso(day.key) + "," + Number(day.load, 1) + "," + Number(day.fitness, 1) + "," +
               Number(day.fatigue, 1) + "," + Number(day.form, 1) + "," + acwr + "," +
               AcwrBand(day.acwr) + "," + Number(day.ramp, 1) + "," + monotony + "," + strain +
               "," + (day.estimated ? "yes" : "no") + "," + (day.buildingUp ? "yes" : "no") + "\n";
    }
    char text[160];
    std::snprintf(text, sizeof text, "%s %7s %8s %8s %7s  %-4s %-7s %6s %9s %8s%s%s\n",
                  Iso(day.key).c_str(), Number(day.load, 1).c_str(), Number(day.fitness, 1).c_str(),
                  Number(day.fatigue, 1).c_str(), Number(day.form, 1).c_str(),
                  day.acwr ? acwr.c_str() : "-", AcwrBand(day.acwr), Number(day.ramp, 1).c_str(),
                  day.monotony ? monotony.c_str() : "-", day.strain ? strain.c_str() : "-",
                  day.estimated ? "  estimated" : "", day.buildingUp ? "  building up" : "");
    return text;
}

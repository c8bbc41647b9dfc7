#pragma once
// The distance/time/pace arithmetic: from two of distance, time (seconds) and pace
// (seconds per unit of distance) the third, and the speed (distance per hour), all in
// single precision.

#include <cstdint>

class DtpCalculation {
public:
    static constexpr const char* kTooFewValues =
        "Cannot perform calculation -- must enter two non-zero values for Distance, Time, and Pace "
        "fields.";
    static constexpr const char* kEditorClosed = "Logbook window closed -- cannot apply values.";

    float distance = 0;
    float time = 0;
    float pace = 0;
    float speed = 0;

    // Works out the missing value (the pace when all three are given) and the speed;
    // false, changing nothing, when fewer than two of the three are non-zero.
    bool Calculate();

    // Seconds as a duration shows them: the fraction cut off, kept within the 32-bit range.
    static std::int32_t WholeSeconds(float seconds);
};

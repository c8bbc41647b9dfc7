#include "editor/DtpCalculation.h"

#include <cmath>
#include <limits>

bool DtpCalculation::Calculate() {
    const int zeros = (distance == 0.0F) + (time == 0.0F) + (pace == 0.0F);
    if (zeros >= 2) {
        return false;
    }
    if (distance == 0.0F) {
        distance = time / pace;
    } else if (time == 0.0F) {
        time = pace * distance;
    } else {
        pace = time / distance;
    }
    speed = 3600.0F / time * distance;
    return true;
}

std::int32_t DtpCalculation::WholeSeconds(float seconds) {
    if (std::isnan(seconds)) {
        return 0;
    }
    const float whole = std::trunc(seconds);
    if (whole >= 2147483520.0F) { // the largest float below 2^31
        return std::numeric_limits<std::int32_t>::max();
    }
    if (whole <= -2147483648.0F) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(whole);
}

#include "load/TrainingImpulse.h"

#include <algorithm>
#include <cmath>

double TrainingImpulse::Reserve(int averageHeartRate, int restHeartRate, int maxHeartRate) {
    if (maxHeartRate <= restHeartRate) {
        return 0;
    }
    const double x = static_cast<double>(averageHeartRate - restHeartRate) /
                     static_cast<double>(maxHeartRate - restHeartRate);
    return std::clamp(x, 0.0, 1.0);
}

double TrainingImpulse::ReserveOfDifficulty(char difficulty) {
    switch (difficulty) {
    case 'E':
        return kEasyReserve;
    case 'H':
        return kHardReserve;
    default:
        return kModerateReserve;
    }
}

double TrainingImpulse::Of(double minutes, double reserve, Sex sex) {
    double a = 0.725;
    double b = 1.795;
    if (sex == Sex::Male) {
        a = 0.64;
        b = 1.92;
    } else if (sex == Sex::Female) {
        a = 0.86;
        b = 1.67;
    }
    return minutes * reserve * a * std::exp(b * reserve);
}

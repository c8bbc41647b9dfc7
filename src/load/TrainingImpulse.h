#pragma once
// The load of one bout of exercise from its minutes and heart rate: Banister's training
// impulse (TRIMP). The heart-rate reserve used, x = (HRavg - HRrest) / (HRmax - HRrest), is
// held to 0..1 and weighted as Morton, Fitz-Clarke & Banister (1990, J Appl Physiol 69:
// 1171-1177) give it: 0.64 e^(1.92 x) for men, 0.86 e^(1.67 x) for women. Without a sex the
// weighting is the mean of the two, 0.725 e^(1.795 x).
//
// Without a heart rate the reserve is taken from the day's difficulty: easy 0.50, moderate
// 0.70 (also when none is given), hard 0.85. Such a load is an estimate and says so.

enum class Sex { Unset, Male, Female };

class TrainingImpulse {
public:
    static constexpr double kEasyReserve = 0.50;
    static constexpr double kModerateReserve = 0.70;
    static constexpr double kHardReserve = 0.85;

    // The fraction of the heart-rate reserve an average heart rate stands for, 0..1; 0 when
    // the reserve is empty (max not above rest).
    static double Reserve(int averageHeartRate, int restHeartRate, int maxHeartRate);
    // The fraction the difficulty 'E', 'M' or 'H' (anything else: moderate) stands for.
    static double ReserveOfDifficulty(char difficulty);
    // TRIMP of so many minutes at the reserve fraction x.
    static double Of(double minutes, double reserve, Sex sex);
};

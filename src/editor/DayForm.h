#pragma once
// The Log Book's boxes as text, and the rules that turn a day into box texts and box texts
// back into a day. Box texts are UTF-8 as the window gives them; the record's two texts
// are Windows-1252.

#include "store/DateUtility.h"
#include "store/DayRecord.h"

#include <array>
#include <string>

class DayForm {
public:
    static constexpr int kBoxCount = 11;
    enum Box {
        kDistance = 0,
        kTime,
        kPace,
        kRestHeartRate,
        kMaxHeartRate,
        kTemperature,
        kBodyWeight,
        kWaterUsed,
        kHoursSlept,
        kCalories,
        kSpeed
    };

    // How a box is read: its leading characters as a decimal number, a whole number or a
    // duration, and what the user is told the box takes.
    enum class Kind { Decimal, Whole, Duration };
    // The boxes take 9 characters. A duration is read whole; a number only from its first 6
    // characters and the calories from their first 4, the widths days have always been read
    // with (1234.567 reads 1234.5). The Log Book refuses a longer number rather than cut it.
    static constexpr std::size_t kDurationWidth = 9;
    static constexpr std::size_t kNumberWidth = 6;
    static constexpr std::size_t kCaloriesWidth = 4;
    struct Rule {
        Kind kind;
        std::size_t width; // characters read
        const char* label; // as the window shows it, with its colon
        const char* example;
    };
    static const Rule kRules[kBoxCount];

    std::array<std::string, kBoxCount> boxes;
    // What the comment box holds (the Log Book reads a changed comment from its two lines).
    std::string comments;
    std::string workout;
    char competition = 0; // 'Y', 'N' or 0 for neither button checked
    char difficulty = 0;  // 'E', 'M', 'H' or 0

    // The texts of a stored day; every number is shown, zeros included.
    static DayForm Show(const DayRecord& record, const DateUtility& dates);
    // Empty when the box's rule reads the text whole (an empty text reads 0); otherwise what
    // to tell the user, naming the box, the text and what the box takes.
    static std::string Refusal(int box, const std::string& text, const DateUtility& dates);
    // The first box that differs from the shown texts and is refused, or -1; its message
    // in problem. A box still reading as shown is never refused: it keeps the stored value.
    int FirstRefused(const DayForm& shown, const DateUtility& dates, std::string& problem) const;

    // Takes the texts into the record: each box by its leading characters, the texts
    // encoded and cut to their fields. The record's key and erased mark stay. A pace or
    // speed left empty or zero is worked out from the distance and time (PaceSpeed).
    void ReadInto(DayRecord& record, const DateUtility& dates) const;
    // The same for the texts that differ from those the day was shown with: what the user
    // did not change keeps the stored value exactly, whatever its box could show; a pace or
    // speed is worked out only when its box, the distance or the time changed.
    void ReadChangesInto(const DayForm& shown, DayRecord& record, const DateUtility& dates) const;

    // "%3.2f" of a single-precision number.
    static std::string Decimal(float value);
    // A whole number padded with zeros to at least the width ("%03d", "%04d").
    static std::string Padded(int value, int width);
    // A box read as a number from its first kNumberWidth characters, in single precision.
    static float ReadNumber(const std::string& text);
    // A duration box's seconds, 0 for a text that is no duration.
    static std::int32_t ReadSeconds(const std::string& text, const DateUtility& dates);

private:
    void ReadFields(const DayForm* shown, DayRecord& record, const DateUtility& dates) const;
};

#pragma once
// The lenient readers used for the program's boxes: skip leading blanks, read what looks
// like a number and stop at the first character that does not belong; 0 when none is there.

#include <cstddef>
#include <string_view>

class NumberText {
public:
    // Optional sign, digits, optional point with digits, optional exponent.
    static double ReadDecimal(std::string_view text);
    // Optional sign and digits; saturates at the int range instead of overflowing.
    static int ReadInteger(std::string_view text);
};

#include "store/NumberText.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    return i;
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
    }
    return i;
}

// Roughly where the number's leading digit sits as a power of ten; enough to tell an
// overflow from an underflow.
long long DecimalExponent(std::string_view number) {
    long long power = 0;
    std::size_t i = 0;
    bool leading = true;
    for (; i < number.size() && IsDigit(number[i]); ++i) {
        if (number[i] != '0' || !leading) {
            leading = false;
            ++power;
        }
    }
    if (i < number.size() && number[i] == '.') {
        for (++i; i < number.size() && IsDigit(number[i]) && leading; ++i) {
            if (number[i] == '0') {
                --power;
            } else {
                leading = false;
            }
        }
        i = SkipDigits(number, i);
    }
    if (i < number.size()) {
        power += NumberText::ReadInteger(number.substr(i + 1));
    }
    return power;
}

} // namespace

double NumberText::ReadDecimal(std::string_view text) {
    std::size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t start = i;
    i = SkipDigits(text, i);
    std::size_t digits = i - start;
    if (i < text.size() && text[i] == '.') {
        const std::size_t afterPoint = SkipDigits(text, i + 1);
        digits += afterPoint - (i + 1);
        i = afterPoint;
    }
    if (digits == 0) {
        return 0.0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        const std::size_t end = SkipDigits(text, j);
        if (end > j) {
            i = end;
        }
    }
    double value = 0.0;
    // from_chars does not depend on the locale's decimal point, unlike strtod.
    const auto result = std::from_chars(text.data() + start, text.data() + i, value);
    if (result.ec == std::errc::result_out_of_range) {
        value = DecimalExponent(text.substr(start, i - start)) > 0 ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

int NumberText::ReadInteger(std::string_view text) {
    std::size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    return static_cast<int>(value);
}

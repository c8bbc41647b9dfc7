#include "tools/CalculatorEngine.h"

#include "store/NumberText.h"
#include "tools/CalculatorKeys.h"

#include <charconv>
#include <cmath>

namespace {

int DigitOf(int key) {
    switch (key) {
    case calc::kZero:
        return 0;
    case calc::kOne:
        return 1;
    case calc::kTwo:
        return 2;
    case calc::kThree:
        return 3;
    case calc::kFour:
        return 4;
    case calc::kFive:
        return 5;
    case calc::kSix:
        return 6;
    case calc::kSeven:
        return 7;
    case calc::kEight:
        return 8;
    case calc::kNine:
        return 9;
    default:
        return -1;
    }
}

// The two-operand operator of a key, or 0.
char OperatorOf(int key) {
    switch (key) {
    case calc::kPlus:
        return '+';
    case calc::kMinus:
        return '-';
    case calc::kMultiply:
        return '*';
    case calc::kDivide:
        return '/';
    case calc::kPower:
        return '^';
    case calc::kPercent:
        return '%';
    case calc::kEquals:
        return '=';
    default:
        return 0;
    }
}

bool IsFunction(int key) {
    return (key >= calc::kInToCm && key <= calc::kCToF) || key == calc::kSquare ||
           key == calc::kSquareRoot || key == calc::kReciprocal;
}

// The conversions keep the factors the program has always used (0.56 for F to C, not 5/9).
double Convert(int key, double x) {
    switch (key) {
    case calc::kInToCm:
        return x * 2.54001;
    case calc::kFtToM:
        return x * 0.304801;
    case calc::kMiToKm:
        return x * 1.60935;
    case calc::kGlToL:
        return x * 3.78533;
    case calc::kLbToKg:
        return x * 0.45359;
    case calc::kOzToG:
        return x * 28.3495;
    case calc::kFToC:
        return (x - 32) * 0.56;
    case calc::kCmToIn:
        return x * 0.3937;
    case calc::kMToFt:
        return x * 3.28083;
    case calc::kKmToMi:
        return x * 0.62137;
    case calc::kLToGl:
        return x * 0.26418;
    case calc::kKgToLb:
        return x * 2.20462;
    case calc::kGToOz:
        return x * 0.03527;
    case calc::kCToF:
        return x * 1.8 + 32;
    default:
        return x;
    }
}

} // namespace

void CalculatorEngine::Press(int key) {
    // In the error state the display shows E until Clear; nothing typed meanwhile may reach
    // the memory either. Emptying the memory does not depend on the display.
    if (error && key != calc::kClear && key != calc::kClearMemory) {
        return;
    }
    if (const int digit = DigitOf(key); digit >= 0) {
        TypeDigit(digit);
    } else if (const char op = OperatorOf(key)) {
        ApplyOperator(op);
    } else if (IsFunction(key)) {
        ApplyFunction(key);
    } else {
        switch (key) {
        case calc::kPoint:
            TypePoint();
            break;
        case calc::kNegate:
            Negate();
            break;
        case calc::kBackspace:
            Backspace();
            break;
        case calc::kClear:
            Clear();
            break;
        case calc::kClearMemory:
            memory = 0;
            break;
        case calc::kMemoryPlus:
            memory += DisplayValue();
            break;
        case calc::kMemoryMinus:
            memory -= DisplayValue();
            break;
        case calc::kRecallMemory:
            RecallMemory();
            break;
        default:
            break;
        }
    }
}

void CalculatorEngine::TypeDigit(int digit) {
    if (input != Input::Typing) {
        input = Input::Typing;
        decimalEntered = false;
        display.clear();
    }
    const char d = static_cast<char>('0' + digit);
    display += d;
    if (display.size() >= kEntryLength) {
        // Once the entry is full, each further digit replaces the last one.
        display.resize(kEntryLength - 1);
        display += d;
    }
    entry = DisplayValue();
}

void CalculatorEngine::TypePoint() {
    if (input != Input::Typing) {
        decimalEntered = false;
    }
    if (decimalEntered) {
        return;
    }
    decimalEntered = true;
    if (input != Input::Typing) {
        input = Input::Typing;
        entry = 0;
        display = "0.";
    } else {
        display += '.';
    }
}

void CalculatorEngine::Negate() {
    entry = -DisplayValue();
    Show(entry);
    if (input == Input::Typing) {
        TakeUpShownValue();
    }
}

void CalculatorEngine::Backspace() {
    if (entry == 0 || display.empty()) {
        return;
    }
    if (display.back() == '.') {
        decimalEntered = false;
    }
    display.pop_back();
    entry = DisplayValue();
}

void CalculatorEngine::Clear() {
    accumulator = 0;
    entry = 0;
    decimalEntered = false;
    error = false;
    input = Input::Fresh;
    pendingOperator = '+';
    display.assign(1, '0');
}

void CalculatorEngine::RecallMemory() {
    // The recalled number is taken up as typed: digits after RM continue it.
    input = Input::Typing;
    entry = memory;
    Show(memory);
    TakeUpShownValue();
}

void CalculatorEngine::ApplyFunction(int key) {
    double result = accumulator;
    if (key == calc::kSquare) {
        result = entry * entry;
    } else if (key == calc::kSquareRoot) {
        if (entry < 0) {
            SetError();
        } else {
            result = std::sqrt(entry);
        }
    } else if (key == calc::kReciprocal) {
        if (entry == 0) {
            SetError();
        } else {
            result = 1 / entry;
        }
    } else {
        result = Convert(key, entry);
    }
    accumulator = result;
    input = Input::Result;
    entry = accumulator;
    Show(accumulator);
}

void CalculatorEngine::ApplyOperator(char op) {
    // Operators pressed in a row: only the first applies, the last stays pending.
    if (input != Input::Result) {
        input = Input::Result;
        switch (pendingOperator) {
        case '+':
            accumulator += entry;
            break;
        case '-':
            accumulator -= entry;
            break;
        case '*':
            accumulator *= entry;
            break;
        case '/':
            if (entry == 0) {
                SetError();
            } else {
                accumulator /= entry;
            }
            break;
        case '^':
            // A negative base with a fractional power has no real result: pow gives NaN,
            // which Show turns into the error state.
            if (accumulator == 0 && entry == 0) {
                SetError();
            } else {
                accumulator = std::pow(accumulator, entry);
            }
            break;
        case '%':
            accumulator = 0.01 * accumulator * entry;
            break;
        case '=':
            accumulator = entry;
            break;
        default:
            break;
        }
        Show(accumulator);
    }
    pendingOperator = op;
}

void CalculatorEngine::Show(double value) {
    if (!error && !std::isfinite(value)) {
        SetError();
    }
    if (error) {
        display.assign(1, 'E');
    } else {
        display = Format(value);
    }
}

void CalculatorEngine::SetError() {
    error = true;
    display.assign(1, 'E');
}

double CalculatorEngine::DisplayValue() const {
    return NumberText::ReadDecimal(display);
}

void CalculatorEngine::TakeUpShownValue() {
    decimalEntered = display.find_first_of(".E") != std::string::npos;
}

std::string CalculatorEngine::Format(double value) {
    if (value == 0) {
        value = 0; // no "-0"
    }
    // to_chars does not follow the locale's decimal point, unlike printf.
    char text[64];
    std::string out;
    for (int digits = kSignificantDigits; digits >= 1; --digits) {
        const auto written =
            std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits);
        out.assign(text, written.ptr);
        if (out.size() <= kDisplayLength) {
            break;
        }
    }
    for (char& c : out) {
        if (c == 'e') {
            c = 'E';
        }
    }
    return out;
}

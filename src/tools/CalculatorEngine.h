#pragma once
// The calculator's key machine: takes one key at a time (the ids of CalculatorKeys.h) and
// keeps the display text, the running result, the operand, the memory and the error state.
// It does no drawing; CalculatorDialog paints Display() with the digit pictures.
//
// A chain is worked strictly from left to right: every two-operand key applies the operator
// pending before it, and "=" is itself a pending operator, so a number typed after "=" and
// followed by an operator starts a new chain.

#include <string>

class CalculatorEngine {
public:
    // Where the next digit goes.
    enum class Input {
        Fresh,  // after Clear: a digit starts an entry, an operator applies the pending one
        Typing, // digits are appended to the display
        Result, // a result is shown: a digit starts an entry, an operator only replaces the
                // pending one
    };

    static constexpr std::size_t kEntryLength = 15;   // characters a typed entry keeps
    static constexpr std::size_t kDisplayLength = 19; // characters a shown value may take
    static constexpr int kSignificantDigits = 15;

    // One key; ids outside the 42 keys are ignored.
    void Press(int key);

    // What the display shows: "E" while the error state lasts.
    const std::string& Display() const { return display; }
    double Accumulator() const { return accumulator; }
    double Entry() const { return entry; }
    double Memory() const { return memory; }
    char PendingOperator() const { return pendingOperator; }
    Input State() const { return input; }
    bool DecimalEntered() const { return decimalEntered; }
    bool Error() const { return error; }

    // A value as the display writes it: 15 significant digits in general form (plain for
    // decimal exponents -4 to 14, otherwise d.dddE+xx), trailing zeros dropped, and fewer
    // digits when that would take more than 19 characters. The value must be finite.
    static std::string Format(double value);

private:
    void TypeDigit(int digit);
    void TypePoint();
    void Negate();
    void Backspace();
    void Clear();
    void RecallMemory();
    void ApplyFunction(int key);
    void ApplyOperator(char op);
    // Shows a value; one that is not a finite real sets the error state instead.
    void Show(double value);
    void SetError();
    double DisplayValue() const;
    // After a shown value is taken up for typing (RM, NEG), a point it already holds
    // counts as typed, so that a second one is refused.
    void TakeUpShownValue();

    std::string display = "0";
    char pendingOperator = '+';
    double memory = 0;
    double accumulator = 0;
    double entry = 0;
    Input input = Input::Fresh;
    bool decimalEntered = false;
    bool error = false;
};

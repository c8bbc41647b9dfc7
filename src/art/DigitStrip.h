#pragma once
// The digit pictures the timer and the calculator copy cell by cell:
// 801, eleven 75 x 125 cells (0-9, colon) of red light-emitting segments on
// black, and 802, fourteen 16 x 24 cells (0-9, minus, point, E, plus) of
// black liquid-crystal segments on the calculator display's grey.

#include <QColor>
#include <QImage>

class DigitStrip {
public:
    static constexpr int timerCellWidth = 75;
    static constexpr int timerCellHeight = 125;
    static constexpr int timerCells = 11;
    static constexpr int calculatorCellWidth = 16;
    static constexpr int calculatorCellHeight = 24;
    static constexpr int calculatorCells = 14;

    static QImage Timer();
    static QImage Calculator();
    static QColor TimerBackground();
    static QColor CalculatorBackground();
};

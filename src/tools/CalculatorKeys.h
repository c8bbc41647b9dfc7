#pragma once
// The calculator's 42 keys, by their identifiers in dialog resource 2.

namespace calc {
constexpr int kInToCm = 101;
constexpr int kFtToM = 102;
constexpr int kMiToKm = 103;
constexpr int kGlToL = 104;
constexpr int kLbToKg = 105;
constexpr int kOzToG = 106;
constexpr int kFToC = 107;
constexpr int kCmToIn = 108;
constexpr int kMToFt = 109;
constexpr int kKmToMi = 110;
constexpr int kLToGl = 111;
constexpr int kKgToLb = 112;
constexpr int kGToOz = 113;
constexpr int kCToF = 114;
constexpr int kSeven = 115;
constexpr int kEight = 116;
constexpr int kNine = 117;
constexpr int kNegate = 118;
constexpr int kBackspace = 119;
constexpr int kClear = 120;
constexpr int kClearMemory = 121;
constexpr int kFour = 122;
constexpr int kFive = 123;
constexpr int kSix = 124;
constexpr int kSquareRoot = 125;
constexpr int kMultiply = 126;
constexpr int kDivide = 127;
constexpr int kMemoryMinus = 128;
constexpr int kOne = 129;
constexpr int kTwo = 130;
constexpr int kThree = 131;
constexpr int kPower = 132;
constexpr int kPlus = 133;
constexpr int kMinus = 134;
constexpr int kRecallMemory = 135;
constexpr int kZero = 136;
constexpr int kPoint = 137;
constexpr int kPercent = 138;
constexpr int kReciprocal = 139;
constexpr int kSquare = 140;
constexpr int kEquals = 141;
constexpr int kMemoryPlus = 142;

constexpr int kFirstKey = 101;
constexpr int kLastKey = 142;
} // namespace calc

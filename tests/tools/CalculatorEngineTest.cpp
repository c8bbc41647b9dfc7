// The calculator's key machine without a window: one named row per key sequence, written
// as the keys' captions ("12" types two digits; "M+", "F->C", "<-" are single keys).

#include "tools/CalculatorEngine.h"
#include "tools/CalculatorKeys.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<int> Keys(const std::string& sequence) {
    static const std::map<std::string, int> named = {
        {"IN->CM", calc::kInToCm},  {"FT->M", calc::kFtToM},    {"MI->KM", calc::kMiToKm},
        {"GL->L", calc::kGlToL},    {"LB->KG", calc::kLbToKg},  {"OZ->G", calc::kOzToG},
        {"F->C", calc::kFToC},      {"CM->IN", calc::kCmToIn},  {"M->FT", calc::kMToFt},
        {"KM->MI", calc::kKmToMi},  {"L->GL", calc::kLToGl},    {"KG->LB", calc::kKgToLb},
        {"G->OZ", calc::kGToOz},    {"C->F", calc::kCToF},      {"NEG", calc::kNegate},
        {"<-", calc::kBackspace},   {"C", calc::kClear},        {"EM", calc::kClearMemory},
        {"M+", calc::kMemoryPlus},  {"M-", calc::kMemoryMinus}, {"RM", calc::kRecallMemory},
        {"SQT", calc::kSquareRoot}, {"SQR", calc::kSquare},     {"1/Y", calc::kReciprocal},
        {"+", calc::kPlus},         {"-", calc::kMinus},        {"*", calc::kMultiply},
        {"/", calc::kDivide},       {"POW", calc::kPower},      {"%", calc::kPercent},
        {"=", calc::kEquals},       {"0", calc::kZero},         {"1", calc::kOne},
        {"2", calc::kTwo},          {"3", calc::kThree},        {"4", calc::kFour},
        {"5", calc::kFive},         {"6", calc::kSix},          {"7", calc::kSeven},
        {"8", calc::kEight},        {"9", calc::kNine},         {".", calc::kPoint},
    };
    std::vector<int> keys;
    std::istringstream in(sequence);
    for (std::string token; in >> token;) {
        if (const auto found = named.find(token); found != named.end()) {
            keys.push_back(found->second);
            continue;
        }
        // A number: one key per digit or point.
        for (const char c : token) {
            const auto key = named.find(std::string(1, c));
            EXPECT_NE(key, named.end()) << "no key for " << token;
            keys.push_back(key == named.end() ? 0 : key->second);
        }
    }
    return keys;
}

std::string Type(CalculatorEngine& engine, const std::string& sequence) {
    for (const int key : Keys(sequence)) {
        engine.Press(key);
    }
    return engine.Display();
}

struct Row {
    const char* name;
    const char* keys;
    const char* shows;
};

void ExpectRows(std::initializer_list<Row> rows) {
    for (const Row& row : rows) {
        CalculatorEngine engine;
        EXPECT_EQ(Type(engine, row.keys), row.shows) << row.name << ": " << row.keys;
    }
}

TEST(CalculatorKeys, ChainsWorkStrictlyLeftToRight) {
    ExpectRows({
        {"a result carries on", "2 + 3 = * 4 =", "20"},
        {"no precedence", "2 + 3 * 4 =", "20"},
        {"percent", "200 % 15 =", "30"},
        {"power", "2 POW 10 =", "1024"},
        {"operators in a row: the first applies, the last stays", "9 + * - 1 =", "8"},
        {"a number after = starts a new chain", "4 = 5 + 1 =", "6"},
        {"negating a result", "5 = NEG", "-5"},
        {"the operator after it uses the accumulator", "5 = NEG + 3 =", "8"},
        {"one third", "1 / 3 =", "0.333333333333333"},
        {"a function's result goes on", "9 SQT + 1 =", "4"},
        {"F->C uses 0.56, not 5/9", "100 F->C", "38.08"},
        {"C->F", "100 C->F", "212"},
    });
}

TEST(CalculatorKeys, ConvertsOneByEachFactor) {
    ExpectRows({
        {"inches to centimetres", "1 IN->CM", "2.54001"},
        {"feet to metres", "1 FT->M", "0.304801"},
        {"miles to kilometres", "1 MI->KM", "1.60935"},
        {"gallons to litres", "1 GL->L", "3.78533"},
        {"pounds to kilograms", "1 LB->KG", "0.45359"},
        {"ounces to grams", "1 OZ->G", "28.3495"},
        {"Fahrenheit to Celsius", "1 F->C", "-17.36"},
        {"centimetres to inches", "1 CM->IN", "0.3937"},
        {"metres to feet", "1 M->FT", "3.28083"},
        {"kilometres to miles", "1 KM->MI", "0.62137"},
        {"litres to gallons", "1 L->GL", "0.26418"},
        {"kilograms to pounds", "1 KG->LB", "2.20462"},
        {"grams to ounces", "1 G->OZ", "0.03527"},
        {"Celsius to Fahrenheit", "1 C->F", "33.8"},
    });
}

TEST(CalculatorKeys, TypingKeepsFifteenCharactersAndOnePoint) {
    ExpectRows({
        {"fifteen digits fill the display", "123456789012345", "123456789012345"},
        {"a sixteenth replaces the fifteenth", "1234567890123456", "123456789012346"},
        {"a second point is ignored", "1.2.3", "1.23"},
        {"backspace on 0. does nothing", ". <-", "0."},
        {"backspace takes the point off 12., and a point is taken again", "12. <- <- .5", "1.5"},
        {"no minus zero", "0 NEG", "0"},
    });
}

TEST(CalculatorKeys, MemoryAddsSubtractsRecallsAndEmpties) {
    ExpectRows({
        {"M+ twice, Clear between", "3 M+ C 4 M+ C RM", "7"},
        {"EM empties", "3 M+ C 4 M+ C EM RM", "0"},
        {"digits after RM continue the number", "7 M+ C RM 5", "75"},
        {"M-", "5 M- C 2 M- RM", "-7"},
        // 7.5 recalled already holds its point: a second one would show 7.5.2 yet count 7.5.
        {"a recalled fraction takes no second point", "7.5 M+ C RM .2", "7.52"},
    });
}

TEST(CalculatorKeys, ErrorsShowEUntilClear) {
    ExpectRows({
        {"division by zero", "10 / 0 =", "E"},
        {"zero to the power zero", "0 POW 0 =", "E"},
        {"root of a negative", "4 NEG SQT", "E"},
        {"reciprocal of zero", "0 1/Y", "E"},
        {"negative base, fractional power", "8 NEG POW .5 =", "E"},
        {"beyond the range of reals", "123456789012345 SQR SQR SQR SQR SQR", "E"},
        {"every key but Clear leaves E", "10 / 0 = 5 + 3 = RM NEG <- . SQR 7", "E"},
        {"Clear ends it", "10 / 0 = C 2 + 2 =", "4"},
        {"numbers typed meanwhile do not reach the memory", "2 M+ C 1 / 0 = 7 M+ C RM", "2"},
        {"EM still empties the memory", "2 M+ C 1 / 0 = EM C RM", "0"},
    });
}

TEST(CalculatorKeys, ShownValuesTakeGeneralFormWithinNineteenCharacters) {
    EXPECT_EQ(CalculatorEngine::Format(1.5e20), "1.5E+20");
    EXPECT_EQ(CalculatorEngine::Format(1e-5), "1E-05");
    EXPECT_EQ(CalculatorEngine::Format(0.0001), "0.0001");
    EXPECT_EQ(CalculatorEngine::Format(1e15), "1E+15");
    // Fifteen digits would make 21 and 22 characters: fewer digits until the text fits.
    EXPECT_EQ(CalculatorEngine::Format(-1.0 / 7000), "-0.0001428571428571");
    EXPECT_EQ(CalculatorEngine::Format(-1.23456789012345e-100), "-1.23456789012E-100");
    ExpectRows({{"a fifteen-digit square", "123456789012345 SQR", "1.5241578753239E+28"}});
}

} // namespace

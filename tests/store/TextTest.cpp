#include "store/EscapedText.h"
#include "store/NumberText.h"
#include "store/Windows1252.h"

#include <gtest/gtest.h>

#include <cmath>
#include <climits>

namespace {

TEST(NumberText, DecimalsReadWhatLooksLikeANumberAndStopThere) {
    EXPECT_DOUBLE_EQ(NumberText::ReadDecimal("  12.50 km"), 12.5);
    EXPECT_DOUBLE_EQ(NumberText::ReadDecimal("-3"), -3.0);
    EXPECT_DOUBLE_EQ(NumberText::ReadDecimal("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(NumberText::ReadDecimal("7."), 7.0);
    EXPECT_DOUBLE_EQ(NumberText::ReadDecimal("1.5e2x"), 150.0);
    EXPECT_DOUBLE_EQ(NumberText::ReadDecimal("2e"), 2.0);   // a bare e is not an exponent
    EXPECT_DOUBLE_EQ(NumberText::ReadDecimal("2e+"), 2.0);
    EXPECT_DOUBLE_EQ(NumberText::ReadDecimal("3,5"), 3.0);  // the point is always '.'
    for (const char* none : {"", "   ", "abc", "-", ".", "e5", "+-1"}) {
        EXPECT_EQ(NumberText::ReadDecimal(none), 0.0) << none;
    }
    EXPECT_TRUE(std::isinf(NumberText::ReadDecimal("1e999")));
    EXPECT_EQ(NumberText::ReadDecimal("1e-999"), 0.0);
    EXPECT_EQ(NumberText::ReadDecimal("-0.0000e-999"), 0.0);
}

TEST(NumberText, IntegersSaturateInsteadOfOverflowing) {
    EXPECT_EQ(NumberText::ReadInteger(" 072bpm"), 72);
    EXPECT_EQ(NumberText::ReadInteger("-15"), -15);
    EXPECT_EQ(NumberText::ReadInteger("12.9"), 12);
    EXPECT_EQ(NumberText::ReadInteger("x1"), 0);
    EXPECT_EQ(NumberText::ReadInteger("2147483647"), INT_MAX);
    EXPECT_EQ(NumberText::ReadInteger("99999999999999999999"), INT_MAX);
    EXPECT_EQ(NumberText::ReadInteger("-2147483648"), INT_MIN);
    EXPECT_EQ(NumberText::ReadInteger("-99999999999999999999"), INT_MIN);
}

TEST(Windows1252, EveryByteDecodesAndEncodesBackUnchanged) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    const std::string utf8 = Windows1252::Decode(all);
    std::string back;
    ASSERT_TRUE(Windows1252::EncodeExact(utf8, back));
    EXPECT_EQ(back, all);
    EXPECT_EQ(Windows1252::Decode("\x80\x96\xe9\xff"), "\u20ac\u2013\u00e9\u00ff");
}

TEST(Windows1252, CharactersTheCodePageLacksBecomeQuestionMarks) {
    EXPECT_EQ(Windows1252::Encode("Caf\u00e9 \u20ac5"), "Caf\xe9 \x80" "5");
    EXPECT_EQ(Windows1252::Encode("run \u2603 \U0001F3C3!"), "run ? ?!");
    EXPECT_EQ(Windows1252::Encode("a\xff" "b\xc3"), "a?b?"); // malformed UTF-8
    EXPECT_EQ(Windows1252::Encode("\xed\xa0\x80"), "?");     // an encoded surrogate
    std::string out;
    EXPECT_FALSE(Windows1252::EncodeExact("\u0100", out));
    EXPECT_EQ(out, "?");
    EXPECT_TRUE(Windows1252::EncodeExact("plain", out));
    EXPECT_EQ(out, "plain");
}

// Names and contents quoted in messages: controls, DEL, C1 controls and bytes that are no
// UTF-8 are shown as escapes; every other character stays as it is.
TEST(EscapedText, ControlsAndStrayBytesAreShownAsEscapes) {
    const struct {
        const char* name;
        std::string text, shown;
    } kCases[] = {
        {"plain text and UTF-8", "Caf\u00e9 \u2192 run.fit", "Caf\u00e9 \u2192 run.fit"},
        {"an escape sequence", "a\x1b[2Jb", "a\\x1b[2Jb"},
        {"line end, tab, NUL and DEL", std::string("\n\t\0\x7f", 4), "\\x0a\\x09\\x00\\x7f"},
        {"a C1 control", "a\u009bb", "a\\u009bb"},
        {"bytes that are no UTF-8", "a\x9b!\xc3", "a\\x9b!\\xc3"},
        {"a backslash stays", "a\\b", "a\\b"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(EscapedText::Of(c.text), c.shown) << c.name;
    }
}

} // namespace

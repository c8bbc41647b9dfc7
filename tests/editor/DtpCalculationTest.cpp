#include "editor/DtpCalculation.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// From two of distance, time and pace the third and the speed; from fewer, nothing changes.
TEST(DtpCalculationTest, TheMissingValueAndTheSpeed) {
    const struct {
        DtpCalculation given;
        bool calculated;
        DtpCalculation result;
    } rows[] = {
        {{10, 3000, 0, 9}, true, {10, 3000, 300, 12}},
        {{10, 0, 300, 9}, true, {10, 3000, 300, 12}},
        {{0, 3000, 300, 9}, true, {10, 3000, 300, 12}},
        {{10, 3000, 540, 9}, true, {10, 3000, 300, 12}}, // the pace distance and time imply
        {{7, 3600, 0, 9}, true, {7, 3600, 514.2857F, 7}},
        {{10, 0, 0, 9}, false, {10, 0, 0, 9}},
        {{0, 3000, 0, 9}, false, {0, 3000, 0, 9}},
        {{0, 0, 0, 9}, false, {0, 0, 0, 9}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        DtpCalculation c = row.given;
        EXPECT_EQ(c.Calculate(), row.calculated);
        EXPECT_EQ(c.distance, row.result.distance);
        EXPECT_EQ(c.time, row.result.time);
        EXPECT_NEAR(c.pace, row.result.pace, 1e-3);
        EXPECT_EQ(c.speed, row.result.speed);
    }
}

TEST(DtpCalculationTest, WholeSecondsCutTheFractionAndStayInRange) {
    const struct {
        float seconds;
        std::int32_t whole;
    } rows[] = {
        {59.99F, 59},
        {514.2857F, 514},
        {-1.5F, -1},
        {999999.0F * 215999.0F, 2147483647}, // 999999 units at 59:59:59 a unit
        {std::numeric_limits<float>::infinity(), 2147483647},
        {std::numeric_limits<float>::quiet_NaN(), 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(DtpCalculation::WholeSeconds(row.seconds), row.whole) << row.seconds;
    }
}

} // namespace

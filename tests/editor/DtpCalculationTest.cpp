#include "editor/DtpCalculation.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

DtpCalculation Given(float distance, float time, float pace) {
    DtpCalculation c;
    c.distance = distance;
    c.time = time;
    c.pace = pace;
    return c;
}

TEST(DtpCalculationTest, TheMissingValueAndTheSpeed) {
    DtpCalculation c = Given(10, 3000, 0);
    ASSERT_TRUE(c.Calculate());
    EXPECT_EQ(c.pace, 300.0F);
    EXPECT_EQ(c.speed, 12.0F);

    c = Given(10, 0, 300);
    ASSERT_TRUE(c.Calculate());
    EXPECT_EQ(c.time, 3000.0F);
    EXPECT_EQ(c.speed, 12.0F);

    c = Given(0, 3000, 300);
    ASSERT_TRUE(c.Calculate());
    EXPECT_EQ(c.distance, 10.0F);
    EXPECT_EQ(c.speed, 12.0F);

    c = Given(10, 3000, 540); // a given pace is replaced by the one distance and time imply
    ASSERT_TRUE(c.Calculate());
    EXPECT_EQ(c.pace, 300.0F);

    c = Given(7, 3600, 0);
    ASSERT_TRUE(c.Calculate());
    EXPECT_NEAR(c.pace, 514.2857F, 1e-3);
    EXPECT_EQ(DtpCalculation::WholeSeconds(c.pace), 514);
    EXPECT_EQ(c.speed, 7.0F);
}

TEST(DtpCalculationTest, FewerThanTwoValuesChangeNothing) {
    for (DtpCalculation c : {Given(10, 0, 0), Given(0, 3000, 0), Given(0, 0, 0)}) {
        c.speed = 9;
        const DtpCalculation before = c;
        EXPECT_FALSE(c.Calculate());
        EXPECT_EQ(c.distance, before.distance);
        EXPECT_EQ(c.time, before.time);
        EXPECT_EQ(c.pace, before.pace);
        EXPECT_EQ(c.speed, 9.0F);
    }
}

TEST(DtpCalculationTest, WholeSecondsCutTheFractionAndStayInRange) {
    EXPECT_EQ(DtpCalculation::WholeSeconds(59.99F), 59);
    EXPECT_EQ(DtpCalculation::WholeSeconds(-1.5F), -1);
    // 999999 units at 59:59:59 a unit is far beyond the 32-bit range of seconds.
    EXPECT_EQ(DtpCalculation::WholeSeconds(999999.0F * 215999.0F),
              std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(DtpCalculation::WholeSeconds(std::numeric_limits<float>::infinity()),
              std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(DtpCalculation::WholeSeconds(std::numeric_limits<float>::quiet_NaN()), 0);
}

} // namespace

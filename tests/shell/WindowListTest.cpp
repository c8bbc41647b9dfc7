#include "shell/WindowList.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowList, KeepsOpeningOrderAndWrapsAroundBothWays) {
    WindowList list;
    EXPECT_EQ(list.Next(1), nullptr);
    list.Add(10, 4);
    EXPECT_EQ(list.Next(10)->handle, 10U); // alone: its own node both ways
    EXPECT_EQ(list.Previous(10)->handle, 10U);
    list.Add(20, 5);
    list.Add(30, 7);
    list.Add(20, 5); // once only
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Next(20)->handle, 30U);
    EXPECT_EQ(list.Next(30)->handle, 10U);
    EXPECT_EQ(list.Previous(10)->handle, 30U);
    EXPECT_EQ(list.Find(30)->kind, 7);
    EXPECT_EQ(list.Find(99), nullptr);
    EXPECT_EQ(list.Previous(99), nullptr);

    // Closing a tool and opening it again puts it at the end.
    list.Remove(5);
    list.Remove(5);
    list.Add(21, 5);
    EXPECT_EQ(list.Next(30)->handle, 21U);
    EXPECT_EQ(list.Head()->handle, 10U);
}

TEST(WindowList, RemovesOnlyTheFirstNodeOfAKind) {
    WindowList list;
    list.Add(1, 6);
    list.Add(2, 6);
    list.Remove(6);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Head()->handle, 2U);
    list.Remove(8);
    EXPECT_EQ(list.Count(), 1);
}

} // namespace

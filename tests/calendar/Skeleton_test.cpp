#include <gtest/gtest.h>
TEST(Skeleton, Runs) { EXPECT_EQ(1, 1); }

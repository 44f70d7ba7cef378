#include "htmlengine/support/mul_div.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

TEST(MulDivTest, RoundsToNearestWithoutOverflow) {
  EXPECT_EQ(MulDiv(5, 1, 2), 3);
  EXPECT_EQ(MulDiv(-5, 1, 2), -3);
  EXPECT_EQ(MulDiv(2, 1, 3), 1);
  EXPECT_EQ(MulDiv(1, 1, 3), 0);
  EXPECT_EQ(MulDiv(14, 72, 28), 36);
  EXPECT_EQ(MulDiv(2'000'000'000, 2'000'000'000, 4'000'000'000), 1'000'000'000);
  EXPECT_EQ(MulDiv(int64_t{1} << 40, int64_t{1} << 40, int64_t{1} << 41), int64_t{1} << 39);
  EXPECT_EQ(MulDiv(7, 3, 0), 0);  // no share of nothing
}

}  // namespace
}  // namespace folverin

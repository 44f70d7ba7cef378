#include "browser/zoom_steps.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

TEST(ZoomSteps, GoOneStepAndStopAtTheEnds) {
  EXPECT_EQ(ZoomedIn(100), 110);
  EXPECT_EQ(ZoomedOut(100), 90);
  EXPECT_EQ(ZoomedOut(ZoomedIn(100)), 100);
  // Between two steps: to the neighbour in that direction.
  EXPECT_EQ(ZoomedIn(105), 110);
  EXPECT_EQ(ZoomedOut(105), 100);
  // At the ends the level stays.
  const int largest = ZoomSteps().back();
  const int smallest = ZoomSteps().front();
  EXPECT_EQ(ZoomedIn(largest), largest);
  EXPECT_EQ(ZoomedOut(smallest), smallest);
  // From one end to the other in as many steps as the list has.
  int level = smallest;
  for (size_t i = 1; i < ZoomSteps().size(); ++i) level = ZoomedIn(level);
  EXPECT_EQ(level, largest);
}

TEST(ZoomSteps, WheelMakesOneStepPerNotchAndAddsUpFineTurns) {
  int pending = 0;
  EXPECT_EQ(ZoomedByWheel(100, 120, pending), 110);
  EXPECT_EQ(ZoomedByWheel(100, 240, pending), 125);
  EXPECT_EQ(ZoomedByWheel(100, -120, pending), 90);
  // A fine wheel: two halves make one step.
  EXPECT_EQ(ZoomedByWheel(100, 60, pending), 100);
  EXPECT_EQ(ZoomedByWheel(100, 60, pending), 110);
  EXPECT_EQ(pending, 0);
  // Turning back drops what was pending.
  EXPECT_EQ(ZoomedByWheel(100, 60, pending), 100);
  EXPECT_EQ(ZoomedByWheel(100, -60, pending), 100);
  EXPECT_EQ(ZoomedByWheel(100, -60, pending), 90);
}

TEST(ZoomSteps, StoredLevelIsPutOnTheList) {
  EXPECT_EQ(StoredZoom(std::nullopt), 100);
  EXPECT_EQ(StoredZoom(150), 150);
  EXPECT_EQ(StoredZoom(152), 150);
  EXPECT_EQ(StoredZoom(ZoomSteps().back() + 20), ZoomSteps().back());
  // Values no window could have stored.
  EXPECT_EQ(StoredZoom(0), 100);
  EXPECT_EQ(StoredZoom(-50), 100);
  EXPECT_EQ(StoredZoom(100000), 100);
}

}  // namespace
}  // namespace folverin

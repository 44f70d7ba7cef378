#include "app/window_cascade.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

// Every window has the same size, lies inside the area, and the next one
// is one step further down and right until the offsets start again.
void ExpectCascade(int width, int height, int count, int step) {
  SCOPED_TRACE(testing::Message() << width << "x" << height << " count " << count << " step " << step);
  const std::vector<TWindowRect> places = CascadeWindows(width, height, count, step);
  ASSERT_EQ(places.size(), static_cast<size_t>(count));
  for (size_t i = 0; i < places.size(); ++i) {
    const TWindowRect& place = places[i];
    EXPECT_EQ(place.Width, places[0].Width);
    EXPECT_EQ(place.Height, places[0].Height);
    EXPECT_GE(place.Left, 0);
    EXPECT_GE(place.Top, 0);
    EXPECT_LE(place.Left + place.Width, width);
    EXPECT_LE(place.Top + place.Height, height);
    EXPECT_GE(place.Width * 3, width * 2 - 3 * step);
    EXPECT_GE(place.Height * 3, height * 2 - 3 * step);
    if (i > 0 && place.Left > 0) {
      EXPECT_EQ(place.Left, places[i - 1].Left + step);
      EXPECT_EQ(place.Top, places[i - 1].Top + step);
    }
  }
}

TEST(WindowCascade, ThreeWindowsShareOneSizeOneStepApart) {
  const std::vector<TWindowRect> places = CascadeWindows(1000, 700, 3, 24);
  EXPECT_EQ(places, (std::vector<TWindowRect>{{0, 0, 952, 652}, {24, 24, 952, 652}, {48, 48, 952, 652}}));
  EXPECT_EQ(CascadeWindows(1000, 700, 1, 24), (std::vector<TWindowRect>{{0, 0, 1000, 700}}));
  EXPECT_TRUE(CascadeWindows(1000, 700, 0, 24).empty());
}

TEST(WindowCascade, ManyWindowsStartAgainAndStayInsideTheArea) {
  for (const int count : {2, 5, 9, 10, 11, 40})
    for (const int step : {1, 24, 300}) ExpectCascade(1000, 700, count, step);
  // 700 / 3 = 233: ten steps of 24 fit, the eleventh window starts again.
  const std::vector<TWindowRect> places = CascadeWindows(1000, 700, 12, 24);
  EXPECT_EQ(places[9].Left, 216);
  EXPECT_EQ(places[10].Left, 0);
  EXPECT_EQ(places[11].Left, 24);
}

TEST(WindowCascade, SmallOrEmptyAreasGiveNoNegativeSizes) {
  ExpectCascade(100, 60, 4, 24);
  ExpectCascade(0, 0, 3, 24);
  for (const TWindowRect& place : CascadeWindows(-5, 300, 2, 24)) {
    EXPECT_GE(place.Width, 0);
    EXPECT_GE(place.Height, 0);
  }
  EXPECT_EQ(CascadeWindows(800, 600, 3, 0), (std::vector<TWindowRect>(3, TWindowRect{0, 0, 800, 600})));
}

}  // namespace
}  // namespace folverin

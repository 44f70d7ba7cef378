#include "app/full_screen.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

TEST(FullScreen, EnteringHidesTheBarsAndTurnsTheToolbarSettingOff) {
  TAppSettings settings;
  settings.ShowToolbar = true;
  const TFullScreenStep in = ToggleFullScreen(false, settings);
  EXPECT_TRUE(in.FullScreen);
  EXPECT_FALSE(in.ShowBars);
  EXPECT_FALSE(settings.ShowToolbar);
}

TEST(FullScreen, LeavingShowsTheBarsAndLeavesTheToolbarSettingAsItIs) {
  for (const bool showToolbar : {false, true}) {
    SCOPED_TRACE(showToolbar);
    TAppSettings settings;
    settings.ShowToolbar = showToolbar;
    const TFullScreenStep out = ToggleFullScreen(true, settings);
    EXPECT_FALSE(out.FullScreen);
    EXPECT_TRUE(out.ShowBars);
    EXPECT_EQ(settings.ShowToolbar, showToolbar);
  }
}

TEST(FullScreen, InAndOutLeavesTheToolbarOffForLaterWindows) {
  TAppSettings settings;
  settings.ShowToolbar = true;
  const TFullScreenStep in = ToggleFullScreen(false, settings);
  const TFullScreenStep out = ToggleFullScreen(in.FullScreen, settings);
  EXPECT_FALSE(out.FullScreen);
  EXPECT_TRUE(out.ShowBars);
  EXPECT_FALSE(settings.ShowToolbar);
}

}  // namespace
}  // namespace folverin

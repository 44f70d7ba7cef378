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

// Escape belongs to the page (and to the address box) except in full-screen
// mode, where it is the way out a reader expects.
TEST(FullScreen, F11TogglesAndEscapeOnlyLeaves) {
  EXPECT_TRUE(KeyTogglesFullScreen(TFullScreenKey::F11, false));
  EXPECT_TRUE(KeyTogglesFullScreen(TFullScreenKey::F11, true));
  EXPECT_TRUE(KeyTogglesFullScreen(TFullScreenKey::Escape, true));
  EXPECT_FALSE(KeyTogglesFullScreen(TFullScreenKey::Escape, false));
  EXPECT_FALSE(KeyTogglesFullScreen(TFullScreenKey::Other, true));
}

}  // namespace
}  // namespace folverin

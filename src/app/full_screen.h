// The full-screen toggle of the main window ("Vollbild", F11 in a browser
// window, ShowFullScreen at start-up): the mode it leads to, which bars show
// in it, and what it does to the toolbar setting.
#pragma once

#include "app/app_settings.h"

namespace folverin {

struct TFullScreenStep {
  bool FullScreen = false;  // the mode after the toggle
  // The frame's menu bar and the active browser window's toolbar and status
  // bar: hidden in full-screen mode, shown again when it is left.
  bool ShowBars = true;
};

// Toggles from `fullScreen`. Entering turns ShowToolbar off, so that browser
// windows opened later have no toolbar; leaving does not turn it on again
// (the toolbar comes back only in the window that was active, and through
// the "Toolbar" switch).
TFullScreenStep ToggleFullScreen(bool fullScreen, TAppSettings& settings);

// The keys of a browser window that reach the toggle, from the page and from
// the address box alike: F11 always, Escape only to leave full-screen mode.
enum class TFullScreenKey { F11, Escape, Other };
bool KeyTogglesFullScreen(TFullScreenKey key, bool fullScreen);

}  // namespace folverin

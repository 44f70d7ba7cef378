#include "app/full_screen.h"

namespace folverin {

TFullScreenStep ToggleFullScreen(bool fullScreen, TAppSettings& settings) {
  TFullScreenStep step;
  step.FullScreen = !fullScreen;
  step.ShowBars = !step.FullScreen;
  if (step.FullScreen) settings.ShowToolbar = false;
  return step;
}

bool KeyTogglesFullScreen(TFullScreenKey key, bool fullScreen) {
  return key == TFullScreenKey::F11 || (key == TFullScreenKey::Escape && fullScreen);
}

}  // namespace folverin

// The program's own pictures for tool buttons, menus and tabs.
#pragma once

#include <QIcon>

namespace folverin {

enum class TAppIcon {
  None,
  Open,
  Refresh,
  Back,
  Forward,
  Stop,
  Find,
  Print,
  Preview,
  Favorites,
  History,
  Options,
  Source,
  Index,
  BrowserWindow,
};

QIcon AppIcon(TAppIcon icon);

}  // namespace folverin

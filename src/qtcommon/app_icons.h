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
  // The source editor's bar.
  New,
  Save,
  FindNext,
  Replace,
  CheckLinks,
  Elements,
  WordWrap,
  OfflineOnly,
};

// The picture in the sizes drawn for it (22 and 16 pixels); the none
// picture for None.
QIcon AppIcon(TAppIcon icon);

}  // namespace folverin

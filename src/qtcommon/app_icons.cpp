#include "qtcommon/app_icons.h"

namespace folverin {

namespace {

const char* IconFile(TAppIcon icon) {
  switch (icon) {
    case TAppIcon::None: return nullptr;
    case TAppIcon::Open: return "open";
    case TAppIcon::Refresh: return "refresh";
    case TAppIcon::Back: return "back";
    case TAppIcon::Forward: return "forward";
    case TAppIcon::Stop: return "stop";
    case TAppIcon::Find: return "find";
    case TAppIcon::Print: return "print";
    case TAppIcon::Preview: return "preview";
    case TAppIcon::Favorites: return "favorites";
    case TAppIcon::History: return "history";
    case TAppIcon::Options: return "options";
    case TAppIcon::Source: return "source";
    case TAppIcon::Index: return "index";
    case TAppIcon::BrowserWindow: return "browser";
    case TAppIcon::New: return "new";
    case TAppIcon::Save: return "save";
    case TAppIcon::FindNext: return "find-next";
    case TAppIcon::Replace: return "replace";
    case TAppIcon::CheckLinks: return "check-links";
    case TAppIcon::Elements: return "elements";
    case TAppIcon::WordWrap: return "word-wrap";
    case TAppIcon::OfflineOnly: return "offline";
  }
  return nullptr;
}

}  // namespace

QIcon AppIcon(TAppIcon icon) {
  const char* file = IconFile(icon);
  if (!file) return {};
  QIcon picture(QStringLiteral(":/icons/%1.png").arg(QLatin1String(file)));
  picture.addFile(QStringLiteral(":/icons/16/%1.png").arg(QLatin1String(file)));
  return picture;
}

}  // namespace folverin

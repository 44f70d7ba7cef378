#include "browser/navigation_policy.h"

namespace folverin {

namespace {

bool IsOnlineScheme(std::string_view scheme) {
  return scheme == "http:" || scheme == "https:" || scheme == "ftp:" || scheme == "mailto:";
}

}  // namespace

AnsiString NavigationExtension(std::string_view lowerAddress) {
  const size_t dot = lowerAddress.rfind('.');
  if (dot == std::string_view::npos) return {};
  const std::string_view extension = lowerAddress.substr(dot);
  if (extension.find_first_of("\\:") != std::string_view::npos) return {};
  return AnsiString(extension);
}

TNavigationDecision DecideNavigation(std::string_view address, const TNavigationSwitches& switches) {
  const AnsiString a = Trim(LowerCase(address));
  if (a == "about:blank") return {};

  const size_t colon = a.find(':');
  const std::string_view scheme =
      colon == AnsiString::npos ? std::string_view() : std::string_view(a).substr(0, colon + 1);

  if (IsOnlineScheme(scheme) || a.find('#') != AnsiString::npos) {
    if (switches.AllowOnline) return {};
    return {TNavigationAction::RefuseBeep, {}, {}};
  }

  if (scheme == "search-internal:") {
    const size_t equals = a.find('=', colon + 1);
    AnsiString query = equals == AnsiString::npos ? a : a.substr(equals + 1);
    if (query.empty()) return {TNavigationAction::RefuseBeep, {}, {}};
    return {TNavigationAction::RunSearch, {}, std::move(query)};
  }

  const AnsiString extension = NavigationExtension(a);
  if (extension == ".htm" || extension == ".html") return {};
  return {TNavigationAction::ShellOpen, AnsiString(address), {}};
}

TNewWindowPlacement DecideNewWindow(const TNavigationSwitches& switches) {
  return switches.AllowNewWindow ? TNewWindowPlacement::NewWindow : TNewWindowPlacement::SameWindow;
}

TContextMenuChoice DecideContextMenu(bool ctrlHeld, const TNavigationSwitches& switches) {
  return ctrlHeld && switches.ShowIEPopup ? TContextMenuChoice::EngineMenu : TContextMenuChoice::OwnMenu;
}

}  // namespace folverin

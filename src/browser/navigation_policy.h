// The rules every navigation of a browser window is put to before it
// happens: pass, refuse with a beep, hand to the shell, or run a full-text
// search. The window copies its three switches when it is created and
// applies the decision; the rules themselves live here.
#pragma once

#include <string_view>

#include "common/ansi_string.h"

namespace folverin {

struct TNavigationSwitches {
  bool AllowOnline = true;
  bool AllowNewWindow = true;
  bool ShowIEPopup = true;
};

enum class TNavigationAction {
  Pass,         // let the control navigate
  RefuseBeep,   // cancel and sound the default beep (online address refused, empty query)
  ShellOpen,    // cancel and hand Target to the shell
  RunSearch,    // cancel and run the document search with Query in this window
};

struct TNavigationDecision {
  TNavigationAction Action = TNavigationAction::Pass;
  AnsiString Target;  // ShellOpen: the address exactly as reported
  AnsiString Query;   // RunSearch: lower-cased, trimmed, not decoded
};

TNavigationDecision DecideNavigation(std::string_view address, const TNavigationSwitches& switches);

// The extension the document rule tests: from the last "." to the end when
// no backslash and no ":" follows it; "/" does not end it.
AnsiString NavigationExtension(std::string_view lowerAddress);

enum class TNewWindowPlacement { NewWindow, SameWindow };
TNewWindowPlacement DecideNewWindow(const TNavigationSwitches& switches);

enum class TContextMenuChoice { OwnMenu, EngineMenu };
// A right click with Ctrl held shows the engine's own menu when allowed.
TContextMenuChoice DecideContextMenu(bool ctrlHeld, const TNavigationSwitches& switches);

}  // namespace folverin

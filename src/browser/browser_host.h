// TBrowserHost: what a browser window asks of the frame window that holds it.
// The main window implements it; a browser window knows the frame only
// through these calls, so that the browser windows build without the frame.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "common/ansi_string.h"

class QMenu;
class QWidget;

namespace folverin {

class TChildForm;
struct TAppSettings;
struct TSearchCounters;

// Tells the search runs apart: the progress dialog belongs to the run that
// showed it last.
using TSearchRunId = std::uint64_t;

class TBrowserHost {
 public:
  virtual ~TBrowserHost() = default;

  // What every browser window shares with the others: the settings of the
  // run, the counters of the one search that runs at a time, the folder
  // (with a trailing separator) last chosen by a link command of any
  // window, and the recently used list with its drop-down menu.
  virtual const TAppSettings& AppSettings() const = 0;
  virtual TSearchCounters& SearchCounters() = 0;
  virtual AnsiString& SharedTargetFolder() = 0;
  virtual const std::vector<AnsiString>& RecentEntries() const = 0;
  virtual QMenu* RecentMenu() const = 0;
  virtual void AddRecent(const AnsiString& entry) = 0;

  // Frame commands a browser window offers or needs. CloseChild is how a
  // browser window closes itself, so that the frame's part of it goes too.
  virtual TChildForm* OpenBrowserWindow(const QString& address) = 0;
  virtual void mnuNewClick() = 0;
  virtual void CloseChild(QWidget* child) = 0;
  virtual void CloseProgram() = 0;
  virtual void mnuFullScreenClick() = 0;
  virtual bool IsFullScreen() const = 0;
  // Shows or hides the quick search window; whether it is visible now.
  virtual bool ToggleQuickSearchWindow() = 0;

  // The program's one search progress dialog. A run shows it (again, after
  // a search of another window took it over) with the step that cancels the
  // run; the dialog shows the document being read; when the run ends the
  // dialog goes, unless another run has taken it over meanwhile.
  virtual void ShowSearchProgress(TSearchRunId run, const std::function<void()>& cancel) = 0;
  virtual void ShowSearchedDocument(const QString& path) = 0;
  virtual void EndSearchProgress(TSearchRunId run) = 0;
};

}  // namespace folverin

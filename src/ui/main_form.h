// TMainForm: the program's frame window. It holds the settings for the whole
// run, applies what their reading returned, and hosts the browser windows
// with their tab strip, the merged menu bar and the recently used list.
#pragma once

#include <QList>
#include <QMainWindow>

#include "app/app_settings.h"
#include "app/recent_list.h"
#include "app/tools_menu.h"
#include "app/version_info.h"
#include "browser/browser_host.h"
#include "common/private_temp_dir.h"
#include "search/document_search.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTabBar;

namespace folverin {

class TAboutBox;
class TActionDlg;
class TChildForm;
class TEditForm;
class TElementsForm;
class TIndexForm;
class TOpenCollectionItems;
class TPromptDlg;

class TMainForm : public QMainWindow, public TBrowserHost {
  Q_OBJECT
 public:
  // The designed client area.
  static constexpr int kDesignedWidth = 632;
  static constexpr int kDesignedHeight = 426;

  TMainForm(const AnsiString& programFile, QWidget* parent = nullptr);
  ~TMainForm() override;

  TAppSettings Settings;
  // The progress dialog of the one search that runs at a time, shared by
  // every browser window.
  TActionDlg* ActionDlg = nullptr;
  TAboutBox* AboutBox = nullptr;
  // The description dialog of every editor window's link and picture
  // commands; its choices hold across the windows.
  TPromptDlg* PromptDlg = nullptr;
  // The element inspector that every editor window calls up.
  TElementsForm* ElementsForm = nullptr;
  TRecentList RecentList;
  // The folder (with a trailing separator) last chosen by a link command of
  // any browser window.
  AnsiString LastTargetFolder;
  // The quick search window; the index buttons show and hide it.
  TIndexForm* QuickSearchWindow = nullptr;
  // "Sammlung öffnen..." and the recent collections, in the frame's "Datei"
  // menu and in every browser window's.
  TOpenCollectionItems* OpenCollection = nullptr;

  const TSettingsOutcome& StartupOutcome() const { return outcome_; }

  // Shows the errors of the start-up: the one the settings reading ended
  // with and a LOGO.BMP that is not a picture.
  void ReportStartupError();

  // The entries of the Tools file: entry i holds program, caption and
  // options of line i and is the menu item with the tag i.
  const std::vector<TToolEntry>& ToolEntries() const { return toolEntries_; }
  void BuildToolsMenu(const TToolsMenu& menu);
  void Tool0ItemClick(QAction* sender);
  // The command a Tools entry starts, empty when it starts nothing (for the
  // tests: starting is not seen).
  AnsiString ToolCommandOf(int tag) const;
  QMenu* ToolsMenu() const { return mnuTools_; }

  // The window sizes of "Fenstergrösse", in menu order.
  struct TWindowSize {
    const char* Caption;
    int Width;
    int Height;
  };
  static const std::vector<TWindowSize>& WindowSizes();
  QMenu* WindowSizeMenu() const { return mnuWindowSize_; }
  void WindowSizeClick(int width, int height);

  // "Index erstellen...": the index builder, then the re-test of the index.
  void mnuCreateIndexClick();
  QAction* CreateIndexItem() const { return mnuCreateIndex_; }
  QAction* HelpIndexItem() const { return mnuHelpIndex_; }
  QAction* IndexSearchItem() const { return mnuIndexSearch_; }
  void mnuAboutClick();

  void ApplyViewSettings();
  bool IsFullScreen() const override;

  // What the browser windows ask of the frame.
  const TAppSettings& AppSettings() const override { return Settings; }
  TSearchCounters& SearchCounters() override { return searchCounters_; }
  AnsiString& SharedTargetFolder() override { return LastTargetFolder; }
  const std::vector<AnsiString>& RecentEntries() const override { return RecentList.Entries(); }
  QMenu* RecentMenu() const override { return recentMenu_; }
  void AddRecent(const AnsiString& entry) override;
  TChildForm* OpenBrowserWindow(const QString& address) override;
  void mnuNewClick() override;
  // Closes a child window (browser windows close through here so that the
  // sub-window around them goes too).
  void CloseChild(QWidget* child) override;
  void CloseProgram() override { close(); }
  void mnuFullScreenClick() override;
  bool ToggleQuickSearchWindow() override;
  void ShowSearchProgress(TSearchRunId run, const std::function<void()>& cancel) override;
  void ShowSearchedDocument(const QString& path) override;
  void EndSearchProgress(TSearchRunId run) override;

  // A source editor window for a local file, as a tab like the browser
  // windows; nothing when the file cannot be read (the message is shown).
  TEditForm* OpenEditorWindow(const QString& fileName);
  QList<TEditForm*> EditorWindows() const;

  QList<TChildForm*> BrowserWindows() const;
  TChildForm* ActiveBrowserWindow() const;
  QMdiArea* MdiArea() const { return mdiArea_; }
  QTabBar* MDITab = nullptr;

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ApplyOutcome();
  void CreateMenus();
  void CreateViewMenu();
  void CreateWindowMenu();
  void CreateWindowSizeMenu();
  void CreateHelpMenu();
  void CreateStartupWindows();
  void RebuildMenuBar();
  void RebuildRecentMenu();
  void RebuildWindowList();
  void TileChildren(Qt::Orientation orientation);
  void CascadeChildren();
  void ReadRecentList();
  void WriteRecentList() const;
  void ViewSwitchClick(QAction* item, bool& setting);
  void FormActivateFirst();

  // Tab strip.
  void AddTab(QMdiSubWindow* window, const QIcon& image);
  void TabChange();
  void ChildActivated(QMdiSubWindow* window);
  void ChildDestroyed(QObject* window);
  int TabOf(QObject* window) const;
  void UpdateTabCaption(QWidget* child, const QString& caption);

  // The user's own folder for the result page; made before the settings
  // are read, removed (when made for this run) after the child windows go.
  TPrivateTempDir scratchFolder_ = TPrivateTempDir::Create();
  TSettingsOutcome outcome_;
  std::vector<TToolEntry> toolEntries_;
  // The counters of the one search that runs at a time.
  TSearchCounters searchCounters_;
  QMdiArea* mdiArea_ = nullptr;
  QRect normalPlace_;  // the window's place before full-screen mode
  QMenu* mnuFile_ = nullptr;
  QMenu* mnuTools_ = nullptr;
  QMenu* mnuView_ = nullptr;
  QMenu* mnuWindow_ = nullptr;
  QMenu* mnuHelp_ = nullptr;
  QMenu* mnuWindowSize_ = nullptr;
  QAction* Tool0Item_ = nullptr;
  QAction* mnuCreateIndex_ = nullptr;
  QAction* mnuHelpIndex_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  QAction* mnuToolbar_ = nullptr;
  QAction* mnuURLs_ = nullptr;
  QAction* mnuFavorites_ = nullptr;
  QAction* mnuHistory_ = nullptr;
  QAction* mnuIndexSearch_ = nullptr;
  QAction* mnuFullScreen_ = nullptr;
  bool activated_ = false;
  bool quitWhenSearchEnds_ = false;
  bool destroying_ = false;
};

}  // namespace folverin

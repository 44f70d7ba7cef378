// TChildForm: the browser window. It hosts one embedded browser and adds the
// toolbar, the address bar, the status bar, its menu for merging and the
// context menu; it applies the navigation policy's decisions and runs the
// full-text search that a document asks for.
#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <optional>

#include "browser/browser_host.h"
#include "browser/browser_zoom.h"
#include "browser/embedded_browser.h"
#include "browser/hit_highlighter.h"
#include "browser/navigation_policy.h"
#include "browser/shell_pane.h"
#include "search/document_search.h"
#include "search/search_parser.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QProgressBar;
class QSplitter;
class QStatusBar;
class QToolBar;
class QToolButton;

namespace folverin {

class TChildForm : public QMainWindow {
  Q_OBJECT
 public:
  explicit TChildForm(TBrowserHost& host, QWidget* parent = nullptr);

  TEmbeddedBrowser* wb = nullptr;

  // State the other windows read or write.
  QString CurrentAddress;
  TNavigationSwitches Switches;  // AllowNewWindow, ShowIEPopup, AllowOnline
  QString PendingHighlight;
  QString HighlightFrame;
  TContextElement ContextElement;
  QString ContextDocumentURL;
  TResultPage ResultPage;
  TParser QueryParser;
  AnsiString LastResultFile;

  void NavigateCurrent();
  void StartDocumentSearch(const AnsiString& query);
  void CancelDocumentSearch();
  bool SearchRunning() const { return searchRunning_; }

  // The handlers of the control's checks.
  bool WBBeforeNavigate2(const QString& address);  // true cancels
  TEmbeddedBrowser* WBNewWindow2();
  bool wbShowContextMenu(const QPoint& screenPos, const TContextElement& element);
  bool wbTranslateAccelerator(const QKeyEvent& key);

  // Menus merged into the main window's bar: "Datei" (group 0) and
  // "&Bearbeiten" (group 1).
  QMenu* mnuFile = nullptr;
  QMenu* mnuEdit = nullptr;
  QMenu* ContextMenu = nullptr;

  QToolBar* ToolBar = nullptr;
  QWidget* URLPanel = nullptr;
  QComboBox* URLCombo = nullptr;
  TShellPane* ShellPanel = nullptr;  // favourites and history
  QStatusBar* StatusBar = nullptr;
  QProgressBar* ProgressBar = nullptr;
  QToolButton* IndexBtn = nullptr;
  QAction* IndexBtnAction = nullptr;

  QAction* acOpen = nullptr;
  QAction* acRefresh = nullptr;
  QAction* acBack = nullptr;
  QAction* acNext = nullptr;
  QAction* acStop = nullptr;
  QAction* acSearch = nullptr;
  QAction* acPrint = nullptr;
  QAction* acPreview = nullptr;
  QAction* acPageLayout = nullptr;
  QAction* acFav = nullptr;
  QAction* acHistory = nullptr;
  QAction* acOptions = nullptr;
  QAction* acEdit = nullptr;
  QAction* acSelectAll = nullptr;
  QAction* acCopy = nullptr;
  QAction* acAddress = nullptr;  // Ctrl+L: the address box, shown if hidden
  TBrowserZoom* Zoom = nullptr;
  THitHighlighter* HitHighlighter = nullptr;  // the hits of a search opened from its page

  QAction* mnuSaveTarget = nullptr;
  QAction* mnuCopyTargetFolder = nullptr;
  QAction* mnuAddToFavorites = nullptr;
  void mnuSaveTargetClick();
  void mnuCopyTargetFolderClick();
  void mnuAddToFavoritesClick();
  // The folder selection of the two link commands: the chosen folder, or
  // nothing when the user cancels. Tests put their own in place.
  std::function<QString(QWidget* owner, const QString& preselected)> FolderBrowser;

  // The address box's list becomes the recently used list.
  void FillAddressList();
  // Called by the main window when this window becomes the active one.
  void FormActivate();

 signals:
  // "Quelltext anzeigen" / "Frame anzeigen": the source editor is to open
  // this local file. `contextDocument`: it is the document under the mouse
  // at the last right click (not the top-level one).
  void SourceRequested(const QString& fileName, bool contextDocument);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateActions();
  void CreateToolBar();
  void CreateAddressBar();
  void CreateStatusBar();
  void CreateMenus();
  void ConnectBrowser();
  void URLComboEnter();
  void URLComboChosen(int index);
  void FocusAddressBox();
  void acOpenExecute();
  void acEditExecute();
  void mnuShowFrameClick();
  void IndexBtnClick();
  void WBDocumentComplete(bool topLevel);
  void ShowPendingHighlight();
  void SearchAllDocuments(const AnsiString& query, TSearchOutcome& outcome);
  bool ChooseTargetFolder();

  TBrowserHost& host_;
  TDocumentSearch searchHTM_;
  bool searchRunning_ = false;
  bool closeAfterSearch_ = false;
  QLabel* statusPanels_[3] = {};
};

}  // namespace folverin

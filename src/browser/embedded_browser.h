// TEmbeddedBrowser: the web view of a browser window and the host side of
// it. The window gives it handlers for the checks the control asks its host
// (navigation, new window, context menu, keys) and listens to its
// notifications; everything else the window needs of the page goes through
// here (the control's own dialogs take its view, browser_dialogs.h).
#pragma once

#include <QFrame>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <QVariant>
#include <functional>

class QKeyEvent;
class QWebEnginePage;
class QWebEngineView;

namespace folverin {

class TBrowserPage;
class TBrowserView;

// What lay under the mouse at a right click, taken from the page at that
// moment (the element itself is not kept: the page may change under it).
struct TContextElement {
  bool Present = false;
  QString TagName;      // as the document reports it ("A", "IMG", ...)
  QString Href;         // the element's resolved HREF, empty when it has none
  QString DocumentURL;  // address of the document (or frame) that holds it
};

class TEmbeddedBrowser : public QFrame {
  Q_OBJECT
 public:
  // Command numbers of CommandStateChange.
  static constexpr int kCommandForward = 1;
  static constexpr int kCommandBack = 2;

  explicit TEmbeddedBrowser(QWidget* parent = nullptr);
  ~TEmbeddedBrowser() override;

  // An address as the user or a settings file writes it, read as
  // navigation_address.h says: a local path, an address with a scheme, or a
  // path relative to the current folder.
  static QUrl AddressToUrl(const QString& address);

  void Navigate(const QString& address);
  // Opens the address in the frame of that name (any depth, name compared
  // without regard to case); the top-level document when the name means the
  // whole window (IsWholeWindowTarget) or when no such frame exists.
  void NavigateToFrame(const QString& address, const QString& targetFrameName);
  // Opens about:blank and returns when it is complete.
  void NavigateBlank();
  void GoBack();
  void GoForward();
  void Stop();
  void Refresh();

  QString DocumentURL() const;
  // The location protocol of the top-level document ("file:", "http:", ...).
  QString LocationProtocol();
  void ExecCopy();
  void ExecSelectAll();
  void FocusDocument();

  // DOCHOSTUIFLAG_NO3DBORDER / NO3DOUTERBORDER: without them the view has a
  // sunken frame.
  void SetHostUIOptions(unsigned options);
  unsigned HostUIOptions() const { return hostUIOptions_; }

  // Runs a script in the top-level document and waits for its result, with
  // the message loop running. An invalid result when the page does not
  // answer within the time or goes away.
  QVariant EvaluateScript(const QString& script, int timeoutMs = 5000);
  // Runs a script in the top-level document without waiting for it.
  void RunScript(const QString& script);
  // The element under a point of the view, looking into frames.
  TContextElement ElementAt(const QPoint& viewPos);

  QWebEngineView* View() const;
  QWebEnginePage* Page() const;

  // The host's answers, set by the owning window.
  std::function<bool(const QString& address)> OnBeforeNavigate2;  // true cancels
  std::function<TEmbeddedBrowser*()> OnNewWindow2;  // browser that opens the new window
  // true: the host showed its own menu; false: the control shows its own.
  std::function<bool(const QPoint& screenPos, const TContextElement& element)> OnShowContextMenu;
  std::function<bool(const QKeyEvent& key)> OnTranslateAccelerator;  // true: handled
  // The mouse wheel turned with Ctrl held (angle in eighths of a degree);
  // true: handled, the page does not scroll.
  std::function<bool(int angleDelta)> OnZoomWheel;

 signals:
  void NavigateComplete2();
  // A document loaded without error (a failed one shows the engine's error
  // page): the top-level one, or one a link opened in a frame; with the
  // title the document gives itself (empty when it has none). Reported once
  // the page has answered, shortly after DocumentComplete.
  void DocumentShown(const QString& address, const QString& title);
  void DocumentComplete(bool topLevel);
  void StatusTextChange(const QString& text);
  void TitleChange(const QString& title);
  void ProgressChange(int progress, int progressMax);
  void CommandStateChange(int command, bool enable);
  void CloseRequested();
  // A link (not one to a script or an "about:" page) was clicked in the
  // document `fromUrl`; the click may yet be refused.
  void LinkFollowed(const QString& fromUrl, const QString& toUrl);
  // The page asks for its window's toolbar to show or not. The engine tells
  // only whether a window opened by a script is a popup (one opened with
  // "toolbar=no" or other bars switched off); that popup gets no toolbar.
  void OnToolBar(bool visible);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class TBrowserPage;
  friend class TBrowserView;
  void ConnectPage();
  // frameUrl: the frame's document as the frame watch knows it; empty for
  // the top-level one.
  void ReportDocumentShown(const QString& frameUrl);
  // Puts an address the page is about to open to the host's check; true
  // when the host cancels it.
  bool CheckNavigation(const QUrl& url);
  void WatchKeysOf(QObject* object);
  // Asks the page for the element under the click and shows the menu when it
  // answers. The page answers only once the engine's context menu event has
  // returned, so nothing waits for it here.
  void ShowContextMenuAt(const QPoint& viewPos, const QPoint& screenPos);
  QString ElementAtScript(const QPoint& viewPos) const;
  // Counts the right clicks: an answer for an older one shows nothing.
  quint64 contextMenuRequest_ = 0;

  TBrowserView* view_ = nullptr;
  TBrowserPage* page_ = nullptr;
  unsigned hostUIOptions_ = 0;
  // The engine tells nothing of a frame's navigation: after one has passed
  // the check, the page is asked until all its frames are complete, which
  // stands for the frame's NavigateComplete2.
  void WatchFrameLoad(const QUrl& url);
  void CheckFrameLoad();
  QTimer frameWatch_;
  QString frameWatchUrl_;
  int frameWatchTicks_ = 0;
};

}  // namespace folverin

#include "browser/embedded_browser.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QRandomGenerator>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <memory>

#include "app/app_settings.h"
#include "browser/navigation_address.h"
#include "browser/search_scheme.h"
#include "common/javascript_string.h"
#include "qtcommon/qt_text.h"

namespace folverin {

namespace {

// Links to script addresses and to "about:" pages never reach the engine's
// navigation requests (it runs the script in the page, or replaces the page
// by a blocked one), so a watch in every document takes their clicks, keeps
// the engine from following them and hands them to the navigation check.
// It reports through the console with a prefix no page can know. Every
// other link clicked is reported with its document under a second prefix:
// the window wants to know where a document was opened from.
QString RandomConsolePrefix(const char* name) {
  return QStringLiteral("folverin-%1-%2:")
      .arg(QLatin1String(name))
      .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'));
}

const QString& LinkWatchPrefix() {
  static const QString prefix = RandomConsolePrefix("link");
  return prefix;
}

const QString& LinkFollowPrefix() {
  static const QString prefix = RandomConsolePrefix("follow");
  return prefix;
}

constexpr const char* kLinkWatchScript = R"((function(prefix, followPrefix) {
  window.addEventListener('click', function(event) {
    var el = event.target;
    while (el && !(el.tagName === 'A' || el.tagName === 'AREA')) el = el.parentElement;
    if (!el || !el.hasAttribute('href')) return;
    var href = el.getAttribute('href').replace(/^[\x00-\x20]+|[\x00-\x20]+$/g, '').toLowerCase();
    var script = href.indexOf('javascript:') === 0;
    var about = href.indexOf('about:') === 0 && href !== 'about:blank';
    if (!script && !about) {
      // Addresses hold no line breaks once the browser has read them.
      console.log(followPrefix + document.URL + '\n' + el.href);
      return;
    }
    event.preventDefault();
    console.log(prefix + el.href);
  }, true);
})(%1, %2))";

QWebEngineScript LinkWatch() {
  QWebEngineScript script;
  script.setName(QStringLiteral("folverin-link-watch"));
  script.setSourceCode(QString::fromLatin1(kLinkWatchScript)
                           .arg(FromUtf16(JavaScriptString(ToUtf16(LinkWatchPrefix()))),
                                FromUtf16(JavaScriptString(ToUtf16(LinkFollowPrefix())))));
  script.setInjectionPoint(QWebEngineScript::DocumentCreation);
  script.setWorldId(QWebEngineScript::ApplicationWorld);
  script.setRunsOnSubFrames(true);
  return script;
}

}  // namespace

class TBrowserPage : public QWebEnginePage {
 public:
  TBrowserPage(QWebEngineProfile* profile, TEmbeddedBrowser* browser)
      : QWebEnginePage(profile, browser), browser_(browser) {}

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
    const bool cancel = browser_->CheckNavigation(url);
    if (!cancel && !isMainFrame) browser_->WatchFrameLoad(url);
    return !cancel;
  }
  QWebEnginePage* createWindow(WebWindowType type) override {
    if (!browser_->OnNewWindow2) return nullptr;
    TEmbeddedBrowser* target = browser_->OnNewWindow2();
    if (!target) return nullptr;
    if (type == QWebEnginePage::WebDialog) emit target->OnToolBar(false);
    return target->Page();
  }
  // The pages' own messages are dropped; the link watch reports here.
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int,
                                const QString&) override {
    const QString& prefix = LinkWatchPrefix();
    if (message.startsWith(prefix)) browser_->CheckNavigation(QUrl(message.mid(prefix.size())));
    const QString& follow = LinkFollowPrefix();
    if (message.startsWith(follow)) {
      const QString from = message.mid(follow.size()).section(QLatin1Char('\n'), 0, 0);
      const QString to = message.mid(follow.size()).section(QLatin1Char('\n'), 1);
      emit browser_->LinkFollowed(from, to);
    }
  }

 private:
  TEmbeddedBrowser* browser_;
};

class TBrowserView : public QWebEngineView {
 public:
  TBrowserView(TEmbeddedBrowser* browser) : QWebEngineView(browser), browser_(browser) {}

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override {
    const QWebEngineContextMenuRequest* request = lastContextMenuRequest();
    const QPoint viewPos = request ? request->position() : event->pos();
    browser_->ShowContextMenuAt(viewPos, event->globalPos());
  }

 private:
  TEmbeddedBrowser* browser_;
};

namespace {

QWebEngineProfile* BrowserProfile() {
  QWebEngineProfile* profile = QWebEngineProfile::defaultProfile();
  InstallSearchSchemeHandler(profile);
  // Pages of the collection open windows by script and read their own
  // frames (the context menu looks into them).
  profile->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
  profile->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
  // The platform announced the program in its user agent; the token goes
  // after the platform part here, once.
  const QString agent = profile->httpUserAgent();
  if (!agent.contains(QLatin1String("Folverin"))) {
    profile->setHttpUserAgent(agent + QLatin1String(" Folverin"));
  }
  return profile;
}

// Descends into frames as long as the point lies on one whose document the
// page may read (frames of local files may read each other).
constexpr const char* kElementAtScript = R"((function(x, y) {
  var doc = document, el = doc.elementFromPoint(x, y);
  while (el && (el.tagName === 'FRAME' || el.tagName === 'IFRAME')) {
    var inner = null;
    try { inner = el.contentDocument; } catch (e) {}
    if (!inner) break;
    var r = el.getBoundingClientRect();
    x -= r.left + el.clientLeft; y -= r.top + el.clientTop;
    doc = inner; el = doc.elementFromPoint(x, y);
  }
  if (!el) return null;
  var href = el.getAttribute ? el.getAttribute('href') : null;
  if (href !== null && typeof el.href === 'string' && el.href !== '') href = el.href;
  return { tag: String(el.tagName), href: href === null ? '' : String(href), url: String(doc.URL) };
})(%1, %2))";

constexpr const char* kFrameNavigateScript = R"((function(name, url) {
  function find(w) {
    for (var i = 0; i < w.frames.length; i++) {
      var f = w.frames[i], n = null;
      try { n = f.name; } catch (e) {}
      if (n !== null && n.toLowerCase() === name.toLowerCase()) return f;
      var inner = null;
      try { inner = find(f); } catch (e) {}
      if (inner) return inner;
    }
    return null;
  }
  var f = find(window);
  if (!f) { try { f = window.frames[name]; } catch (e) { f = null; } }
  if (!f || f === window) return false;
  f.location.href = url;
  return true;
})(%1, %2))";

}  // namespace

TEmbeddedBrowser::TEmbeddedBrowser(QWidget* parent) : QFrame(parent) {
  view_ = new TBrowserView(this);
  page_ = new TBrowserPage(BrowserProfile(), this);
  page_->scripts().insert(LinkWatch());
  view_->setPage(page_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  SetHostUIOptions(0);
  WatchKeysOf(view_);
  ConnectPage();
}

TEmbeddedBrowser::~TEmbeddedBrowser() {
  // The page must go before the view that shows it.
  view_->setPage(nullptr);
  delete page_;
  page_ = nullptr;
}

bool TEmbeddedBrowser::CheckNavigation(const QUrl& url) {
  if (!OnBeforeNavigate2) return false;
  // What the link's author wrote: every escape decoded.
  const QByteArray encoded = url.toEncoded();
  return OnBeforeNavigate2(
      FromUtf16(DecodedNavigationAddress(std::string_view(encoded.constData(), encoded.size()))));
}

void TEmbeddedBrowser::ConnectPage() {
  connect(page_, &QWebEnginePage::urlChanged, this, [this] { emit NavigateComplete2(); });
  // A navigation refused by the check or stopped is not complete; a
  // failed one is (it shows the engine's error page).
  connect(page_, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
    if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus) ReportDocumentShown(QString());
    if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus ||
        info.status() == QWebEngineLoadingInfo::LoadFailedStatus)
      emit DocumentComplete(true);
  });
  connect(page_, &QWebEnginePage::linkHovered, this,
          [this](const QString& url) { emit StatusTextChange(url); });
  connect(page_, &QWebEnginePage::titleChanged, this, &TEmbeddedBrowser::TitleChange);
  connect(page_, &QWebEnginePage::loadProgress, this,
          [this](int progress) { emit ProgressChange(progress, 100); });
  frameWatch_.setInterval(150);
  connect(&frameWatch_, &QTimer::timeout, this, &TEmbeddedBrowser::CheckFrameLoad);
  connect(page_, &QWebEnginePage::windowCloseRequested, this, &TEmbeddedBrowser::CloseRequested);
  QAction* back = page_->action(QWebEnginePage::Back);
  QAction* forward = page_->action(QWebEnginePage::Forward);
  connect(back, &QAction::changed, this,
          [this, back] { emit CommandStateChange(kCommandBack, back->isEnabled()); });
  connect(forward, &QAction::changed, this,
          [this, forward] { emit CommandStateChange(kCommandForward, forward->isEnabled()); });
}

QWebEngineView* TEmbeddedBrowser::View() const { return view_; }
QWebEnginePage* TEmbeddedBrowser::Page() const { return page_; }

QUrl TEmbeddedBrowser::AddressToUrl(const QString& address) {
  const TAddress typed = InterpretAddress(ToUtf16(address));
  const QString text = FromUtf16(typed.Text);
  switch (typed.Form) {
    case TAddressForm::LocalPath:
      return QUrl::fromLocalFile(text);
    case TAddressForm::WithScheme:
      // What the toolkit cannot parse is left to its guess, as the rest.
      if (const QUrl url(text); url.isValid()) return url;
      break;
    case TAddressForm::Relative:
      break;
  }
  return QUrl::fromUserInput(text, QDir::currentPath());
}

void TEmbeddedBrowser::Navigate(const QString& address) { page_->load(AddressToUrl(address)); }

void TEmbeddedBrowser::NavigateToFrame(const QString& address, const QString& targetFrameName) {
  const QUrl url = AddressToUrl(address);
  if (!IsWholeWindowTarget(ToUtf16(targetFrameName))) {
    const QString script = QString::fromLatin1(kFrameNavigateScript)
                               .arg(FromUtf16(JavaScriptString(ToUtf16(targetFrameName))),
                                    FromUtf16(JavaScriptString(ToUtf16(url.toString()))));
    QPointer<TEmbeddedBrowser> self(this);
    const bool done = EvaluateScript(script).toBool();
    if (!self || done) return;
  }
  page_->load(url);
}

void TEmbeddedBrowser::NavigateBlank() {
  QPointer<TEmbeddedBrowser> self(this);
  QEventLoop loop;
  connect(page_, &QWebEnginePage::loadFinished, &loop, &QEventLoop::quit);
  connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
  page_->load(QUrl(QStringLiteral("about:blank")));
  loop.exec();
}

void TEmbeddedBrowser::GoBack() { page_->triggerAction(QWebEnginePage::Back); }
void TEmbeddedBrowser::GoForward() { page_->triggerAction(QWebEnginePage::Forward); }
void TEmbeddedBrowser::Stop() { page_->triggerAction(QWebEnginePage::Stop); }
void TEmbeddedBrowser::Refresh() { page_->triggerAction(QWebEnginePage::Reload); }

QString TEmbeddedBrowser::DocumentURL() const { return page_->url().toString(); }

QString TEmbeddedBrowser::LocationProtocol() {
  const QString scheme = page_->url().scheme().toLower();
  return scheme.isEmpty() ? QString() : scheme + QLatin1Char(':');
}

void TEmbeddedBrowser::ExecCopy() { page_->triggerAction(QWebEnginePage::Copy); }
void TEmbeddedBrowser::ExecSelectAll() { page_->triggerAction(QWebEnginePage::SelectAll); }

void TEmbeddedBrowser::FocusDocument() {
  if (!page_->url().isEmpty()) view_->setFocus(Qt::OtherFocusReason);
}

void TEmbeddedBrowser::SetHostUIOptions(unsigned options) {
  hostUIOptions_ = options;
  if (options & DOCHOSTUIFLAG_NO3DBORDER) {
    setFrameStyle(QFrame::NoFrame);
  } else if (options & DOCHOSTUIFLAG_NO3DOUTERBORDER) {
    setFrameStyle(QFrame::Panel | QFrame::Plain);
    setLineWidth(1);
  } else {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
  }
}

QVariant TEmbeddedBrowser::EvaluateScript(const QString& script, int timeoutMs) {
  struct TAnswer {
    QVariant Result;
    bool Done = false;
    QEventLoop* Loop = nullptr;
  };
  auto answer = std::make_shared<TAnswer>();
  QEventLoop loop;
  answer->Loop = &loop;
  page_->runJavaScript(script, QWebEngineScript::ApplicationWorld, [answer](const QVariant& result) {
    answer->Result = result;
    answer->Done = true;
    if (answer->Loop) answer->Loop->quit();
  });
  if (!answer->Done) {
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
  }
  answer->Loop = nullptr;
  return answer->Result;
}

// The document's own title: the engine makes one up for a page without
// (its file name), which is no title of the document. A frame's document is
// found by its address; one the page may not read has no title here.
void TEmbeddedBrowser::ReportDocumentShown(const QString& frameUrl) {
  static const QString kTitleOf = QStringLiteral(R"((function(url) {
    function find(w) {
      try {
        if (url === '' ? w === window : (w !== window && w.location.href === url)) return w.document.title;
      } catch (e) { return null; }
      for (var i = 0; i < w.frames.length; i++) {
        var title = find(w.frames[i]);
        if (title !== null) return title;
      }
      return null;
    }
    return find(window);
  })(%1))");
  const QString address = frameUrl.isEmpty() ? DocumentURL() : QUrl(frameUrl).toString();
  QPointer<TEmbeddedBrowser> self(this);
  page_->runJavaScript(kTitleOf.arg(FromUtf16(JavaScriptString(ToUtf16(frameUrl)))),
                       QWebEngineScript::ApplicationWorld, [self, address](const QVariant& title) {
                         if (self) emit self->DocumentShown(address, title.toString().trimmed());
                       });
}

void TEmbeddedBrowser::RunScript(const QString& script) {
  page_->runJavaScript(script, QWebEngineScript::ApplicationWorld);
}

QString TEmbeddedBrowser::ElementAtScript(const QPoint& viewPos) const {
  const qreal zoom = page_->zoomFactor() > 0 ? page_->zoomFactor() : 1.0;
  return QString::fromLatin1(kElementAtScript).arg(viewPos.x() / zoom).arg(viewPos.y() / zoom);
}

namespace {

TContextElement ElementOfAnswer(const QVariantMap& answer) {
  TContextElement element;
  if (answer.isEmpty()) return element;
  element.Present = true;
  element.TagName = answer.value(QStringLiteral("tag")).toString();
  element.Href = answer.value(QStringLiteral("href")).toString();
  element.DocumentURL = answer.value(QStringLiteral("url")).toString();
  return element;
}

}  // namespace

TContextElement TEmbeddedBrowser::ElementAt(const QPoint& viewPos) {
  return ElementOfAnswer(EvaluateScript(ElementAtScript(viewPos)).toMap());
}

void TEmbeddedBrowser::ShowContextMenuAt(const QPoint& viewPos, const QPoint& screenPos) {
  const quint64 request = ++contextMenuRequest_;
  QPointer<TEmbeddedBrowser> self(this);
  page_->runJavaScript(ElementAtScript(viewPos), QWebEngineScript::ApplicationWorld,
                       [self, request, screenPos](const QVariant& answer) {
                         if (!self || request != self->contextMenuRequest_) return;
                         const TContextElement element = ElementOfAnswer(answer.toMap());
                         if (self->OnShowContextMenu && self->OnShowContextMenu(screenPos, element)) return;
                         if (!self) return;
                         QMenu* menu = self->view_->createStandardContextMenu();
                         menu->setAttribute(Qt::WA_DeleteOnClose);
                         menu->popup(screenPos);
                       });
}

void TEmbeddedBrowser::WatchFrameLoad(const QUrl& url) {
  frameWatchUrl_ = url.toString(QUrl::FullyEncoded);
  frameWatchTicks_ = 0;
  frameWatch_.start();
}

// The frame's document is complete once a frame shows the address and every
// frame is complete (until then the frame may still show its old document).
// Frames whose document the page may not read (other origins) count as
// complete and as showing it; so does a page that does not answer for half
// a minute.
void TEmbeddedBrowser::CheckFrameLoad() {
  if (++frameWatchTicks_ > 200) {
    frameWatch_.stop();
    return;
  }
  static const QString kFramesComplete = QStringLiteral(R"((function(url) {
    var shown = false;
    function all(w) {
      try {
        if (w.document.readyState !== 'complete') return false;
        if (w !== window && w.location.href === url) shown = true;
      } catch (e) { shown = true; return true; }
      for (var i = 0; i < w.frames.length; i++) if (!all(w.frames[i])) return false;
      return true;
    }
    return all(window) && shown;
  })(%1))");
  const QString script = kFramesComplete.arg(FromUtf16(JavaScriptString(ToUtf16(frameWatchUrl_))));
  QPointer<TEmbeddedBrowser> self(this);
  page_->runJavaScript(script, QWebEngineScript::ApplicationWorld, [self](const QVariant& done) {
    if (!self || !done.toBool() || !self->frameWatch_.isActive()) return;
    self->frameWatch_.stop();
    self->ReportDocumentShown(self->frameWatchUrl_);
    emit self->NavigateComplete2();
    // Handlers of the document's completion ask the page again; they cannot
    // have their answers while this answer is being handled.
    QTimer::singleShot(0, self, [self] { emit self->DocumentComplete(false); });
  });
}

void TEmbeddedBrowser::WatchKeysOf(QObject* object) {
  object->installEventFilter(this);
  for (QObject* child : object->children()) {
    if (child->isWidgetType()) child->installEventFilter(this);
  }
}

bool TEmbeddedBrowser::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ChildAdded && watched == view_) {
    QObject* child = static_cast<QChildEvent*>(event)->child();
    if (child->isWidgetType()) child->installEventFilter(this);
  } else if (event->type() == QEvent::KeyPress && OnTranslateAccelerator) {
    if (OnTranslateAccelerator(*static_cast<QKeyEvent*>(event))) return true;
  } else if (event->type() == QEvent::Wheel && OnZoomWheel) {
    const auto* wheel = static_cast<QWheelEvent*>(event);
    if ((wheel->modifiers() & Qt::ControlModifier) && OnZoomWheel(wheel->angleDelta().y())) return true;
  }
  return QFrame::eventFilter(watched, event);
}

}  // namespace folverin

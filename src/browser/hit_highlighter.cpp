#include "browser/hit_highlighter.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWidget>
#include <algorithm>

#include "app/app_settings.h"
#include "browser/embedded_browser.h"
#include "common/javascript_string.h"
#include "qtcommon/qt_text.h"
#include "search/hit_highlight.h"

namespace folverin {

namespace {

// The page's part, run in the top-level document. `collect` gathers the
// text nodes of the hit document (in whichever frames show it), keeps them
// and returns their texts; `mark` wraps the ranges it is given, as
// [node, start, length] in document order, and shows the first;
// `step` moves the current hit and answers [current, count], or null when no
// marks are left (their document has gone); `clear` takes the marks away.
// Scripts, style sheets and form fields keep their text unmarked.
constexpr const char* kHitScript = R"((function() {
  var self = window;
  function strip(url) { var i = url.indexOf('#'); return i < 0 ? url : url.substring(0, i); }
  function paint(mark, current) {
    mark.style.setProperty('background-color', current ? '#ff9632' : '#ffe866', 'important');
    mark.style.setProperty('color', '#000', 'important');
  }
  function live() {
    var s = self.__folverinHits;
    if (!s) return null;
    s.marks = s.marks.filter(function(m) { return m.isConnected; });
    if (!s.marks.length) { self.__folverinHits = null; return null; }
    if (s.current >= s.marks.length) s.current = 0;
    return s;
  }
  function show(s) {
    var mark = s.marks[s.current];
    paint(mark, true);
    mark.scrollIntoView({block: 'center', inline: 'nearest'});
    return [s.current + 1, s.marks.length];
  }
  return {
    collect: function(url) {
      var docs = [];
      (function walk(w) {
        var d = null;
        try { d = w.document; } catch (e) { return; }
        if (!d) return;
        if (strip(String(d.URL)) === strip(url) && d.readyState === 'complete' && d.body) docs.push(d);
        for (var i = 0; i < w.frames.length; i++) walk(w.frames[i]);
      })(self);
      if (!docs.length) return null;
      var nodes = [], texts = [];
      var skip = /^(SCRIPT|STYLE|TEXTAREA|NOSCRIPT|SELECT|OPTION|TITLE)$/;
      docs.forEach(function(d) {
        var walker = d.createTreeWalker(d.body, 4, null);
        for (var n = walker.nextNode(); n; n = walker.nextNode()) {
          if (!n.data || (n.parentNode && skip.test(n.parentNode.nodeName))) continue;
          nodes.push(n);
          texts.push(n.data);
        }
      });
      self.__folverinHitNodes = nodes;
      return texts;
    },
    mark: function(ranges) {
      var nodes = self.__folverinHitNodes || [];
      self.__folverinHitNodes = null;
      var marks = [];
      // From the last range back: splitting a node keeps the offsets of the
      // ranges before it in that node.
      for (var i = ranges.length - 1; i >= 0; i--) {
        var r = ranges[i], node = nodes[r[0]];
        if (!node || !node.parentNode || node.data.length < r[1] + r[2]) continue;
        var hit = node.splitText(r[1]);
        hit.splitText(r[2]);
        var mark = node.ownerDocument.createElement('mark');
        mark.setAttribute('data-folverin-hit', '');
        paint(mark, false);
        hit.parentNode.replaceChild(mark, hit);
        mark.appendChild(hit);
        marks.unshift(mark);
      }
      self.__folverinHits = {marks: marks, current: 0};
      var s = live();
      return s ? show(s) : null;
    },
    step: function(direction) {
      var s = live();
      if (!s) return null;
      if (direction === 0) return [s.current + 1, s.marks.length];
      paint(s.marks[s.current], false);
      s.current = (s.current + direction + s.marks.length) % s.marks.length;
      return show(s);
    },
    clear: function() {
      var s = live();
      self.__folverinHits = null;
      if (!s) return null;
      s.marks.forEach(function(m) {
        var parent = m.parentNode;
        while (m.firstChild) parent.insertBefore(m.firstChild, m);
        parent.removeChild(m);
        parent.normalize();
      });
      return null;
    }
  };
})())";

QString HitCall(const QString& call) { return QString::fromLatin1(kHitScript) + QLatin1Char('.') + call; }

// A local file's path written alike whatever address led to it; empty for
// other addresses.
AnsiString CleanLocalPath(const QString& address) {
  const QUrl url(address);
  return url.isLocalFile() ? ToAnsi(QDir::cleanPath(url.toLocalFile())) : AnsiString();
}

AnsiString CleanPath(const AnsiString& path) { return ToAnsi(QDir::cleanPath(FromAnsi(path))); }

}  // namespace

THitHighlighter::THitHighlighter(QWidget* window, TEmbeddedBrowser* browser, QLabel* statusPanel,
                                 const TAppSettings& settings)
    : QObject(window),
      browser_(browser),
      statusPanel_(statusPanel),
      settings_(settings),
      idleStatus_(statusPanel->text()),
      idleWidth_(statusPanel->minimumWidth()) {
  acNextHit = new QAction(QStringLiteral("Nächster Treffer"), window);
  acPreviousHit = new QAction(QStringLiteral("Vorheriger Treffer"), window);
  acNextHit->setShortcut(QKeySequence(Qt::Key_F3));
  acPreviousHit->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
  for (QAction* action : {acNextHit, acPreviousHit}) {
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    action->setEnabled(false);
    window->addAction(action);
  }
  connect(acNextHit, &QAction::triggered, this, [this] { Step(1); });
  connect(acPreviousHit, &QAction::triggered, this, [this] { Step(-1); });
  connect(browser_, &TEmbeddedBrowser::LinkFollowed, this, &THitHighlighter::LinkFollowed);
}

void THitHighlighter::SearchShown(const AnsiString& pagePath, const AnsiString& query,
                                  const std::vector<AnsiString>& hits) {
  std::vector<AnsiString> cleanHits;
  cleanHits.reserve(hits.size());
  for (const AnsiString& hit : hits) cleanHits.push_back(CleanPath(hit));
  trail_.SearchShown(CleanPath(pagePath), query, std::move(cleanHits));
}

void THitHighlighter::LinkFollowed(const QString& fromUrl, const QString& toUrl) {
  Clear();
  if (!settings_.HighlightHits) return;
  const auto query = trail_.LinkFollowed(CleanLocalPath(fromUrl), CleanLocalPath(toUrl));
  if (!query) return;
  keys_ = HighlightKeys(*query);
  if (!keys_.empty()) pendingUrl_ = toUrl;
}

void THitHighlighter::DocumentComplete() {
  if (!pendingUrl_.isEmpty()) {
    Highlight();
  } else if (total_ > 0) {
    // The marked document may have gone with this one.
    Run(HitCall(QStringLiteral("step(0)")), [this](const QVariant& state) { ShowState(state); });
  }
}

void THitHighlighter::Highlight() {
  const QString url = pendingUrl_;
  Run(HitCall(QStringLiteral("collect(%1)").arg(FromUtf16(JavaScriptString(ToUtf16(url))))),
      [this, url](const QVariant& texts) {
        // Not there yet (another frame completed first): the next
        // completion tries again, unless another link was followed.
        if (texts.typeId() != QMetaType::QVariantList || pendingUrl_ != url) return;
        pendingUrl_.clear();
        MarkRanges(texts.toList());
      });
}

void THitHighlighter::MarkRanges(const QVariantList& texts) {
  QStringList ranges;
  for (int node = 0; node < texts.size(); ++node) {
    for (const THitRange& range : FindHits(ToUtf16(texts[node].toString()), keys_))
      ranges << QStringLiteral("[%1,%2,%3]").arg(node).arg(range.Start).arg(range.Length);
  }
  if (ranges.isEmpty()) return;
  Run(HitCall(QStringLiteral("mark([%1])").arg(ranges.join(QLatin1Char(',')))),
      [this](const QVariant& state) { ShowState(state); });
}

void THitHighlighter::Step(int direction) {
  if (total_ == 0) return;
  Run(HitCall(QStringLiteral("step(%1)").arg(direction)), [this](const QVariant& state) { ShowState(state); });
}

void THitHighlighter::Clear() {
  pendingUrl_.clear();
  if (total_ > 0) Run(HitCall(QStringLiteral("clear()")), {});
  ShowState(QVariant());
}

void THitHighlighter::ShowState(const QVariant& state) {
  const QVariantList numbers = state.toList();
  const bool shown = numbers.size() == 2 && numbers[1].toInt() > 0;
  current_ = shown ? numbers[0].toInt() : 0;
  total_ = shown ? numbers[1].toInt() : 0;
  acNextHit->setEnabled(shown);
  acPreviousHit->setEnabled(shown);
  if (!shown) {
    statusPanel_->setText(idleStatus_);
    statusPanel_->setFixedWidth(idleWidth_);
    return;
  }
  const QString text = QStringLiteral("Treffer %1 von %2").arg(current_).arg(total_);
  statusPanel_->setText(text);
  // The panel grows for long counts and shrinks back afterwards.
  const int needed = statusPanel_->fontMetrics().horizontalAdvance(text) + 2 * statusPanel_->frameWidth() + 8;
  statusPanel_->setFixedWidth(std::max(idleWidth_, needed));
}

void THitHighlighter::Run(const QString& script, const std::function<void(const QVariant&)>& answer) {
  QPointer<THitHighlighter> self(this);
  browser_->Page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                  [self, answer](const QVariant& result) {
                                    if (self && answer) answer(result);
                                  });
}

}  // namespace folverin

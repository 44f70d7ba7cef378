#include "browser/find_frame_document.h"

#include <QVariantMap>

#include "browser/embedded_browser.h"
#include "common/javascript_string.h"
#include "qtcommon/qt_text.h"

namespace folverin {

namespace {

// Only the frames of the top-level document are looked at, in order; the
// one found gets the focus.
constexpr const char* kFindFrameFunction = R"(function(name) {
  for (var i = 0; i < window.frames.length; i++) {
    var f = window.frames[i];
    if (!f) continue;
    var n = '', url = '';
    try { n = String(f.name); url = String(f.document.URL); } catch (e) { continue; }
    if (n.replace(/[A-Z]/g, function(c) { return c.toLowerCase(); }) !== name) continue;
    f.focus();
    return { index: i, name: n, url: url, window: f };
  }
  return null;
})";

QString AsciiLower(const QString& text) {
  QString lower = text;
  for (QChar& c : lower) {
    if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) c = QChar(c.unicode() + 32);
  }
  return lower;
}

QString FindFrameCall(const QString& frameName) {
  return QStringLiteral("(%1)(%2)").arg(QString::fromLatin1(kFindFrameFunction),
                                       FromUtf16(JavaScriptString(ToUtf16(AsciiLower(frameName)))));
}

}  // namespace

std::optional<TFrameDocument> FindFrameDocument(TEmbeddedBrowser& browser, const QString& frameName) {
  const QString script =
      QStringLiteral("(function(found) { if (found) delete found.window; return found; })(%1)")
          .arg(FindFrameCall(frameName));
  const QVariantMap answer = browser.EvaluateScript(script).toMap();
  if (answer.isEmpty()) return std::nullopt;
  TFrameDocument frame;
  frame.Script = QStringLiteral("frames[%1]").arg(answer.value(QStringLiteral("index")).toInt());
  frame.Name = answer.value(QStringLiteral("name")).toString();
  frame.URL = answer.value(QStringLiteral("url")).toString();
  return frame;
}

QString FrameWindowScript(const QString& frameName) {
  return QStringLiteral("(function(found) { return found ? found.window : null; })(%1)")
      .arg(FindFrameCall(frameName));
}

}  // namespace folverin

#include "browser/find_frame_document.h"

#include <QVariantMap>

#include "browser/embedded_browser.h"
#include "common/javascript_string.h"
#include "qtcommon/qt_text.h"

namespace folverin {

namespace {

// Only the frames of the top-level document are looked at, in order.
constexpr const char* kFindFrameScript = R"((function(name) {
  for (var i = 0; i < window.frames.length; i++) {
    var f = window.frames[i];
    if (!f) continue;
    var n = '', url = '';
    try { n = String(f.name); url = String(f.document.URL); } catch (e) { continue; }
    if (n.replace(/[A-Z]/g, function(c) { return c.toLowerCase(); }) !== name) continue;
    f.focus();
    return { index: i, name: n, url: url };
  }
  return null;
})(%1))";

QString AsciiLower(const QString& text) {
  QString lower = text;
  for (QChar& c : lower) {
    if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) c = QChar(c.unicode() + 32);
  }
  return lower;
}

}  // namespace

std::optional<TFrameDocument> FindFrameDocument(TEmbeddedBrowser& browser, const QString& frameName) {
  const QString script = QString::fromLatin1(kFindFrameScript)
                             .arg(FromUtf16(JavaScriptString(ToUtf16(AsciiLower(frameName)))));
  const QVariantMap answer = browser.EvaluateScript(script).toMap();
  if (answer.isEmpty()) return std::nullopt;
  TFrameDocument frame;
  frame.Script = QStringLiteral("frames[%1]").arg(answer.value(QStringLiteral("index")).toInt());
  frame.Name = answer.value(QStringLiteral("name")).toString();
  frame.URL = answer.value(QStringLiteral("url")).toString();
  return frame;
}

}  // namespace folverin

// THitHighlighter: the hits of a full-text search in the document that a
// browser window opened from the search's result page. Every occurrence of
// the query's positive terms is marked in the page, the first one scrolled
// into view; "Nächster Treffer" (F3) and "Vorheriger Treffer" (Shift+F3)
// move through them, and the status panel says "Treffer 3 von 17". Following
// any other link ends it. Which terms, and where they stand in the page's
// text, the search decides (search/hit_highlight.h); the page only marks the
// ranges it is given.
#pragma once

#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

#include "common/ansi_string.h"
#include "search/result_trail.h"

class QAction;
class QLabel;
class QWidget;

namespace folverin {

class TEmbeddedBrowser;
struct TAppSettings;

class THitHighlighter : public QObject {
  Q_OBJECT
 public:
  // The commands go to `window`; `statusPanel` shows the hit count while
  // there are hits and its own text otherwise.
  THitHighlighter(QWidget* window, TEmbeddedBrowser* browser, QLabel* statusPanel,
                  const TAppSettings& settings);

  QAction* acNextHit = nullptr;
  QAction* acPreviousHit = nullptr;

  // The window shows the result page `pagePath` of its search for `query`.
  void SearchShown(const AnsiString& pagePath, const AnsiString& query, const std::vector<AnsiString>& hits);
  // A document of the window is complete (the top-level one or a frame's).
  void DocumentComplete();

  // The hit shown as the current one (from 1) and the number of hits; 0 and
  // 0 while nothing is highlighted.
  int CurrentHit() const { return current_; }
  int HitCount() const { return total_; }

 private:
  void LinkFollowed(const QString& fromUrl, const QString& toUrl);
  void Highlight();
  void MarkRanges(const QVariantList& texts);
  void Step(int direction);
  void Clear();
  void ShowState(const QVariant& state);
  void Run(const QString& script, const std::function<void(const QVariant&)>& answer);

  TEmbeddedBrowser* browser_;
  QLabel* statusPanel_;
  const TAppSettings& settings_;
  QString idleStatus_;
  int idleWidth_ = 0;
  TResultTrail trail_;
  // The hit document waiting to be highlighted once it is complete, and the
  // keys to highlight in it.
  QString pendingUrl_;
  std::vector<std::u16string> keys_;
  int current_ = 0;
  int total_ = 0;
};

}  // namespace folverin

// The sample collection as a reader searches it: a document opened from the
// result page shows the query's hits marked, F3 and Shift+F3 move through
// them and the status bar counts them; any other link ends it. And the
// zoom of the browser windows, kept for the next window.
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "browser/find_frame_document.h"
#include "browser_test_support.h"
#include "qtcommon/qt_text.h"

namespace folverin::testing {
namespace {

// The marks of the hits in every frame, in document order, and which of
// them is shown as the current one (from 1; 0 for none).
struct TMarks {
  QStringList Texts;
  int Current = 0;
};

class HitHighlightTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    collection_ = new TempFolder;
    std::filesystem::copy(FOLVERIN_SAMPLE_COLLECTION, collection_->Path(),
                          std::filesystem::copy_options::recursive);
    temp_ = new TempFolder;
    if (const char* previous = std::getenv("TMPDIR")) previousTmpDir_ = previous;
    setenv("TMPDIR", temp_->Path().c_str(), 1);
    mainForm_ = new TMainForm(collection_->Path() + "folverin");
    mainForm_->show();
    QApplication::setActiveWindow(mainForm_);
  }
  static void TearDownTestSuite() {
    mainForm_->close();
    WaitFor([] { return mainForm_->MDITab->count() == 0; });
    delete mainForm_;
    QSettings(QStringLiteral("Brevimar"), QStringLiteral("Folverin")).remove(QStringLiteral("Browser/Zoom"));
    if (previousTmpDir_)
      setenv("TMPDIR", previousTmpDir_->c_str(), 1);
    else
      unsetenv("TMPDIR");
    delete temp_;
    delete collection_;
  }

  // The first window, showing the collection's frames completely.
  static TChildForm* Window() {
    EXPECT_TRUE(WaitFor([] {
      const QList<TChildForm*> windows = mainForm_->BrowserWindows();
      if (windows.isEmpty()) return false;
      TChildForm* child = windows.first();
      return child->wb->DocumentURL().endsWith(QLatin1String("/index.htm")) &&
             InhaltURL(child).endsWith(QLatin1String(".htm")) &&
             child->wb->EvaluateScript(QStringLiteral("document.readyState === 'complete' &&"
                                                      " frames[1].document.readyState === 'complete'"))
                 .toBool();
    }));
    return mainForm_->BrowserWindows().first();
  }
  static QString InhaltURL(TChildForm* child) {
    const auto frame = FindFrameDocument(*child->wb, QStringLiteral("Inhalt"));
    return frame ? frame->URL : QString();
  }
  static QString Path(const char* relative) { return QString::fromStdString(collection_->Path()) + relative; }

  // Searches in the window and waits for its result page in the frame.
  static bool Search(TChildForm* child, const AnsiString& query) {
    child->StartDocumentSearch(query);
    const QString page = QUrl::fromLocalFile(FromAnsi(mainForm_->Settings.SearchPage)).toString();
    return WaitFor([child, page] { return InhaltURL(child) == page; });
  }
  // Clicks the link in the "Inhalt" frame whose address ends so, and waits
  // until the frame shows its document completely.
  static bool ClickInhaltLink(TChildForm* child, const QString& ending) {
    child->wb->EvaluateScript(QStringLiteral("(function(e) { var links = frames[1].document.links;"
                                             " for (var i = 0; i < links.length; i++)"
                                             "   if (links[i].href.endsWith(e)) { links[i].click(); return true; }"
                                             " return false; })('%1')")
                                  .arg(ending));
    return WaitFor([child, ending] {
      return InhaltURL(child).endsWith(ending) &&
             child->wb->EvaluateScript(QStringLiteral("frames[1].document.readyState")).toString() ==
                 QLatin1String("complete");
    });
  }
  static TMarks Marks(TChildForm* child) {
    const QVariantMap answer = child->wb->EvaluateScript(QStringLiteral(R"((function() {
      var texts = [], current = 0;
      (function walk(w) {
        var marks = w.document.querySelectorAll('mark[data-folverin-hit]');
        for (var i = 0; i < marks.length; i++) {
          texts.push(marks[i].textContent);
          if (marks[i].style.getPropertyValue('background-color') === 'rgb(255, 150, 50)') current = texts.length;
        }
        for (var j = 0; j < w.frames.length; j++) walk(w.frames[j]);
      })(window);
      return {texts: texts, current: current};
    })())")).toMap();
    return {answer.value(QStringLiteral("texts")).toStringList(), answer.value(QStringLiteral("current")).toInt()};
  }
  static QString StatusText(TChildForm* child) {
    return child->StatusBar->findChildren<QLabel*>().first()->text();
  }
  static void PressKey(TChildForm* child, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QApplication::setActiveWindow(mainForm_);
    child->wb->View()->setFocus();
    ASSERT_TRUE(WaitFor([] { return QApplication::focusWidget() != nullptr; }));
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }

  static TempFolder* collection_;
  static TempFolder* temp_;
  static std::optional<std::string> previousTmpDir_;
  static TMainForm* mainForm_;
};

TempFolder* HitHighlightTest::collection_ = nullptr;
TempFolder* HitHighlightTest::temp_ = nullptr;
std::optional<std::string> HitHighlightTest::previousTmpDir_;
TMainForm* HitHighlightTest::mainForm_ = nullptr;

TEST_F(HitHighlightTest, HitOpenedFromTheResultPageShowsItsTermsAndTheCount) {
  TChildForm* child = Window();
  ASSERT_TRUE(child);
  ASSERT_TRUE(mainForm_->Settings.HighlightHits);
  // A phrase, a bracket, an umlaut entity and a term under NOT (the
  // document has Apfel; it is a hit through the phrase).
  ASSERT_TRUE(Search(child, "'gelbe r&uuml;ben' OR (gem\xFCse AND NOT apfel)"));
  ASSERT_TRUE(ClickInhaltLink(child, QStringLiteral("kapitel2/kueche.htm")));
  ASSERT_TRUE(WaitFor([child] { return child->HitHighlighter->HitCount() == 3; }));
  TMarks marks = Marks(child);
  EXPECT_EQ(marks.Texts, (QStringList{"Gemüse", "gelbe Rüben", "Gemüse"}));
  EXPECT_EQ(marks.Current, 1);
  EXPECT_EQ(StatusText(child), QStringLiteral("Treffer 1 von 3"));

  // F3 and Shift+F3 go forward and back, round the ends.
  EXPECT_EQ(child->HitHighlighter->acNextHit->shortcut(), QKeySequence(Qt::Key_F3));
  EXPECT_EQ(child->HitHighlighter->acPreviousHit->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F3));
  PressKey(child, Qt::Key_F3);
  ASSERT_TRUE(WaitFor([child] { return child->HitHighlighter->CurrentHit() == 2; }));
  EXPECT_EQ(StatusText(child), QStringLiteral("Treffer 2 von 3"));
  EXPECT_EQ(Marks(child).Current, 2);
  PressKey(child, Qt::Key_F3, Qt::ShiftModifier);
  PressKey(child, Qt::Key_F3, Qt::ShiftModifier);
  ASSERT_TRUE(WaitFor([child] { return child->HitHighlighter->CurrentHit() == 3; }));
  EXPECT_EQ(StatusText(child), QStringLiteral("Treffer 3 von 3"));
  EXPECT_EQ(Marks(child).Current, 3);

  // Another link of the document ends it.
  ASSERT_TRUE(ClickInhaltLink(child, QStringLiteral("kapitel2/vorrat.htm")));
  EXPECT_TRUE(WaitFor([child] { return child->HitHighlighter->HitCount() == 0; }));
  EXPECT_EQ(StatusText(child), QStringLiteral(" Bereit"));
  Settle(300);
  EXPECT_TRUE(Marks(child).Texts.isEmpty());
  EXPECT_FALSE(child->HitHighlighter->acNextHit->isEnabled());
}

TEST_F(HitHighlightTest, PhraseIsMarkedOnlyWhereTheSearchFindsIt) {
  TChildForm* child = Window();
  ASSERT_TRUE(child);
  ASSERT_TRUE(Search(child, "'gelbe r\xFC" "ben' AND NOT kuchen"));
  ASSERT_TRUE(ClickInhaltLink(child, QStringLiteral("kapitel1/garten.htm")));
  ASSERT_TRUE(WaitFor([child] { return child->HitHighlighter->HitCount() > 0; }));
  // "Gelbe" and "Rüben" on two lines are no stretch of the phrase.
  EXPECT_EQ(Marks(child).Texts, QStringList{"gelbe Rüben"});
  EXPECT_EQ(StatusText(child), QStringLiteral("Treffer 1 von 1"));
}

TEST_F(HitHighlightTest, OnlyTheResultPagesLinksLeadToHighlighting) {
  TChildForm* child = Window();
  ASSERT_TRUE(child);
  ASSERT_TRUE(Search(child, "garten"));
  // The same hit opened from the table of contents: nothing is marked.
  child->wb->EvaluateScript(QStringLiteral(
      "frames[0].document.querySelector('a[href=\"kapitel1/garten.htm\"]').click(); true"));
  ASSERT_TRUE(WaitFor([child] { return InhaltURL(child).endsWith(QLatin1String("kapitel1/garten.htm")); }));
  Settle(600);
  EXPECT_TRUE(Marks(child).Texts.isEmpty());
  EXPECT_EQ(child->HitHighlighter->HitCount(), 0);

  // Switched off in the settings: the result page's link marks nothing.
  mainForm_->Settings.HighlightHits = false;
  ASSERT_TRUE(Search(child, "garten"));
  ASSERT_TRUE(ClickInhaltLink(child, QStringLiteral("kapitel1/garten.htm")));
  Settle(600);
  EXPECT_TRUE(Marks(child).Texts.isEmpty());
  EXPECT_EQ(StatusText(child), QStringLiteral(" Bereit"));
  mainForm_->Settings.HighlightHits = true;
}

TEST_F(HitHighlightTest, ZoomStepsAreKeptAndTheElementUnderTheMouseIsStillFound) {
  TChildForm* child = Window();
  ASSERT_TRUE(child);
  // The items close the frame's view menu while a browser window is active.
  QMenu* view = nullptr;
  for (QAction* action : mainForm_->menuBar()->actions())
    if (action->text() == QLatin1String("A&nzeige")) view = action->menu();
  ASSERT_TRUE(view);
  QStringList last;
  for (QAction* action : view->actions().mid(view->actions().size() - 3)) last << action->text();
  EXPECT_EQ(last, (QStringList{"Vergrößern", "Verkleinern", "Originalgröße"}));

  child->Zoom->SetPercent(100);
  PressKey(child, Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(child->Zoom->Percent(), 110);
  EXPECT_DOUBLE_EQ(child->wb->Page()->zoomFactor(), 1.1);
  PressKey(child, Qt::Key_Minus, Qt::ControlModifier);
  PressKey(child, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(child->Zoom->Percent(), 90);
  PressKey(child, Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(child->Zoom->Percent(), 100);
  EXPECT_FALSE(child->Zoom->acZoomOriginal->isEnabled());

  // Ctrl with the wheel zooms instead of scrolling.
  QWidget* input = child->wb->View()->focusProxy();
  ASSERT_TRUE(input);
  const QPointF at(50, 50);
  QWheelEvent wheel(at, input->mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::ControlModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(input, &wheel);
  EXPECT_EQ(child->Zoom->Percent(), 125);

  // The level stays with the next document and goes to the next window.
  child->wb->Navigate(Path("index.htm"));
  ASSERT_TRUE(WaitFor([child] { return InhaltURL(child).endsWith(QLatin1String("start.htm")); }));
  EXPECT_DOUBLE_EQ(child->wb->Page()->zoomFactor(), 1.25);
  EXPECT_EQ(QSettings(QStringLiteral("Brevimar"), QStringLiteral("Folverin")).value(QStringLiteral("Browser/Zoom")).toInt(), 125);
  TChildForm* second = mainForm_->OpenBrowserWindow(Path("kapitel2/kueche.htm"));
  ASSERT_TRUE(second);
  EXPECT_EQ(second->Zoom->Percent(), 125);

  // The element under a point of the zoomed view is the one shown there.
  child->Zoom->SetPercent(150);
  second->Zoom->SetPercent(150);
  ASSERT_TRUE(WaitFor([second] {
    return second->wb->EvaluateScript(QStringLiteral("document.readyState === 'complete' && !!document.querySelector('h2')"))
        .toBool();
  }));
  const QVariantMap rect = second->wb->EvaluateScript(QStringLiteral(
      "(function() { var r = document.querySelector('h2').getBoundingClientRect();"
      " return {x: r.left + 10, y: r.top + r.height / 2}; })()")).toMap();
  const QPoint viewPos(qRound(rect.value(QStringLiteral("x")).toDouble() * 1.5),
                       qRound(rect.value(QStringLiteral("y")).toDouble() * 1.5));
  EXPECT_EQ(second->wb->ElementAt(viewPos).TagName, QStringLiteral("H2"));
  mainForm_->CloseChild(second);
  child->Zoom->SetPercent(100);
}

// A result page in the whole window: its link replaces it, and the marks
// come in the new top-level document.
TEST_F(HitHighlightTest, ResultPageInTheWholeWindowMarksTheDocumentItOpens) {
  TChildForm* child = Window();
  ASSERT_TRUE(child);
  const AnsiString savedTarget = mainForm_->Settings.Target;
  mainForm_->Settings.Target = "_top";
  child->StartDocumentSearch("winter");
  const QString page = QUrl::fromLocalFile(FromAnsi(mainForm_->Settings.SearchPage)).toString();
  ASSERT_TRUE(WaitFor([child, page] { return child->wb->DocumentURL() == page && child->windowTitle() == "Suchergebnisse"; }));
  child->wb->EvaluateScript(QStringLiteral(
      "document.querySelector('a[href$=\"kapitel2/vorrat.htm\"]').click(); true"));
  ASSERT_TRUE(WaitFor([child] { return child->HitHighlighter->HitCount() > 0; }));
  EXPECT_TRUE(child->wb->DocumentURL().endsWith(QLatin1String("kapitel2/vorrat.htm")));
  EXPECT_EQ(Marks(child).Texts, QStringList{"Winter"});
  EXPECT_EQ(StatusText(child), QStringLiteral("Treffer 1 von 1"));
  // Back to the result page: the count goes with the document.
  mainForm_->Settings.Target = savedTarget;
  child->wb->GoBack();
  EXPECT_TRUE(WaitFor([child] { return child->HitHighlighter->HitCount() == 0; }));
  EXPECT_EQ(StatusText(child), QStringLiteral(" Bereit"));
}

}  // namespace
}  // namespace folverin::testing

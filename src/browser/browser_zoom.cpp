#include "browser/browser_zoom.h"

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QWebEnginePage>
#include <QWidget>
#include <optional>

#include "browser/embedded_browser.h"
#include "browser/zoom_steps.h"

namespace folverin {

namespace {

// The user's settings, not the collection's settings file: the level is
// the reader's taste, whatever collection is open.
const QString kZoomKey = QStringLiteral("Browser/Zoom");

// Marks the items a child window lent the frame's view menu.
const char* const kChildViewItem = "folverinChildViewItem";

}  // namespace

TBrowserZoom::TBrowserZoom(QWidget* window, TEmbeddedBrowser* browser)
    : QObject(window), browser_(browser) {
  acZoomIn = new QAction(QStringLiteral("Vergrößern"), window);
  acZoomOut = new QAction(QStringLiteral("Verkleinern"), window);
  acZoomOriginal = new QAction(QStringLiteral("Originalgröße"), window);
  // Ctrl+Plus is Ctrl+= on keyboards where "+" needs Shift.
  acZoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  acZoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
  acZoomOriginal->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
  auto* separator = new QAction(window);
  separator->setSeparator(true);
  menuItems_ = {separator, acZoomIn, acZoomOut, acZoomOriginal};
  for (QAction* action : {acZoomIn, acZoomOut, acZoomOriginal}) {
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    window->addAction(action);
  }
  connect(acZoomIn, &QAction::triggered, this, [this] { SetPercent(ZoomedIn(percent_)); });
  connect(acZoomOut, &QAction::triggered, this, [this] { SetPercent(ZoomedOut(percent_)); });
  connect(acZoomOriginal, &QAction::triggered, this, [this] { SetPercent(kOriginalZoom); });
  browser_->OnZoomWheel = [this](int angleDelta) {
    SetPercent(ZoomedByWheel(percent_, angleDelta, pendingWheel_));
    return true;
  };
  percent_ = StoredPercent();
  Apply();
  // The engine may take its own level back when a new document comes.
  connect(browser_->Page(), &QWebEnginePage::loadFinished, this, &TBrowserZoom::Apply);
}

void TBrowserZoom::Apply() {
  browser_->Page()->setZoomFactor(percent_ / 100.0);
  acZoomOriginal->setEnabled(percent_ != kOriginalZoom);
}

void TBrowserZoom::SetPercent(int percent) {
  percent_ = StoredZoom(percent);
  Apply();
  QSettings store(QStringLiteral("Brevimar"), QStringLiteral("Folverin"));
  store.setValue(kZoomKey, percent_);
}

int TBrowserZoom::StoredPercent() {
  const QSettings store(QStringLiteral("Brevimar"), QStringLiteral("Folverin"));
  bool ok = false;
  const int value = store.value(kZoomKey).toInt(&ok);
  return StoredZoom(ok ? std::optional<int>(value) : std::nullopt);
}

void ShowChildViewItems(QMenu* viewMenu, const QList<QAction*>& items) {
  for (QAction* action : viewMenu->actions())
    if (action->property(kChildViewItem).toBool()) viewMenu->removeAction(action);
  for (QAction* action : items) {
    action->setProperty(kChildViewItem, true);
    viewMenu->addAction(action);
  }
}

}  // namespace folverin

// TBrowserZoom: the zoom of one browser window. It holds the commands
// "Vergrößern" (Ctrl+Plus), "Verkleinern" (Ctrl+Minus) and "Originalgröße"
// (Ctrl+0), takes Ctrl with the mouse wheel, and keeps the level last chosen
// in the user's settings, where the next window and the next start find it.
#pragma once

#include <QList>
#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace folverin {

class TEmbeddedBrowser;

class TBrowserZoom : public QObject {
  Q_OBJECT
 public:
  // The commands go to `window` (their keys hold while the focus is in it);
  // the browser starts at the stored level.
  TBrowserZoom(QWidget* window, TEmbeddedBrowser* browser);

  QAction* acZoomIn = nullptr;
  QAction* acZoomOut = nullptr;
  QAction* acZoomOriginal = nullptr;
  // A separator and the three commands, for the frame's view menu.
  QList<QAction*> MenuItems() const { return menuItems_; }

  int Percent() const { return percent_; }
  void SetPercent(int percent);

  // The level kept in the user's settings (100 without one).
  static int StoredPercent();

 private:
  void Apply();

  TEmbeddedBrowser* browser_;
  QList<QAction*> menuItems_;
  int percent_ = 100;
  int pendingWheel_ = 0;
};

// Shows the active child window's items at the end of the frame's view
// menu, in place of those of the child shown before.
void ShowChildViewItems(QMenu* viewMenu, const QList<QAction*>& items);

}  // namespace folverin

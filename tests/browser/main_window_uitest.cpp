// The main window with real browser windows in it (offscreen): the tab strip
// as windows come and go, full-screen mode and the "Toolbar" switch, the
// "Favoriten" switch against panes opened by hand, and the merged "Datei".
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <gtest/gtest.h>

#include "browser_test_support.h"
#include "ui/open_collection.h"

namespace folverin::testing {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new TempFolder;
    folder_->Write("folverin.ini", "[Global]\r\nTitle=Fenstertest\r\nDocument=index.htm\r\n");
    folder_->Write("index.htm", "<HTML><HEAD><TITLE>Start</TITLE></HEAD><BODY><P>Start</P></BODY></HTML>");
    mainForm_ = new TMainForm(folder_->Path() + "folverin");
    mainForm_->show();
    QApplication::setActiveWindow(mainForm_);
    WaitFor([] { return mainForm_->MDITab->count() == 1; });
  }
  static void TearDownTestSuite() {
    mainForm_->close();
    WaitFor([] { return mainForm_->MDITab->count() == 0; });
    delete mainForm_;
    delete folder_;
  }

  void SetUp() override { ASSERT_EQ(mainForm_->BrowserWindows().size(), 1); }

  static TChildForm* First() { return mainForm_->BrowserWindows().value(0); }
  static TChildForm* OpenSecond() {
    mainForm_->mnuNewClick();
    return mainForm_->BrowserWindows().size() == 2 ? mainForm_->BrowserWindows().last() : nullptr;
  }
  // Closes the window and waits until its tab has gone with it.
  static void Close(TChildForm* child) {
    const int tabs = mainForm_->MDITab->count();
    mainForm_->CloseChild(child);
    EXPECT_TRUE(WaitFor([tabs] { return mainForm_->MDITab->count() == tabs - 1; }));
  }
  static QMenu* BarMenu(const QString& title) {
    for (QAction* action : mainForm_->menuBar()->actions())
      if (action->text() == title && action->menu()) return action->menu();
    return nullptr;
  }
  static QAction* ViewItem(const QString& caption) {
    QMenu* view = BarMenu(QStringLiteral("A&nzeige"));
    if (!view) return nullptr;
    for (QAction* action : view->actions())
      if (action->text() == caption) return action;
    return nullptr;
  }
  // Every item the menu bar leads to, submenus included.
  static QList<QAction*> ReachableItems() {
    QList<QAction*> items;
    std::function<void(QMenu*)> collect = [&](QMenu* menu) {
      for (QAction* action : menu->actions()) {
        if (!action->isVisible()) continue;
        items << action;
        if (action->menu()) collect(action->menu());
      }
    };
    for (QAction* action : mainForm_->menuBar()->actions())
      if (action->isVisible() && action->menu()) collect(action->menu());
    return items;
  }
  static QColor Background() { return mainForm_->MdiArea()->background().color(); }
  static QColor ButtonFace() { return mainForm_->palette().button().color(); }

  static TempFolder* folder_;
  static TMainForm* mainForm_;
};

TempFolder* MainWindowTest::folder_ = nullptr;
TMainForm* MainWindowTest::mainForm_ = nullptr;

TEST_F(MainWindowTest, TabStripShowsFromTheSecondWindowAndHidesAtTheNextActivation) {
  QTabBar* strip = mainForm_->MDITab;
  EXPECT_EQ(strip->count(), 1);
  EXPECT_FALSE(strip->isVisibleTo(mainForm_));
  EXPECT_EQ(Background(), QColor(Qt::white));

  TChildForm* second = OpenSecond();
  ASSERT_TRUE(second);
  EXPECT_EQ(strip->count(), 2);
  EXPECT_TRUE(strip->isVisibleTo(mainForm_));
  EXPECT_EQ(strip->currentIndex(), 1);
  EXPECT_EQ(Background(), ButtonFace());
  EXPECT_NE(ButtonFace(), QColor(Qt::white));

  // Choosing a tab brings its window to the front.
  emit strip->tabBarClicked(0);
  EXPECT_EQ(mainForm_->ActiveBrowserWindow(), First());
  emit strip->tabBarClicked(1);
  EXPECT_EQ(mainForm_->ActiveBrowserWindow(), second);

  // Removing a tab is no change step: one tab, still shown.
  Close(second);
  EXPECT_EQ(strip->count(), 1);
  EXPECT_TRUE(strip->isVisibleTo(mainForm_));
  EXPECT_EQ(Background(), ButtonFace());

  // The window left is activated again, and that runs the change step.
  QMdiArea* area = mainForm_->MdiArea();
  QMdiSubWindow* left = area->subWindowList().value(0);
  ASSERT_TRUE(left);
  area->setActiveSubWindow(nullptr);
  area->setActiveSubWindow(left);
  EXPECT_FALSE(strip->isVisibleTo(mainForm_));
  EXPECT_EQ(Background(), QColor(Qt::white));
  EXPECT_EQ(mainForm_->ActiveBrowserWindow(), First());
}

// "Überlappend" with one window maximized and others of any size: every
// window gets the same usable size, one step apart, inside the area.
TEST_F(MainWindowTest, CascadeGivesEveryWindowTheSameSizeInsideTheArea) {
  TChildForm* second = OpenSecond();
  ASSERT_TRUE(second);
  mainForm_->mnuNewClick();
  QMdiArea* area = mainForm_->MdiArea();
  const QList<QMdiSubWindow*> windows = area->subWindowList();
  ASSERT_EQ(windows.size(), 3);
  windows[0]->showMaximized();
  windows[2]->resize(200, 60);
  QAction* cascade = nullptr;
  for (QAction* action : BarMenu(QStringLiteral("Fenster"))->actions())
    if (action->text() == QStringLiteral("Ü&berlappend")) cascade = action;
  ASSERT_TRUE(cascade);
  cascade->trigger();

  const QRect inside = area->viewport()->rect();
  QList<QPoint> corners;
  for (QMdiSubWindow* window : windows) {
    EXPECT_FALSE(window->isMaximized());
    EXPECT_EQ(window->size(), windows[0]->size());
    EXPECT_TRUE(inside.contains(window->geometry())) << window->geometry().x() << "," << window->geometry().y();
    EXPECT_GE(window->height() * 3, inside.height() * 2 - 100);
    corners << window->pos();
  }
  std::sort(corners.begin(), corners.end(), [](QPoint a, QPoint b) { return a.x() < b.x(); });
  EXPECT_EQ(corners[0], QPoint(0, 0));
  EXPECT_GT(corners[1].x(), 0);
  EXPECT_EQ(corners[2] - corners[1], corners[1] - corners[0]);

  for (TChildForm* child : mainForm_->BrowserWindows())
    if (child != First()) Close(child);
}

TEST_F(MainWindowTest, FullScreenInAndOutLeavesTheToolbarSwitchOff) {
  TChildForm* first = First();
  QAction* toolbar = ViewItem(QStringLiteral("Toolbar"));
  QAction* fullScreen = ViewItem(QStringLiteral("Vollbild"));
  ASSERT_TRUE(toolbar && fullScreen);
  ASSERT_TRUE(mainForm_->Settings.ShowToolbar);
  ASSERT_TRUE(toolbar->isChecked());

  fullScreen->trigger();
  EXPECT_TRUE(mainForm_->IsFullScreen());
  EXPECT_TRUE(fullScreen->isChecked());
  EXPECT_FALSE(mainForm_->menuBar()->isVisibleTo(mainForm_));
  EXPECT_FALSE(first->ToolBar->isVisibleTo(first));
  EXPECT_FALSE(first->StatusBar->isVisibleTo(first));
  EXPECT_FALSE(mainForm_->Settings.ShowToolbar);
  fullScreen->trigger();
  EXPECT_FALSE(mainForm_->IsFullScreen());
  EXPECT_FALSE(fullScreen->isChecked());
  EXPECT_TRUE(mainForm_->menuBar()->isVisibleTo(mainForm_));
  EXPECT_TRUE(first->ToolBar->isVisibleTo(first));
  EXPECT_TRUE(first->StatusBar->isVisibleTo(first));
  EXPECT_FALSE(mainForm_->Settings.ShowToolbar);

  // The check mark was left as it was: the first click clears it (and
  // hides the toolbar), the second brings both back.
  EXPECT_TRUE(toolbar->isChecked());
  toolbar->trigger();
  EXPECT_FALSE(toolbar->isChecked());
  EXPECT_FALSE(mainForm_->Settings.ShowToolbar);
  EXPECT_FALSE(first->ToolBar->isVisibleTo(first));
  toolbar->trigger();
  EXPECT_TRUE(toolbar->isChecked());
  EXPECT_TRUE(mainForm_->Settings.ShowToolbar);
  EXPECT_TRUE(first->ToolBar->isVisibleTo(first));

  // A window opened after another round has no toolbar; the one that was
  // active keeps its own. The new window sets the check mark from the
  // setting.
  fullScreen->trigger();
  fullScreen->trigger();
  TChildForm* second = OpenSecond();
  ASSERT_TRUE(second);
  EXPECT_FALSE(second->ToolBar->isVisibleTo(second));
  EXPECT_TRUE(second->StatusBar->isVisibleTo(second));
  EXPECT_TRUE(first->ToolBar->isVisibleTo(first));
  EXPECT_FALSE(toolbar->isChecked());
  Close(second);

  toolbar->trigger();
  EXPECT_TRUE(mainForm_->Settings.ShowToolbar);
  EXPECT_TRUE(first->ToolBar->isVisibleTo(first));
}

TEST_F(MainWindowTest, FavouritesSwitchClosesPanesOpenedByTheirButtons) {
  TChildForm* second = OpenSecond();
  ASSERT_TRUE(second);
  QAction* favourites = ViewItem(QStringLiteral("Favoriten"));
  ASSERT_TRUE(favourites);
  ASSERT_FALSE(favourites->isChecked());
  const QList<TChildForm*> windows = mainForm_->BrowserWindows();
  for (TChildForm* child : windows) {
    auto* button = qobject_cast<QToolButton*>(child->ToolBar->widgetForAction(child->acFav));
    ASSERT_TRUE(button);
    button->click();
    EXPECT_TRUE(child->ShellPanel->isVisibleTo(child));
  }

  favourites->trigger();
  EXPECT_TRUE(favourites->isChecked());
  EXPECT_TRUE(mainForm_->Settings.ShowFavorites);
  for (TChildForm* child : windows) {
    EXPECT_FALSE(child->ShellPanel->isVisibleTo(child));
    EXPECT_FALSE(child->acFav->isChecked());
  }

  favourites->trigger();
  EXPECT_FALSE(favourites->isChecked());
  EXPECT_FALSE(mainForm_->Settings.ShowFavorites);
  for (TChildForm* child : windows) {
    EXPECT_FALSE(child->ShellPanel->isVisibleTo(child));
    EXPECT_FALSE(child->acFav->isChecked());
  }
  Close(second);
}

TEST_F(MainWindowTest, BrowserWindowDateiReplacesTheFramesOne) {
  const auto fileItems = [] {
    QStringList captions;
    if (QMenu* file = BarMenu(QStringLiteral("&Datei")))
      for (QAction* action : file->actions())
        if (!action->isSeparator()) captions << action->text();
    return captions;
  };
  TChildForm* second = OpenSecond();
  ASSERT_TRUE(second);
  for (TChildForm* child : {First(), second}) {
    emit mainForm_->MDITab->tabBarClicked(child == second ? 1 : 0);
    ASSERT_EQ(mainForm_->ActiveBrowserWindow(), child);
    EXPECT_EQ(BarMenu(QStringLiteral("&Datei")), child->mnuFile);
    EXPECT_TRUE(fileItems().contains(QStringLiteral("Aktualisieren")));
    EXPECT_TRUE(fileItems().contains(QStringLiteral("Drucken")));
    EXPECT_FALSE(ReachableItems().contains(mainForm_->CreateIndexItem()));
    EXPECT_TRUE(BarMenu(QStringLiteral("&Bearbeiten")));
    // Another collection opens from every browser window, above "Beenden".
    EXPECT_EQ(fileItems().mid(fileItems().size() - 3),
              (QStringList{QStringLiteral("Sammlung \u00F6ffnen..."),
                           QStringLiteral("Zuletzt ge\u00F6ffnete Sammlungen"), QStringLiteral("Beenden")}));
    EXPECT_TRUE(ReachableItems().contains(mainForm_->OpenCollection->OpenItem()));
  }
  Close(second);

  // Without any browser window the frame's own "Datei" is back.
  mainForm_->CreateIndexItem()->setVisible(true);
  mainForm_->CloseChild(First());
  ASSERT_TRUE(WaitFor([] { return mainForm_->MDITab->count() == 0; }));
  EXPECT_TRUE(ReachableItems().contains(mainForm_->CreateIndexItem()));
  EXPECT_FALSE(fileItems().contains(QStringLiteral("Aktualisieren")));
  EXPECT_FALSE(BarMenu(QStringLiteral("&Bearbeiten")));
  // The items the closed windows showed are still the frame's.
  EXPECT_TRUE(ReachableItems().contains(mainForm_->OpenCollection->OpenItem()));
  EXPECT_TRUE(fileItems().contains(QStringLiteral("Zuletzt ge\u00F6ffnete Sammlungen")));
  // The other cases start from one window.
  mainForm_->OpenBrowserWindow(QStringLiteral("about:blank"));
}

}  // namespace
}  // namespace folverin::testing

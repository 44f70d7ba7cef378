// TShellPane: the pane on the left of a browser window that shows the
// user's favourites or the history as a tree, and opens an entry's address
// in the window when it is double-clicked.
//
// The window's actions acFav and acHistory drive it. Both are checkable and
// form a group in which at most one is checked; running one inverts its own
// check (and unchecks the other). The pane then shows its tree when the
// action is now checked and hides when it is not; the caption and the tree
// follow the action that ran, read afresh each time. The close button
// hides the pane and unchecks both.
#pragma once

#include <QString>
#include <QTreeWidget>
#include <QWidget>

class QAction;
class QLabel;
class QToolButton;

namespace folverin {

// The tree: no lines or expand buttons, no editing, the selection visible
// when the focus is elsewhere, a right click selecting the entry under it.
// Double click or Enter on an entry without children asks for its address.
class TShellTree : public QTreeWidget {
  Q_OBJECT
 public:
  explicit TShellTree(QWidget* parent = nullptr);

 signals:
  void EntryChosen(QTreeWidgetItem* item);

 protected:
  void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

class TShellPane : public QWidget {
  Q_OBJECT
 public:
  enum class TRoot { Favorites, History };

  explicit TShellPane(QWidget* parent = nullptr);

  // The actions the pane follows (acFav, acHistory of the window).
  void BindActions(QAction* favorites, QAction* history);
  TRoot Root() const { return root_; }
  // Reads the tree again when the pane is shown (after a favourite was added).
  void Reload();

  // The address an entry of the tree opens; empty for folders, days and
  // shortcuts without one.
  static QString EntryAddress(const QTreeWidgetItem* item);

  QLabel* CapShell = nullptr;
  QToolButton* CloseShellBtn = nullptr;
  TShellTree* ShellTree = nullptr;

 signals:
  // An entry was chosen; the window opens the address as it opens any.
  void OpenRequested(const QString& address);

 private:
  static constexpr int kWidth = 185;

  void ActionExecuted(TRoot root, bool checked);
  void ShowBesideBrowser();
  void CloseShellBtnClick();
  void ShellTreeEntryChosen(QTreeWidgetItem* item);
  void LoadFavorites();
  void LoadHistory();

  QAction* acFav_ = nullptr;
  QAction* acHistory_ = nullptr;
  TRoot root_ = TRoot::Favorites;
  bool widthSet_ = false;
};

}  // namespace folverin

#include "browser/shell_pane.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "browser/favorites_folder.h"
#include "browser/history_log.h"
#include "browser/user_data.h"
#include "qtcommon/app_icons.h"
#include "qtcommon/qt_text.h"

namespace folverin {

namespace {

constexpr int kAddressRole = Qt::UserRole;

void AddFavorites(QTreeWidgetItem* parent, QTreeWidget* tree, const std::vector<TFavorite>& entries) {
  const QIcon folderIcon = tree->style()->standardIcon(QStyle::SP_DirIcon);
  const QIcon pageIcon = AppIcon(TAppIcon::BrowserWindow);
  for (const TFavorite& entry : entries) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    item->setText(0, FromAnsi(entry.Name));
    item->setIcon(0, entry.IsFolder ? folderIcon : pageIcon);
    if (!entry.IsFolder) {
      item->setData(0, kAddressRole, FromAnsi(entry.Target));
      item->setToolTip(0, FromAnsi(entry.Target));
    }
    AddFavorites(item, tree, entry.Children);
  }
}

}  // namespace

// ---- Tree -------------------------------------------------------------------

TShellTree::TShellTree(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setRootIsDecorated(false);
  setIndentation(19);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformRowHeights(true);
  // Opening and closing on a double click is done below, with choosing.
  setExpandsOnDoubleClick(false);
  header()->setStretchLastSection(true);
  // The selection stays as visible as while the tree has the focus.
  QPalette colours = palette();
  for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
    colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
  setPalette(colours);
}

void TShellTree::drawBranches(QPainter*, const QRect&, const QModelIndex&) const {}

void TShellTree::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton)
    if (QTreeWidgetItem* item = itemAt(event->position().toPoint())) setCurrentItem(item);
  QTreeWidget::mousePressEvent(event);
}

// An entry with children is the tree's to open or close; the others are
// chosen.
void TShellTree::mouseDoubleClickEvent(QMouseEvent* event) {
  QTreeWidget::mouseDoubleClickEvent(event);
  if (event->button() != Qt::LeftButton) return;
  QTreeWidgetItem* item = itemAt(event->position().toPoint());
  if (!item) return;
  if (item->childCount() > 0) {
    item->setExpanded(!item->isExpanded());
  } else {
    emit EntryChosen(item);
  }
}

void TShellTree::keyPressEvent(QKeyEvent* event) {
  QTreeWidgetItem* item = currentItem();
  if (item && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    if (item->childCount() > 0) {
      item->setExpanded(!item->isExpanded());
    } else {
      emit EntryChosen(item);
    }
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

// ---- Pane -------------------------------------------------------------------

TShellPane::TShellPane(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* captionBar = new QFrame(this);
  captionBar->setFixedHeight(27);
  captionBar->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
  auto* captionLayout = new QHBoxLayout(captionBar);
  captionLayout->setContentsMargins(2, 0, 2, 0);
  captionLayout->setSpacing(0);
  CapShell = new QLabel(QStringLiteral("  Lesezeichen"), captionBar);
  CapShell->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  captionLayout->addWidget(CapShell, 1);
  CloseShellBtn = new QToolButton(captionBar);
  CloseShellBtn->setAutoRaise(true);
  CloseShellBtn->setFixedSize(23, 22);
  CloseShellBtn->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
  CloseShellBtn->setToolTip(QStringLiteral("Schließen"));
  captionLayout->addWidget(CloseShellBtn);
  layout->addWidget(captionBar);

  ShellTree = new TShellTree(this);
  layout->addWidget(ShellTree, 1);

  connect(CloseShellBtn, &QToolButton::clicked, this, &TShellPane::CloseShellBtnClick);
  connect(ShellTree, &TShellTree::EntryChosen, this, &TShellPane::ShellTreeEntryChosen);
  hide();
}

void TShellPane::BindActions(QAction* favorites, QAction* history) {
  acFav_ = favorites;
  acHistory_ = history;
  connect(favorites, &QAction::triggered, this, [this](bool checked) { ActionExecuted(TRoot::Favorites, checked); });
  connect(history, &QAction::triggered, this, [this](bool checked) { ActionExecuted(TRoot::History, checked); });
}

void TShellPane::ActionExecuted(TRoot root, bool checked) {
  if (checked && isHidden()) ShowBesideBrowser();
  setVisible(checked);
  root_ = root;
  CapShell->setText(root == TRoot::Favorites ? QStringLiteral(" Favoriten") : QStringLiteral(" Verlauf"));
  // A hidden pane is read when it is shown again, which is always by one of
  // the two actions.
  Reload();
}

// The splitter gives a widget that was hidden when it was laid out its
// least width; the pane opens 185 pixels wide, and later keeps the width
// the user dragged it to.
void TShellPane::ShowBesideBrowser() {
  show();
  auto* splitter = qobject_cast<QSplitter*>(parentWidget());
  if (widthSet_ || !splitter || splitter->count() != 2) return;
  widthSet_ = true;
  const int total = splitter->sizes().value(0) + splitter->sizes().value(1);
  splitter->setSizes({kWidth, std::max(total - kWidth, 1)});
}

void TShellPane::Reload() {
  if (isHidden()) return;
  ShellTree->clear();
  if (root_ == TRoot::Favorites) {
    LoadFavorites();
  } else {
    LoadHistory();
  }
}

void TShellPane::LoadFavorites() {
  AddFavorites(nullptr, ShellTree, ReadFavorites(ToAnsi(FavoritesFolder())));
}

void TShellPane::LoadHistory() {
  const TLocalTime now = LocalNow();
  const QIcon dayIcon = style()->standardIcon(QStyle::SP_DirIcon);
  const QIcon pageIcon = AppIcon(TAppIcon::BrowserWindow);
  for (const THistoryDay& day : GroupHistory(ReadHistoryLog(ToAnsi(HistoryLogPath()), now), now)) {
    auto* dayItem = new QTreeWidgetItem(ShellTree, QStringList(FromAnsi(day.Caption)));
    dayItem->setIcon(0, dayIcon);
    for (const THistoryItem& entry : day.Entries) {
      auto* item = new QTreeWidgetItem(dayItem, QStringList(FromAnsi(entry.Caption)));
      item->setIcon(0, pageIcon);
      item->setData(0, kAddressRole, FromAnsi(entry.Address));
      item->setToolTip(0, FromAnsi(entry.Address));
    }
  }
  // The newest day is the one looked for most.
  if (QTreeWidgetItem* newest = ShellTree->topLevelItem(0)) newest->setExpanded(true);
}

void TShellPane::CloseShellBtnClick() {
  hide();
  if (acFav_) acFav_->setChecked(false);
  if (acHistory_) acHistory_->setChecked(false);
}

QString TShellPane::EntryAddress(const QTreeWidgetItem* item) {
  return item ? item->data(0, kAddressRole).toString() : QString();
}

void TShellPane::ShellTreeEntryChosen(QTreeWidgetItem* item) {
  const QString address = EntryAddress(item);
  // A folder without entries, a day, a shortcut without an address: nothing
  // to open.
  if (address.isEmpty()) {
    QApplication::beep();
    return;
  }
  emit OpenRequested(address);
}

}  // namespace folverin

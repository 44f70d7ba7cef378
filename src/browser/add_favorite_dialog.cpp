#include "browser/add_favorite_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "browser/favorites_folder.h"
#include "browser/user_data.h"
#include "qtcommon/application_title.h"
#include "qtcommon/qt_text.h"

namespace folverin {

namespace {

constexpr int kFolderRole = Qt::UserRole;

void AddFolders(QTreeWidgetItem* parent, const std::vector<TFavorite>& folders, const QIcon& icon) {
  for (const TFavorite& folder : folders) {
    auto* item = new QTreeWidgetItem(parent, QStringList(FromAnsi(folder.Name)));
    item->setIcon(0, icon);
    item->setData(0, kFolderRole, FromAnsi(folder.Path));
    AddFolders(item, folder.Children, icon);
  }
}

}  // namespace

TAddFavoriteDialog::TAddFavoriteDialog(QWidget* parent, const QString& address, const QString& title)
    : QDialog(parent), address_(address) {
  setWindowTitle(QStringLiteral("Zu Favoriten hinzufügen"));
  auto* layout = new QVBoxLayout(this);
  auto* nameLabel = new QLabel(QStringLiteral("&Name:"), this);
  NameEdit = new QLineEdit(FromAnsi(ProposedFavoriteName(ToAnsi(title), ToAnsi(address))), this);
  nameLabel->setBuddy(NameEdit);
  layout->addWidget(nameLabel);
  layout->addWidget(NameEdit);
  auto* folderLabel = new QLabel(QStringLiteral("&Erstellen in:"), this);
  FolderTree = new QTreeWidget(this);
  FolderTree->setHeaderHidden(true);
  FolderTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FolderTree->setMinimumHeight(160);
  folderLabel->setBuddy(FolderTree);
  layout->addWidget(folderLabel);
  layout->addWidget(FolderTree, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  NewFolderBtn = buttons->addButton(QStringLiteral("Neuer &Ordner..."), QDialogButtonBox::ActionRole);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &TAddFavoriteDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TAddFavoriteDialog::reject);
  connect(NewFolderBtn, &QPushButton::clicked, this, &TAddFavoriteDialog::NewFolderBtnClick);

  FillFolders();
  NameEdit->selectAll();
  NameEdit->setFocus();
  resize(360, 320);
}

void TAddFavoriteDialog::FillFolders() {
  FolderTree->clear();
  const QIcon icon = style()->standardIcon(QStyle::SP_DirIcon);
  auto* root = new QTreeWidgetItem(FolderTree, QStringList(QStringLiteral("Favoriten")));
  root->setIcon(0, icon);
  root->setData(0, kFolderRole, FavoritesFolder() + QLatin1Char('/'));
  AddFolders(root, ReadFavoriteFolders(ToAnsi(FavoritesFolder())), icon);
  root->setExpanded(true);
  FolderTree->setCurrentItem(root);
}

QString TAddFavoriteDialog::ChosenFolder() const {
  const QTreeWidgetItem* item = FolderTree->currentItem();
  return item ? item->data(0, kFolderRole).toString() : FavoritesFolder() + QLatin1Char('/');
}

void TAddFavoriteDialog::NewFolderBtnClick() {
  bool ok = false;
  const QString name = QInputDialog::getText(this, QStringLiteral("Neuer Ordner"),
                                             QStringLiteral("Name des neuen Ordners:"), QLineEdit::Normal,
                                             QString(), &ok);
  if (ok) MakeFolder(name);
  // Enter is meant for the favourite again, not for another folder.
  NameEdit->setFocus();
}

bool TAddFavoriteDialog::MakeFolder(const QString& name) {
  const QString fileName = FromAnsi(FavoriteFileName(ToAnsi(name)));
  if (fileName.isEmpty()) {
    QMessageBox::warning(this, ApplicationTitle(), QStringLiteral("Bitte geben Sie einen Namen für den Ordner ein."));
    return false;
  }
  const QString path = ChosenFolder() + fileName;
  if (!QDir().mkpath(path)) {
    QMessageBox::warning(this, ApplicationTitle(),
                         QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden.\n\n%2")
                             .arg(fileName, QDir::toNativeSeparators(path)));
    return false;
  }
  QTreeWidgetItem* parent = FolderTree->currentItem();
  for (int i = 0; parent && i < parent->childCount(); ++i) {
    if (parent->child(i)->data(0, kFolderRole).toString() == path + QLatin1Char('/')) {
      FolderTree->setCurrentItem(parent->child(i));
      return true;
    }
  }
  auto* item = parent ? new QTreeWidgetItem(parent, QStringList(fileName))
                      : new QTreeWidgetItem(FolderTree, QStringList(fileName));
  item->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
  item->setData(0, kFolderRole, path + QLatin1Char('/'));
  if (parent) parent->setExpanded(true);
  FolderTree->setCurrentItem(item);
  return true;
}

void TAddFavoriteDialog::accept() {
  if (Save()) QDialog::accept();
}

bool TAddFavoriteDialog::Save() {
  const QString fileName = FromAnsi(FavoriteFileName(ToAnsi(NameEdit->text())));
  if (fileName.isEmpty()) {
    QMessageBox::warning(this, ApplicationTitle(), QStringLiteral("Bitte geben Sie einen Namen für den Favoriten ein."));
    NameEdit->setFocus();
    return false;
  }
  const QString folder = ChosenFolder();
  if (!QDir().mkpath(folder)) {
    QMessageBox::warning(this, ApplicationTitle(),
                         QStringLiteral("Der Favorit kann nicht gespeichert werden: Der Ordner „%1“ "
                                        "kann nicht angelegt werden.")
                             .arg(QDir::toNativeSeparators(folder)));
    return false;
  }
  const QString path = folder + fileName + FromAnsi(AnsiString(kShortcutExtension));
  if (QFileInfo::exists(path)) {
    const auto answer = QMessageBox::question(
        this, ApplicationTitle(),
        QStringLiteral("Der Favorit „%1“ ist bereits vorhanden.\nSoll er ersetzt werden?").arg(fileName),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) return false;
  }
  if (const auto error = WriteFavorite(ToAnsi(path), ToAnsi(address_))) {
    QMessageBox::warning(this, ApplicationTitle(),
                         QStringLiteral("Der Favorit „%1“ kann nicht gespeichert werden.\n\n%2")
                             .arg(fileName, FromAnsi(*error)));
    return false;
  }
  return true;
}

}  // namespace folverin

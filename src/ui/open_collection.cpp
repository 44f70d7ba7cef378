#include "ui/open_collection.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QProcess>
#include <QSettings>
#include <QTreeView>
#include <QUrl>

#include "app/recent_collections.h"
#include "app/recent_list.h"
#include "app/start_collection.h"
#include "common/file_system.h"
#include "qtcommon/application_title.h"
#include "qtcommon/error_box.h"
#include "qtcommon/qt_text.h"
#include "ui/stored_list.h"

namespace folverin {

namespace {

const QString kCollectionsGroup = QStringLiteral("Collections");

}  // namespace

std::vector<AnsiString> ReadRecentCollections() {
  QSettings store(QStringLiteral("Brevimar"), QStringLiteral("Folverin"));
  return CleanRecentCollections(ReadStoredList(store, kCollectionsGroup));
}

void RememberCollection(const AnsiString& folder) {
  QSettings store(QStringLiteral("Brevimar"), QStringLiteral("Folverin"));
  WriteStoredList(store, kCollectionsGroup,
                  AddRecentCollection(ReadStoredList(store, kCollectionsGroup), folder));
}

std::unique_ptr<QFileDialog> MakeCollectionDialog(QWidget* parent, const QString& caption) {
  auto dialog = std::make_unique<QFileDialog>(parent, caption);
  // The toolkit's own dialog looks the same on every desktop, speaks German
  // with the program and has the side bar for the recent collections.
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->resize(760, 480);
  // Only folders are listed: their names and dates, without the empty size
  // and the same type on every line.
  if (auto* details = dialog->findChild<QTreeView*>()) {
    details->setColumnHidden(1, true);
    details->setColumnHidden(2, true);
    details->setColumnWidth(0, 360);
    details->setColumnWidth(3, 200);
  }
  dialog->setFileMode(QFileDialog::Directory);
  dialog->setOption(QFileDialog::ShowDirsOnly);
  dialog->setLabelText(QFileDialog::LookIn, QStringLiteral("Suchen in:"));
  dialog->setLabelText(QFileDialog::FileName, QStringLiteral("Ordner:"));
  dialog->setLabelText(QFileDialog::Accept, QStringLiteral("\u00D6ffnen"));
  dialog->setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
  QStringList recent;
  QList<QUrl> places = {QUrl::fromLocalFile(QDir::homePath())};
  for (const AnsiString& folder : ReadRecentCollections()) {
    if (!DirectoryExists(folder)) continue;
    recent << FromAnsi(folder);
    places << QUrl::fromLocalFile(FromAnsi(folder));
  }
  dialog->setSidebarUrls(places);
  dialog->setHistory(recent);
  // Opened at the collection opened last, "Öffnen" opens that one again.
  dialog->setDirectory(recent.isEmpty() ? QDir::homePath() : recent.front());
  return dialog;
}

namespace {

// A folder without settings opens with every default: its start document is
// the folder itself. Only a deliberate choice opens it.
bool ConfirmFolderWithoutSettings(QWidget* parent, const QString& folder) {
  QMessageBox box(QMessageBox::Question, ApplicationTitle(),
                  QStringLiteral("In %1 liegt keine folverin.ini.\n\nDen Ordner trotzdem als Sammlung "
                                 "\u00F6ffnen?").arg(QDir::toNativeSeparators(folder)),
                  QMessageBox::Yes | QMessageBox::No, parent);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
  box.button(QMessageBox::No)->setText(QStringLiteral("&Nein"));
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace

QString ChooseCollectionFolder(QWidget* parent, const QString& caption) {
  const auto dialog = MakeCollectionDialog(parent, caption);
  // After a refused folder the dialog comes back for another choice.
  while (dialog->exec() == QDialog::Accepted) {
    const QString folder = dialog->selectedFiles().value(0);
    if (folder.isEmpty()) continue;
    if (HasCollectionSettings(ToAnsi(folder)) || ConfirmFolderWithoutSettings(parent, folder)) return folder;
  }
  return {};
}

bool StartDetachedProgram(const QString& program, const QStringList& arguments, QString* error) {
  QProcess process;
  process.setProgram(program);
  process.setArguments(arguments);
  if (process.startDetached()) return true;
  *error = process.errorString();
  return false;
}

TOpenCollectionItems::TOpenCollectionItems(QWidget* owner, const AnsiString& currentFolder)
    : QObject(owner), owner_(owner), currentFolder_(NormalCollectionFolder(currentFolder, "/")) {
  openItem_ = new QAction(QStringLiteral("Sammlung \u00F6ffnen..."), this);
  connect(openItem_, &QAction::triggered, this, [this] {
    const QString folder = ChooseCollectionFolder(owner_, QStringLiteral("Sammlung \u00F6ffnen"));
    if (!folder.isEmpty()) OpenInNewInstance(folder);
  });
  recentMenu_ = new QMenu(QStringLiteral("Zuletzt ge\u00F6ffnete Sammlungen"), owner);
  RebuildRecentMenu();
}

void TOpenCollectionItems::AddTo(QMenu* menu) {
  QAction* before = nullptr;
  for (QAction* item : menu->actions())
    if (item->isSeparator()) before = item;
  menu->insertSeparator(before);
  menu->insertAction(before, openItem_);
  menu->insertMenu(before, recentMenu_);
  // Other instances add to the list while this one runs.
  connect(menu, &QMenu::aboutToShow, this, &TOpenCollectionItems::RebuildRecentMenu);
}

void TOpenCollectionItems::RebuildRecentMenu() {
  recentMenu_->clear();
  size_t position = 0;
  for (const AnsiString& folder : ReadRecentCollections()) {
    if (folder == currentFolder_) continue;
    const QString path = FromAnsi(folder);
    QString shown = path;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* item = recentMenu_->addAction(FromAnsi(RecentItemPrefix(position++)) + shown);
    connect(item, &QAction::triggered, this, [this, path] { OpenInNewInstance(path); });
  }
  recentMenu_->menuAction()->setEnabled(position > 0);
}

void TOpenCollectionItems::OpenInNewInstance(const QString& folder) {
  QString error;
  if (Starter(QCoreApplication::applicationFilePath(), {QStringLiteral("--collection"), folder}, &error)) return;
  ShowErrorBox(owner_, QStringLiteral("Folverin konnte nicht gestartet werden: ") + error);
}

}  // namespace folverin

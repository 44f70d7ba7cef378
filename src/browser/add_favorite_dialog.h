// The dialog of "Zu Favoriten hinzufügen...": the name of the new favourite
// (the page title is proposed), the folder it goes into (the favourites
// folder or one of its sub-folders, a new one made on request), and the
// shortcut file written on OK. An entry of the same name is replaced only
// when the user says so; what cannot be written is said in a message and
// the dialog stays open.
#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace folverin {

class TAddFavoriteDialog : public QDialog {
  Q_OBJECT
 public:
  TAddFavoriteDialog(QWidget* parent, const QString& address, const QString& title);

  QLineEdit* NameEdit = nullptr;
  QTreeWidget* FolderTree = nullptr;
  QPushButton* NewFolderBtn = nullptr;

  // The folder chosen in the tree, with its trailing "/".
  QString ChosenFolder() const;
  // Makes a sub-folder of the chosen one and chooses it; false (after a
  // message) when it cannot be made.
  bool MakeFolder(const QString& name);

  void accept() override;

 private:
  void FillFolders();
  void NewFolderBtnClick();
  bool Save();

  QString address_;
};

}  // namespace folverin

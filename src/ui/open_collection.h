// Opening a collection: the folder dialog that asks for one, the list of
// the collections opened last (kept in the user's settings), and the items of
// the "Datei" menus that open another collection in a new program instance.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "common/ansi_string.h"

class QAction;
class QFileDialog;
class QMenu;
class QWidget;

namespace folverin {

// The collections opened last, newest first, as the user's settings hold
// them (cleaned: normal folders, each once, at most ten).
std::vector<AnsiString> ReadRecentCollections();
// Puts a collection folder (normal form) at the top of that list.
void RememberCollection(const AnsiString& folder);

// The dialog that asks for a collection folder: the toolkit's own (German,
// folders only), opened at the collection opened last; the recent
// collections that still exist stand in its side bar and its history.
std::unique_ptr<QFileDialog> MakeCollectionDialog(QWidget* parent, const QString& caption);
// Runs it: the chosen folder, empty when the user cancelled.
QString ChooseCollectionFolder(QWidget* parent, const QString& caption);

// Starts a program: true, or false with the reason in *error.
using TProgramStarter = std::function<bool(const QString& program, const QStringList& arguments, QString* error)>;
bool StartDetachedProgram(const QString& program, const QStringList& arguments, QString* error);

// "Sammlung öffnen..." and the sub-menu "Zuletzt geöffnete Sammlungen": one
// pair of items that the frame's "Datei" menu and every browser window's
// show. Each opens the collection in a new instance of this program, so
// that every collection keeps its own settings, index and recent list.
class TOpenCollectionItems : public QObject {
 public:
  // currentFolder: the collection this instance shows (not offered again).
  TOpenCollectionItems(QWidget* owner, const AnsiString& currentFolder);

  // Puts the items, after a separator, above the last separator of the menu
  // (the one before "Beenden"), or at its end when it has none.
  void AddTo(QMenu* menu);

  QAction* OpenItem() const { return openItem_; }
  QMenu* RecentMenu() const { return recentMenu_; }
  // Starts the new instance on folder; a failure is shown in the error box.
  void OpenInNewInstance(const QString& folder);

  // How the new instance is started (tests put a recorder here).
  TProgramStarter Starter = StartDetachedProgram;

 private:
  void RebuildRecentMenu();

  QWidget* owner_;
  AnsiString currentFolder_;
  QAction* openItem_ = nullptr;
  QMenu* recentMenu_ = nullptr;
};

}  // namespace folverin

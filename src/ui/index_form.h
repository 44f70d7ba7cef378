// TIndexForm: the quick search window ("Schnellsuche") over the keyword
// index. It lists the keywords, picks one by click or by typing its
// beginning, lists the documents that hold it, most occurrences first, and
// opens a chosen one in the active browser window, which then highlights
// the keyword. It exists once for the program; closing it only hides it.
#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

#include "common/ansi_string.h"
#include "index/index_files.h"
#include "index/keyword_lookup.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QSplitter;
class QTableWidget;

namespace folverin {

class TChildForm;
struct TAppSettings;

class TIndexForm : public QWidget {
  Q_OBJECT
 public:
  TIndexForm(const TAppSettings& settings, std::function<TChildForm*()> activeBrowserWindow,
             QWidget* parent = nullptr);

  // The documents of the index, read at the start and again after every
  // completed build (file numbers of a new index name new documents).
  void ReadDocumentList();

  QListWidget* theList = nullptr;
  QCheckBox* CapitalsOnly = nullptr;
  QLineEdit* SearchEdit = nullptr;
  QCheckBox* ImmediateLoad = nullptr;
  QTableWidget* SelectFile = nullptr;
  QTimer SyncTimer;
  QString CurrentKeyword;

  void LoadKeywords();
  void theListClick();
  void SelectFileClick();
  void SyncTimerTimer();

 signals:
  void VisibilityChanged(bool visible);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Panel2Resize();
  void PlaceInTopRightCorner();
  void ShowRows(const std::vector<TLookupRow>& rows);

  const TAppSettings& settings_;
  std::function<TChildForm*()> activeBrowserWindow_;
  QWidget* rightPane_ = nullptr;
  std::vector<TDocumentEntry> documents_;
  std::vector<AnsiString> shownKeywords_;
};

}  // namespace folverin

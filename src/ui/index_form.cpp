#include "ui/index_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QScreen>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>
#include <string>

#include "app/app_settings.h"
#include "browser/browser_window.h"
#include "browser/embedded_browser.h"
#include "common/file_system.h"
#include "common/scope_guard.h"
#include "index/index_files.h"
#include "index/keyword_list.h"
#include "index/result_columns.h"
#include "qtcommon/application_title.h"
#include "qtcommon/error_box.h"
#include "qtcommon/qt_text.h"

namespace folverin {

namespace {

constexpr int kWidth = 470;
constexpr int kHeight = 280;
constexpr int kLeftPaneWidth = 129;
constexpr int kMinimumPaneWidth = 80;
constexpr int kRowHeight = 18;
constexpr int kTitleColumn = 0;
constexpr int kDocumentColumn = 1;
constexpr int kCountColumn = 2;

void WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
void NormalCursor() { QApplication::restoreOverrideCursor(); }

}  // namespace

TIndexForm::TIndexForm(const TAppSettings& settings, std::function<TChildForm*()> activeBrowserWindow,
                       QWidget* parent)
    : QWidget(parent, Qt::Tool), settings_(settings), activeBrowserWindow_(std::move(activeBrowserWindow)) {
  setWindowTitle(QStringLiteral("Schnellsuche"));

  auto* leftPane = new QWidget;
  auto* left = new QVBoxLayout(leftPane);
  left->setContentsMargins(4, 4, 2, 4);
  auto* listLabel = new QLabel(QStringLiteral("&Schlüsselwörter:"));
  theList = new QListWidget;
  theList->setUniformItemSizes(true);
  listLabel->setBuddy(theList);
  CapitalsOnly = new QCheckBox(QStringLiteral("&Nur Substantive"));
  left->addWidget(listLabel);
  left->addWidget(theList, 1);
  left->addWidget(CapitalsOnly);

  rightPane_ = new QWidget;
  auto* right = new QVBoxLayout(rightPane_);
  right->setContentsMargins(2, 4, 4, 4);
  auto* editLabel = new QLabel(QStringLiteral("S&uchbegriff:"));
  SearchEdit = new QLineEdit;
  editLabel->setBuddy(SearchEdit);
  ImmediateLoad = new QCheckBox(QStringLiteral("S&ofort anzeigen"));
  auto* gridLabel = new QLabel(QStringLiteral("&Ergebnisse:"));
  SelectFile = new QTableWidget(0, 3);
  gridLabel->setBuddy(SelectFile);
  SelectFile->setSelectionBehavior(QAbstractItemView::SelectRows);
  SelectFile->setSelectionMode(QAbstractItemView::SingleSelection);
  SelectFile->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SelectFile->setShowGrid(false);
  SelectFile->setWordWrap(false);
  SelectFile->verticalHeader()->hide();
  SelectFile->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  SelectFile->verticalHeader()->setDefaultSectionSize(kRowHeight);
  SelectFile->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  SelectFile->horizontalHeader()->setMinimumSectionSize(0);
  SelectFile->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  right->addWidget(editLabel);
  right->addWidget(SearchEdit);
  right->addWidget(ImmediateLoad);
  right->addWidget(gridLabel);
  right->addWidget(SelectFile, 1);

  auto* splitter = new QSplitter(Qt::Horizontal);
  leftPane->setMinimumWidth(kMinimumPaneWidth);
  rightPane_->setMinimumWidth(kMinimumPaneWidth);
  splitter->addWidget(leftPane);
  splitter->addWidget(rightPane_);
  splitter->setChildrenCollapsible(false);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({kLeftPaneWidth, kWidth - kLeftPaneWidth});
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter);

  SyncTimer.setInterval(200);
  SyncTimer.setSingleShot(true);
  connect(&SyncTimer, &QTimer::timeout, this, &TIndexForm::SyncTimerTimer);
  SearchEdit->installEventFilter(this);
  rightPane_->installEventFilter(this);
  connect(CapitalsOnly, &QCheckBox::clicked, this, [this] {
    WaitCursor();
    const TScopeGuard normal(NormalCursor);
    LoadKeywords();
  });
  connect(theList, &QListWidget::itemClicked, this, [this] { theListClick(); });
  connect(theList, &QListWidget::itemActivated, this, [this] { theListClick(); });
  connect(SelectFile, &QTableWidget::cellClicked, this, [this] { SelectFileClick(); });
  connect(SelectFile, &QTableWidget::cellActivated, this, [this] { SelectFileClick(); });
  resize(kWidth, kHeight);
}

void TIndexForm::ReadDocumentList() {
  documents_.clear();
  if (!settings_.IndexAvailable) return;
  std::optional<TDocumentList> documents = folverin::ReadDocumentList(settings_.IndexFolder);
  if (!documents) return;
  documents_ = std::move(documents->Entries);
  if (documents->MemoryShort)
    QMessageBox::information(this, ApplicationTitle(), FromAnsi(kDocumentListMemoryMessage));
}

void TIndexForm::showEvent(QShowEvent* event) {
  ImmediateLoad->setChecked(settings_.ImmediateUpdate);
  SelectFile->setHorizontalHeaderLabels(
      {QStringLiteral("Titel"), QStringLiteral("Dokument"), QStringLiteral("Anzahl")});
  // The top right corner of the screen, title bar included: the frame is
  // known only once the window manager has put one round the window.
  resize(kWidth, kHeight);
  PlaceInTopRightCorner();
  QTimer::singleShot(100, this, &TIndexForm::PlaceInTopRightCorner);
  WaitCursor();
  const TScopeGuard normal(NormalCursor);
  Panel2Resize();
  LoadKeywords();
  QWidget::showEvent(event);
  emit VisibilityChanged(true);
}

void TIndexForm::PlaceInTopRightCorner() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  const QRect frame = frameGeometry();
  move(area.right() + 1 - frame.width(), area.top());
}

void TIndexForm::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  emit VisibilityChanged(false);
}

void TIndexForm::closeEvent(QCloseEvent* event) {
  event->ignore();
  hide();
}

bool TIndexForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == SearchEdit) {
    if (event->type() == QEvent::KeyPress) SyncTimer.stop();
    if (event->type() == QEvent::KeyRelease) SyncTimer.start();
  } else if (watched == rightPane_ && event->type() == QEvent::Resize) {
    Panel2Resize();
  }
  return QWidget::eventFilter(watched, event);
}

void TIndexForm::Panel2Resize() {
  const TResultColumnWidths widths =
      ResultColumnWidths(SelectFile->viewport()->width(), settings_.HideDocumentColumn);
  SelectFile->setColumnWidth(kTitleColumn, widths.Title);
  if (widths.Document) SelectFile->setColumnWidth(kDocumentColumn, *widths.Document);
  SelectFile->setColumnHidden(kDocumentColumn, settings_.HideDocumentColumn);
  SelectFile->setColumnWidth(kCountColumn, widths.Count);
}

void TIndexForm::LoadKeywords() {
  theList->clear();
  shownKeywords_.clear();
  const std::optional<std::string> bytes = ReadWholeFile(IndexFilePath(settings_.IndexFolder, kKeywordIndexName));
  if (!bytes) return;
  shownKeywords_ = KeywordListLines(*bytes, CapitalsOnly->isChecked());
  QStringList lines;
  lines.reserve(static_cast<int>(shownKeywords_.size()));
  for (const AnsiString& keyword : shownKeywords_) lines << FromAnsi(keyword);
  theList->addItems(lines);
}

void TIndexForm::theListClick() {
  QListWidgetItem* item = theList->currentItem();
  if (!item) return;
  TLookupResult found;
  {
    WaitCursor();
    const TScopeGuard normal(NormalCursor);
    CurrentKeyword = item->text();
    if (std::optional<TLookupResult> lookup =
            LookupKeywordInIndex(settings_.IndexFolder, ToAnsi(CurrentKeyword), documents_))
      found = std::move(*lookup);
    SortRowsByCount(found.Rows);
    ShowRows(found.Rows);
    if (!found.Error && SelectFile->rowCount() > 0) {
      SelectFile->selectRow(0);
      if (ImmediateLoad->isChecked()) SelectFileClick();
    }
  }
  // A bad number ended the lookup: the rows before it stay, none is chosen.
  if (found.Error) ShowErrorBox(this, FromAnsi(*found.Error));
}

void TIndexForm::ShowRows(const std::vector<TLookupRow>& rows) {
  SelectFile->clearContents();
  SelectFile->setRowCount(static_cast<int>(rows.size()));
  for (int row = 0; row < SelectFile->rowCount(); ++row) {
    const TLookupRow& found = rows[static_cast<size_t>(row)];
    SelectFile->setItem(row, kTitleColumn, new QTableWidgetItem(FromAnsi(found.Title)));
    SelectFile->setItem(row, kDocumentColumn, new QTableWidgetItem(FromAnsi(found.Path)));
    auto* count = new QTableWidgetItem(FromAnsi(found.Count));
    count->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SelectFile->setItem(row, kCountColumn, count);
  }
}

void TIndexForm::SelectFileClick() {
  const int row = SelectFile->currentRow();
  if (row < 0 || row >= SelectFile->rowCount()) return;
  TChildForm* child = activeBrowserWindow_ ? activeBrowserWindow_() : nullptr;
  if (!child) return;
  const QTableWidgetItem* document = SelectFile->item(row, kDocumentColumn);
  if (!document) return;
  const QString path = FromAnsi(settings_.AppFolder + settings_.StartFolder) + document->text();
  if (!QFileInfo(path).isFile()) return;
  child->PendingHighlight = CurrentKeyword;
  child->HighlightFrame = FromAnsi(settings_.Target);
  child->wb->NavigateToFrame(path, FromAnsi(settings_.Target));
}

void TIndexForm::SyncTimerTimer() {
  SyncTimer.stop();
  const AnsiString typed = ToAnsi(SearchEdit->text());
  if (Trim(typed).empty()) return;
  const long index = FindKeywordByPrefix(shownKeywords_, typed);
  if (index < 0) return;
  theList->setCurrentRow(static_cast<int>(index));
  theListClick();
}

}  // namespace folverin

#include "browser/browser_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStringListModel>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <chrono>
#include <memory>
#include <utility>

#include "app/app_settings.h"
#include "app/full_screen.h"
#include "browser/add_favorite_dialog.h"
#include "browser/browser_dialogs.h"
#include "browser/find_frame_document.h"
#include "browser/link_commands.h"
#include "browser/shell_open.h"
#include "browser/target_copy.h"
#include "browser/user_data.h"
#include "common/file_url.h"
#include "common/javascript_string.h"
#include "common/scope_guard.h"
#include "common/throttle.h"
#include "qtcommon/app_icons.h"
#include "qtcommon/application_title.h"
#include "qtcommon/error_box.h"
#include "qtcommon/event_pump.h"
#include "qtcommon/qt_text.h"
#include "search/result_page.h"

namespace folverin {

namespace {

// The element under the mouse as the link commands see it.
TContextLink LinkOf(const TContextElement& element) {
  return {element.Present, ToAnsi(element.TagName), ToAnsi(element.Href)};
}

}  // namespace

TChildForm::TChildForm(TBrowserHost& host, QWidget* parent)
    : QMainWindow(parent), host_(host), searchHTM_(host.SearchCounters()) {
  setMinimumSize(100, 100);
  setWindowIcon(AppIcon(TAppIcon::BrowserWindow));
  wb = new TEmbeddedBrowser(this);
  CreateActions();
  CreateToolBar();
  CreateStatusBar();
  CreateMenus();
  Zoom = new TBrowserZoom(this, wb);
  HitHighlighter = new THitHighlighter(this, wb, statusPanels_[0], host_.AppSettings());
  mnuEdit->addAction(HitHighlighter->acNextHit);
  mnuEdit->addAction(HitHighlighter->acPreviousHit);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  CreateAddressBar();
  layout->addWidget(URLPanel);
  auto* splitter = new QSplitter(Qt::Horizontal, central);
  ShellPanel = new TShellPane(splitter);
  ShellPanel->setMinimumWidth(60);
  ShellPanel->BindActions(acFav, acHistory);
  connect(ShellPanel, &TShellPane::OpenRequested, wb, &TEmbeddedBrowser::Navigate);
  splitter->addWidget(ShellPanel);
  splitter->addWidget(wb);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({185, 600});
  layout->addWidget(splitter, 1);
  setCentralWidget(central);
  ConnectBrowser();
}

void TChildForm::CreateActions() {
  struct TActionEntry {
    QAction** Action;
    const char* Caption;
    const char* Hint;
    TAppIcon Icon;
  };
  const TActionEntry kActions[] = {
      {&acOpen, "Öffnen...", "Öffnen", TAppIcon::Open},
      {&acRefresh, "Aktualisieren", "Aktualisieren", TAppIcon::Refresh},
      {&acBack, "Zurück", "Zurück", TAppIcon::Back},
      {&acNext, "Vor", "Vor", TAppIcon::Forward},
      {&acStop, "Abbrechen", "Abbrechen", TAppIcon::Stop},
      {&acSearch, "Suchen...", "Suchen", TAppIcon::Find},
      {&acPrint, "Drucken", "Drucken", TAppIcon::Print},
      {&acPreview, "Druckvorschau...", "Druckvorschau", TAppIcon::Preview},
      {&acPageLayout, "Seite einrichten...", "Seite einrichten", TAppIcon::None},
      {&acFav, "Favoriten", "Favoriten", TAppIcon::Favorites},
      {&acHistory, "Verlauf", "Verlauf", TAppIcon::History},
      {&acOptions, "Internetoptionen...", "Internetoptionen", TAppIcon::Options},
      {&acEdit, "Quelltext anzeigen", "Quelltext anzeigen", TAppIcon::Source},
      {&acSelectAll, "Alles markieren", "Alles markieren", TAppIcon::None},
      {&acCopy, "Kopieren", "Kopieren", TAppIcon::None},
  };
  for (const TActionEntry& entry : kActions) {
    *entry.Action = new QAction(AppIcon(entry.Icon), QString::fromUtf8(entry.Caption), this);
    (*entry.Action)->setToolTip(QString::fromUtf8(entry.Hint));
    (*entry.Action)->setStatusTip(QString::fromUtf8(entry.Hint));
  }
  acBack->setEnabled(false);
  acNext->setEnabled(false);
  acAddress = new QAction(QStringLiteral("Adresse"), this);
  connect(acAddress, &QAction::triggered, this, &TChildForm::FocusAddressBox);
  // Shift+F10 as documented, and the standard keys where the documented
  // menus leave them free. They hold while the focus is in this window, so
  // that an editor window's keys of the same name stay its own.
  const std::pair<QAction*, QKeySequence> keys[] = {
      {acEdit, QKeySequence(Qt::SHIFT | Qt::Key_F10)},  {acSearch, QKeySequence(Qt::CTRL | Qt::Key_F)},
      {acRefresh, QKeySequence(Qt::Key_F5)},             {acBack, QKeySequence(Qt::ALT | Qt::Key_Left)},
      {acNext, QKeySequence(Qt::ALT | Qt::Key_Right)},   {acPrint, QKeySequence(Qt::CTRL | Qt::Key_P)},
      {acOpen, QKeySequence(Qt::CTRL | Qt::Key_O)},      {acAddress, QKeySequence(Qt::CTRL | Qt::Key_L)},
  };
  for (const auto& [action, key] : keys) {
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(action);
  }
  acFav->setCheckable(true);
  acHistory->setCheckable(true);
  auto* paneGroup = new QActionGroup(this);
  paneGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  paneGroup->addAction(acFav);
  paneGroup->addAction(acHistory);

  connect(acOpen, &QAction::triggered, this, &TChildForm::acOpenExecute);
  connect(acRefresh, &QAction::triggered, wb, &TEmbeddedBrowser::Refresh);
  connect(acBack, &QAction::triggered, wb, &TEmbeddedBrowser::GoBack);
  connect(acNext, &QAction::triggered, wb, &TEmbeddedBrowser::GoForward);
  connect(acStop, &QAction::triggered, wb, &TEmbeddedBrowser::Stop);
  // The control's own dialogs act on its view.
  connect(acSearch, &QAction::triggered, wb, [this] { ShowFindDialog(wb->View()); });
  connect(acPrint, &QAction::triggered, wb, [this] { PrintDocument(wb->View()); });
  connect(acPreview, &QAction::triggered, wb, [this] { ShowPrintPreview(wb->View()); });
  connect(acPageLayout, &QAction::triggered, wb, [this] { ShowPageSetup(wb->View()); });
  connect(acOptions, &QAction::triggered, wb, [this] { ShowInternetOptions(wb->View()); });
  connect(acEdit, &QAction::triggered, this, &TChildForm::acEditExecute);
  connect(acSelectAll, &QAction::triggered, wb, &TEmbeddedBrowser::ExecSelectAll);
  connect(acCopy, &QAction::triggered, wb, &TEmbeddedBrowser::ExecCopy);
}

void TChildForm::CreateToolBar() {
  ToolBar = new QToolBar(QStringLiteral("Schalter"), this);
  ToolBar->setMovable(false);
  ToolBar->setIconSize(QSize(22, 22));
  ToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  addToolBar(ToolBar);

  auto* openBtn = new QToolButton(ToolBar);  // OpenBtn
  openBtn->setDefaultAction(acOpen);
  openBtn->setPopupMode(QToolButton::MenuButtonPopup);
  openBtn->setMenu(host_.RecentMenu());
  ToolBar->addWidget(openBtn);
  for (QAction* action : {acRefresh, acBack, acNext, acStop, acSearch, acPrint, acPreview})
    ToolBar->addAction(action);
  ToolBar->addSeparator();
  ToolBar->addAction(acFav);
  ToolBar->addAction(acHistory);
  ToolBar->addSeparator();
  ToolBar->addAction(acOptions);
  IndexBtn = new QToolButton(ToolBar);
  IndexBtn->setIcon(AppIcon(TAppIcon::Index));
  IndexBtn->setToolTip(QStringLiteral("Index-Suche"));
  IndexBtn->setCheckable(true);
  connect(IndexBtn, &QToolButton::clicked, this, &TChildForm::IndexBtnClick);
  IndexBtnAction = ToolBar->addWidget(IndexBtn);
  IndexBtnAction->setVisible(false);
  ToolBar->addSeparator();
}

void TChildForm::CreateAddressBar() {
  URLPanel = new QWidget(this);
  URLPanel->setFixedHeight(27);
  auto* layout = new QHBoxLayout(URLPanel);
  layout->setContentsMargins(4, 2, 2, 2);
  layout->setSpacing(0);
  auto* label = new QLabel(QStringLiteral("Adresse:"), URLPanel);
  label->setContentsMargins(0, 0, 4, 0);
  layout->addWidget(label);
  URLCombo = new QComboBox(URLPanel);
  URLCombo->setEditable(true);
  URLCombo->setInsertPolicy(QComboBox::NoInsert);
  URLCombo->setMaxVisibleItems(8);
  URLCombo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  auto* completer = new QCompleter(new QStringListModel(URLCombo), URLCombo);
  completer->setCaseSensitivity(Qt::CaseInsensitive);
  completer->setFilterMode(Qt::MatchStartsWith);
  completer->setCompletionMode(QCompleter::PopupCompletion);
  completer->setMaxVisibleItems(8);
  URLCombo->setCompleter(completer);
  URLCombo->lineEdit()->installEventFilter(this);
  URLCombo->installEventFilter(this);
  connect(URLCombo, &QComboBox::activated, this, &TChildForm::URLComboChosen);
  layout->addWidget(URLCombo, 1);
  FillAddressList();
}

void TChildForm::FocusAddressBox() {
  URLPanel->show();
  URLCombo->setFocus(Qt::ShortcutFocusReason);
  URLCombo->lineEdit()->selectAll();
}

void TChildForm::CreateStatusBar() {
  StatusBar = new QStatusBar(this);
  StatusBar->setSizeGripEnabled(false);
  for (int i = 0; i < 3; ++i) {
    statusPanels_[i] = new QLabel(StatusBar);
    statusPanels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusPanels_[i]->setTextFormat(Qt::PlainText);
  }
  statusPanels_[0]->setFixedWidth(100);
  statusPanels_[1]->setFixedWidth(100);
  statusPanels_[2]->setMinimumWidth(50);
  StatusBar->addWidget(statusPanels_[0]);
  StatusBar->addWidget(statusPanels_[1]);
  StatusBar->addWidget(statusPanels_[2], 1);
  ProgressBar = new QProgressBar(statusPanels_[1]);
  ProgressBar->setGeometry(2, 1, 73, 17);
  ProgressBar->setTextVisible(false);
  ProgressBar->hide();
  statusPanels_[0]->setText(QStringLiteral(" Bereit"));
  setStatusBar(StatusBar);
}

void TChildForm::CreateMenus() {
  mnuFile = new QMenu(QStringLiteral("&Datei"), this);
  QAction* newWindow = mnuFile->addAction(QStringLiteral("Neu"));
  connect(newWindow, &QAction::triggered, this, [this] { host_.mnuNewClick(); });
  mnuFile->addSeparator();
  mnuFile->addAction(acRefresh);
  mnuFile->addAction(acPrint);
  mnuFile->addAction(acPreview);
  mnuFile->addAction(acPageLayout);
  QAction* closeItem = mnuFile->addAction(QStringLiteral("Schliessen"));
  connect(closeItem, &QAction::triggered, this, [this] { host_.CloseChild(this); });
  mnuFile->addSeparator();
  QAction* quit = mnuFile->addAction(QStringLiteral("Beenden"));
  connect(quit, &QAction::triggered, this, [this] { host_.CloseProgram(); });

  mnuEdit = new QMenu(QStringLiteral("&Bearbeiten"), this);
  mnuEdit->addAction(acCopy);
  mnuEdit->addAction(acSelectAll);
  mnuEdit->addAction(acSearch);

  ContextMenu = new QMenu(this);
  ContextMenu->addAction(acEdit);
  QAction* showFrame = ContextMenu->addAction(QStringLiteral("Frame anzeigen"));
  connect(showFrame, &QAction::triggered, this, &TChildForm::mnuShowFrameClick);
  QAction* fullScreen = ContextMenu->addAction(QStringLiteral("Vollbild"));
  connect(fullScreen, &QAction::triggered, this, [this] { host_.mnuFullScreenClick(); });
  mnuSaveTarget = ContextMenu->addAction(QStringLiteral("Ziel speichern unter..."));
  connect(mnuSaveTarget, &QAction::triggered, this, &TChildForm::mnuSaveTargetClick);
  mnuCopyTargetFolder = ContextMenu->addAction(QStringLiteral("Zielordner kopieren..."));
  connect(mnuCopyTargetFolder, &QAction::triggered, this, &TChildForm::mnuCopyTargetFolderClick);
  mnuAddToFavorites = ContextMenu->addAction(QStringLiteral("Zu Favoriten hinzufügen..."));
  connect(mnuAddToFavorites, &QAction::triggered, this, &TChildForm::mnuAddToFavoritesClick);
  mnuSaveTarget->setEnabled(false);
  mnuCopyTargetFolder->setEnabled(false);
}

void TChildForm::ConnectBrowser() {
  wb->OnBeforeNavigate2 = [this](const QString& address) { return WBBeforeNavigate2(address); };
  wb->OnNewWindow2 = [this] { return WBNewWindow2(); };
  connect(wb, &TEmbeddedBrowser::OnToolBar, ToolBar, &QWidget::setVisible);
  wb->OnShowContextMenu = [this](const QPoint& screenPos, const TContextElement& element) {
    return wbShowContextMenu(screenPos, element);
  };
  wb->OnTranslateAccelerator = [this](const QKeyEvent& key) { return wbTranslateAccelerator(key); };
  connect(wb, &TEmbeddedBrowser::StatusTextChange, statusPanels_[2], &QLabel::setText);
  connect(wb, &TEmbeddedBrowser::ProgressChange, this, [this](int progress, int progressMax) {
    ProgressBar->setMaximum(progressMax);
    ProgressBar->setValue(progress);
    ProgressBar->repaint();
  });
  connect(wb, &TEmbeddedBrowser::CommandStateChange, this, [this](int command, bool enable) {
    if (command == TEmbeddedBrowser::kCommandForward) acNext->setEnabled(enable);
    if (command == TEmbeddedBrowser::kCommandBack) acBack->setEnabled(enable);
  });
  // The caption; the frame's tab follows it.
  connect(wb, &TEmbeddedBrowser::TitleChange, this, &QWidget::setWindowTitle);
  connect(wb, &TEmbeddedBrowser::NavigateComplete2, ProgressBar, &QWidget::hide);
  connect(wb, &TEmbeddedBrowser::DocumentComplete, this, &TChildForm::WBDocumentComplete);
  connect(wb, &TEmbeddedBrowser::DocumentShown, this, [this](const QString& address, const QString& title) {
    RecordHistoryVisit(address, title, FromAnsi(host_.AppSettings().SearchPage));
  });
  connect(wb, &TEmbeddedBrowser::CloseRequested, this, [this] { host_.CloseChild(this); });
}

void TChildForm::NavigateCurrent() {
  if (CurrentAddress.isEmpty()) {
    wb->NavigateBlank();
  } else {
    wb->Navigate(CurrentAddress);
  }
}

bool TChildForm::WBBeforeNavigate2(const QString& address) {
  ProgressBar->show();
  const TNavigationDecision decision = DecideNavigation(ToAnsi(address), Switches);
  switch (decision.Action) {
    case TNavigationAction::Pass:
      return false;
    case TNavigationAction::RefuseBeep:
      QApplication::beep();
      return true;
    case TNavigationAction::ShellOpen:
      // The engine is in the middle of its navigation; the shell and the
      // search (which runs the message loop) start once it has returned.
      QTimer::singleShot(0, this, [address] { ShellOpen(address); });
      return true;
    case TNavigationAction::RunSearch:
      QTimer::singleShot(0, this, [this, query = decision.Query] { StartDocumentSearch(query); });
      return true;
  }
  return false;
}

TEmbeddedBrowser* TChildForm::WBNewWindow2() {
  if (DecideNewWindow(Switches) == TNewWindowPlacement::SameWindow) return wb;
  TChildForm* child = host_.OpenBrowserWindow(QStringLiteral("noname"));
  child->show();
  return child->wb;
}

bool TChildForm::wbShowContextMenu(const QPoint& screenPos, const TContextElement& element) {
  ContextElement = element;
  ContextDocumentURL = element.Present ? element.DocumentURL : QString();
  const bool linkCommands = LinkCommandsEnabled(LinkOf(element));
  mnuSaveTarget->setEnabled(linkCommands);
  mnuCopyTargetFolder->setEnabled(linkCommands);
  const bool ctrlHeld = QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier;
  if (DecideContextMenu(ctrlHeld, Switches) == TContextMenuChoice::EngineMenu) return false;
  ContextMenu->popup(screenPos);
  return true;
}

bool TChildForm::wbTranslateAccelerator(const QKeyEvent& key) {
  const TFullScreenKey which = key.key() == Qt::Key_F11      ? TFullScreenKey::F11
                              : key.key() == Qt::Key_Escape ? TFullScreenKey::Escape
                                                            : TFullScreenKey::Other;
  if (!KeyTogglesFullScreen(which, host_.IsFullScreen())) return false;
  host_.mnuFullScreenClick();
  return true;
}

void TChildForm::WBDocumentComplete(bool topLevel) {
  if (topLevel) {
    wb->FocusDocument();
    ProgressBar->hide();
  }
  if (!PendingHighlight.isEmpty()) ShowPendingHighlight();
  PendingHighlight.clear();
  HitHighlighter->DocumentComplete();
}

// The quick search's keyword in the frame it opened the document in: from
// the end of the frame's selection forward, any letter case, also inside
// longer words. A window without that frame highlights nothing. Nothing
// waits for the page here: this runs while the page reports its state.
void TChildForm::ShowPendingHighlight() {
  const QString script = QStringLiteral(
                             "(function(w, keyword) {"
                             "  if (!w) return false;"
                             "  var selection = w.getSelection();"
                             "  if (selection && selection.rangeCount) selection.collapseToEnd();"
                             "  return w.find(keyword, false, false, false, false, false);"
                             "})(%1, %2)")
                             .arg(FrameWindowScript(HighlightFrame),
                                  FromUtf16(JavaScriptString(ToUtf16(PendingHighlight))));
  wb->RunScript(script);
}

void TChildForm::FillAddressList() {
  QStringList entries;
  for (const AnsiString& entry : host_.RecentEntries()) entries << FromAnsi(entry);
  const QString text = URLCombo->currentText();
  URLCombo->clear();
  URLCombo->addItems(entries);
  URLCombo->setCurrentIndex(-1);
  URLCombo->setEditText(text);
  static_cast<QStringListModel*>(URLCombo->completer()->model())->setStringList(entries);
}

void TChildForm::FormActivate() { FillAddressList(); }

bool TChildForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      (watched == URLCombo || watched == URLCombo->lineEdit())) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      URLComboEnter();
      return true;
    }
    if (wbTranslateAccelerator(*static_cast<QKeyEvent*>(event))) return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TChildForm::URLComboEnter() {
  const QString text = URLCombo->currentText();
  host_.AddRecent(ToAnsi(text));
  FillAddressList();
  wb->Navigate(text);
}

void TChildForm::URLComboChosen(int index) {
  if (index == -1) return;
  CurrentAddress = URLCombo->itemText(index);
  URLCombo->setEditText(CurrentAddress);
  wb->Navigate(CurrentAddress);
}

void TChildForm::acOpenExecute() {
  QFileDialog dialog(this, QStringLiteral("Öffnen"));
  dialog.setNameFilter(QStringLiteral("HTML-Dokumente (*.htm *.html)"));
  dialog.setDefaultSuffix(QStringLiteral("htm"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDirectory(FromAnsi(host_.AppSettings().DocFolder));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  CurrentAddress = dialog.selectedFiles().first();
  host_.AddRecent(ToAnsi(CurrentAddress));
  FillAddressList();
  NavigateCurrent();
}

void TChildForm::acEditExecute() {
  if (wb->LocationProtocol() != QLatin1String("file:") || ContextDocumentURL.isEmpty()) return;
  emit SourceRequested(FromAnsi(FileURLToPath(ToAnsi(ContextDocumentURL))), true);
}

void TChildForm::mnuShowFrameClick() {
  if (wb->LocationProtocol() != QLatin1String("file:")) return;
  const AnsiString path = FileURLToPath(ToAnsi(wb->DocumentURL()));
  if (!path.empty()) emit SourceRequested(FromAnsi(path), false);
}

bool TChildForm::ChooseTargetFolder() {
  AnsiString& last = host_.SharedTargetFolder();
  const QString preselected = FromAnsi(PreselectedTargetFolder(last));
  const QString chosen = FolderBrowser ? FolderBrowser(this, preselected)
                                       : QFileDialog::getExistingDirectory(
                                             this, QStringLiteral("Ausgewählter Ordner:"), preselected);
  if (chosen.isEmpty()) return false;
  last = ChosenTargetFolder(ToAnsi(chosen));
  return true;
}

void TChildForm::mnuSaveTargetClick() {
  // The file may have gone since the menu opened.
  const TContextLink link = LinkOf(ContextElement);
  if (!LinkCommandsEnabled(link)) return;
  if (!ChooseTargetFolder()) return;
  const AnsiString& into = host_.SharedTargetFolder();
  CopyIntoFolder(this, PlanFileCopy(*LinkTargetPath(link), into), FromAnsi(into));
}

void TChildForm::mnuCopyTargetFolderClick() {
  const std::optional<AnsiString> path = LinkTargetPath(LinkOf(ContextElement));
  if (!path) return;
  if (!ChooseTargetFolder()) return;
  const AnsiString& into = host_.SharedTargetFolder();
  CopyIntoFolder(this, PlanFolderCopy(LinkTargetFolder(*path), into), FromAnsi(into));
}

void TChildForm::mnuAddToFavoritesClick() {
  // The document's own title; the engine's caption for a page without one
  // is made up from its address.
  const QString title = wb->EvaluateScript(QStringLiteral("document.title")).toString().trimmed();
  TAddFavoriteDialog dialog(this, wb->DocumentURL(), title);
  if (dialog.exec() == QDialog::Accepted) ShellPanel->Reload();
}

void TChildForm::IndexBtnClick() {
  const bool visible = host_.ToggleQuickSearchWindow();
  IndexBtn->setChecked(visible);
}

void TChildForm::StartDocumentSearch(const AnsiString& query) {
  // One walk per window at a time: a second search link clicked while the
  // walk runs would re-enter the same walk.
  if (searchRunning_) {
    QApplication::beep();
    return;
  }
  TSearchOutcome outcome;
  SearchAllDocuments(query, outcome);
  if (closeAfterSearch_) {
    QTimer::singleShot(0, this, [this] { host_.CloseChild(this); });
    return;
  }
  if (outcome.QueryError) {
    QMessageBox::critical(this, ApplicationTitle(), FromAnsi(*outcome.QueryError));
    return;
  }
  if (outcome.Cancelled) return;
  ResultPage = std::move(outcome.ResultPage);
  const TAppSettings& settings = host_.AppSettings();
  if (auto error = SaveResultPage(ResultPage, settings.SearchPage, LastResultFile)) {
    ShowErrorBox(this, FromAnsi(settings.SearchPage) + QStringLiteral(": ") +
                           QString::fromLocal8Bit(error->c_str()));
    return;
  }
  HitHighlighter->SearchShown(settings.SearchPage, query, outcome.Hits);
  wb->NavigateToFrame(FromAnsi(settings.SearchPage), FromAnsi(settings.Target));
}

void TChildForm::SearchAllDocuments(const AnsiString& query, TSearchOutcome& outcome) {
  static TSearchRunId lastRun = 0;
  const TSearchRunId run = ++lastRun;
  // The dialog may outlive the window; its cancel then has nothing to do.
  const std::function<void()> cancel = [self = QPointer<TChildForm>(this)] {
    if (self) self->CancelDocumentSearch();
  };
  // The dialog appears once the walk has begun, so that a query error shows
  // only its message; a search of another window started from inside this
  // walk takes the dialog over, and this run takes it back as it goes on.
  // Between the documents the window lets events in (a cancel answers
  // within a twentieth of a second) and shows the document being read at
  // most twenty times a second: more would cost more than the search.
  auto showProgress = [this, run, cancel] { host_.ShowSearchProgress(run, cancel); };
  auto pathDue = std::make_shared<TThrottle>(kPumpInterval);
  searchHTM_.Hooks.Pump = ThrottledEventPump(showProgress);
  searchHTM_.Hooks.OnDocument = [this, showProgress, pathDue](const AnsiString& path) {
    if (!pathDue->Due()) return;
    showProgress();
    host_.ShowSearchedDocument(FromAnsi(path));
  };
  const TScopeGuard progressEnds([this, run] { host_.EndSearchProgress(run); });
  searchRunning_ = true;
  const TScopeGuard notRunning([this] { searchRunning_ = false; });
  outcome = searchHTM_.Run(host_.AppSettings(), QueryParser, query);
}

void TChildForm::CancelDocumentSearch() {
  if (searchRunning_) searchHTM_.Cancel();
}

void TChildForm::closeEvent(QCloseEvent* event) {
  // The walk runs inside this window's handlers; the window goes once the
  // walk has ended.
  if (searchRunning_) {
    closeAfterSearch_ = true;
    CancelDocumentSearch();
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

}  // namespace folverin

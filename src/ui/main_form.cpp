#include "ui/main_form.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/full_screen.h"
#include "app/menu_merge.h"
#include "app/window_cascade.h"
#include "browser/browser_dialogs.h"
#include "browser/browser_window.h"
#include "browser/embedded_browser.h"
#include "common/file_system.h"
#include "common/windows1252.h"
#include "editor/edit_form.h"
#include "editor/elements_form.h"
#include "editor/prompt_dialog.h"
#include "qtcommon/app_icons.h"
#include "qtcommon/application_title.h"
#include "qtcommon/error_box.h"
#include "qtcommon/qt_text.h"
#include "ui/about_box.h"
#include "ui/action_dialog.h"
#include "ui/create_index_dialog.h"
#include "ui/index_form.h"
#include "ui/open_collection.h"
#include "ui/stored_list.h"

namespace folverin {

namespace {

constexpr int kGroupFile = 0;
constexpr int kGroupEdit = 1;
constexpr int kGroupTools = 2;
constexpr int kGroupView = 3;
constexpr int kGroupWindow = 10;
constexpr int kGroupHelp = 11;

TChildForm* BrowserOf(QMdiSubWindow* window) {
  return window ? qobject_cast<TChildForm*>(window->widget()) : nullptr;
}

TEditForm* EditorOf(QMdiSubWindow* window) {
  return window ? qobject_cast<TEditForm*>(window->widget()) : nullptr;
}

}  // namespace

TMainForm::TMainForm(const AnsiString& programFile, QWidget* parent) : QMainWindow(parent) {
  auto* client = new QWidget(this);
  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  MDITab = new QTabBar(client);
  MDITab->setFixedHeight(22);
  MDITab->setDrawBase(false);
  MDITab->setExpanding(false);
  MDITab->setElideMode(Qt::ElideRight);
  MDITab->hide();
  mdiArea_ = new QMdiArea(client);
  mdiArea_->setBackground(Qt::white);
  layout->addWidget(MDITab);
  layout->addWidget(mdiArea_, 1);
  setCentralWidget(client);
  connect(MDITab, &QTabBar::tabBarClicked, this, [this](int index) {
    MDITab->setCurrentIndex(index);
    TabChange();
  });
  connect(mdiArea_, &QMdiArea::subWindowActivated, this, &TMainForm::ChildActivated);

  TSettingsEnvironment environment;
  environment.ProgramFile = programFile;
  environment.TempDir = scratchFolder_.Path();
  if (scratchFolder_.Path().empty()) qWarning("%s", AnsiToUtf8(scratchFolder_.Error()).c_str());
  environment.DesignedWidth = kDesignedWidth;
  environment.DesignedHeight = kDesignedHeight;
  const QSize screen = QGuiApplication::primaryScreen()->size();
  environment.ScreenWidth = screen.width();
  environment.ScreenHeight = screen.height();
  environment.LoadIcon = [](const AnsiString& iconFile) -> std::optional<AnsiString> {
    const QIcon icon(FromAnsi(iconFile));
    if (icon.isNull() || icon.availableSizes().isEmpty())
      return AnsiString("Ung\xFCltiges Symbol: ") + iconFile;
    QApplication::setWindowIcon(icon);
    return std::nullopt;
  };
  TSettingsResult result = ReadAppSettings(environment);
  Settings = std::move(result.Settings);
  outcome_ = std::move(result.Outcome);
  ReadRecentList();
  CreateMenus();
  CreateStartupWindows();
  ApplyOutcome();
}

TMainForm::~TMainForm() {
  WriteRecentList();
  // The child windows go first, while the tab strip and the menu bar that
  // their destruction updates still exist (closed windows may still be
  // waiting for their deferred deletion).
  destroying_ = true;
  delete mdiArea_;
  mdiArea_ = nullptr;
}

// The program-wide windows, each once and hidden, in the order the rest of
// the program expects them to exist.
void TMainForm::CreateStartupWindows() {
  static const TCompiledVersionSource versionSource;
  // The version strings are those of the program itself, also when
  // --collection puts the collection elsewhere.
  AboutBox = new TAboutBox(Settings.AppFolder, ToAnsi(QCoreApplication::applicationFilePath()),
                           versionSource, this);
  PromptDlg = new TPromptDlg(this);
  ActionDlg = new TActionDlg(this);
  QuickSearchWindow = new TIndexForm(Settings, [this] { return ActiveBrowserWindow(); }, this);
  QuickSearchWindow->ReadDocumentList();
  // Hidden by its close box as well: the buttons and the menu item follow.
  connect(QuickSearchWindow, &TIndexForm::VisibilityChanged, this, [this](bool visible) {
    mnuIndexSearch_->setChecked(visible);
    for (TChildForm* child : BrowserWindows()) child->IndexBtn->setChecked(visible);
  });
  ElementsForm = new TElementsForm(this);
}

void TMainForm::ApplyOutcome() {
  SetApplicationTitle(FromAnsi(outcome_.Caption));
  setWindowTitle(FromAnsi(outcome_.Caption));
  if (QApplication::windowIcon().isNull()) QApplication::setWindowIcon(AppIcon(TAppIcon::BrowserWindow));
  setWindowIcon(QApplication::windowIcon());
  resize(std::max(outcome_.Width, 1), std::max(outcome_.Height, 1));
  const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
  move(available.center() - rect().center());
  BuildToolsMenu(ReadToolsMenu(outcome_));
  if (outcome_.HelpIndexVisible) mnuHelpIndex_->setVisible(*outcome_.HelpIndexVisible);
  if (outcome_.CreateIndexVisible) mnuCreateIndex_->setVisible(*outcome_.CreateIndexVisible);
  if (outcome_.WindowSizeVisible) mnuWindowSize_->menuAction()->setVisible(*outcome_.WindowSizeVisible);
  if (outcome_.IndexSearchVisible) mnuIndexSearch_->setVisible(*outcome_.IndexSearchVisible);
  if (outcome_.EnterFullScreen) mnuFullScreenClick();
}

void TMainForm::ReportStartupError() {
  if (outcome_.ErrorMessage) ShowErrorBox(this, FromAnsi(*outcome_.ErrorMessage));
  if (AboutBox && AboutBox->LogoError()) ShowErrorBox(this, *AboutBox->LogoError());
}

// --- menus ---------------------------------------------------------------

void TMainForm::CreateMenus() {
  mnuFile_ = new QMenu(QStringLiteral("&Datei"), this);
  connect(mnuFile_->addAction(QStringLiteral("Neu")), &QAction::triggered, this,
          &TMainForm::mnuNewClick);
  mnuCreateIndex_ = mnuFile_->addAction(QStringLiteral("Index erstellen..."));
  mnuCreateIndex_->setVisible(false);
  connect(mnuCreateIndex_, &QAction::triggered, this, &TMainForm::mnuCreateIndexClick);
  mnuFile_->addSeparator();
  connect(mnuFile_->addAction(QStringLiteral("Beenden")), &QAction::triggered, this, &QWidget::close);
  OpenCollection = new TOpenCollectionItems(this, Settings.AppFolder);
  OpenCollection->AddTo(mnuFile_);

  mnuTools_ = new QMenu(QStringLiteral("&Tools"), this);
  mnuTools_->menuAction()->setVisible(false);
  Tool0Item_ = mnuTools_->addAction(QStringLiteral("leer"));
  Tool0Item_->setVisible(false);
  CreateViewMenu();
  CreateWindowMenu();
  CreateHelpMenu();

  recentMenu_ = new QMenu(this);
  RebuildRecentMenu();
  setContextMenuPolicy(Qt::CustomContextMenu);
  mdiArea_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(mdiArea_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { recentMenu_->popup(mdiArea_->mapToGlobal(pos)); });
  RebuildMenuBar();
}

void TMainForm::CreateViewMenu() {
  mnuView_ = new QMenu(QStringLiteral("A&nzeige"), this);
  auto addSwitch = [this](const QString& caption, bool& setting) {
    QAction* item = mnuView_->addAction(caption);
    item->setCheckable(true);
    connect(item, &QAction::triggered, this, [this, item, &setting] { ViewSwitchClick(item, setting); });
    return item;
  };
  mnuToolbar_ = addSwitch(QStringLiteral("Toolbar"), Settings.ShowToolbar);
  mnuToolbar_->setChecked(true);
  mnuURLs_ = addSwitch(QStringLiteral("URLs"), Settings.ShowURLs);
  mnuFavorites_ = addSwitch(QStringLiteral("Favoriten"), Settings.ShowFavorites);
  mnuHistory_ = addSwitch(QStringLiteral("Verlauf"), Settings.ShowHistory);
  connect(mnuView_->addAction(QStringLiteral("Internetoptionen...")), &QAction::triggered, this, [this] {
    if (TChildForm* child = ActiveBrowserWindow()) ShowInternetOptions(child->wb->View());
  });
  mnuIndexSearch_ = mnuView_->addAction(QStringLiteral("Index-Suche"));
  mnuIndexSearch_->setCheckable(true);
  mnuIndexSearch_->setEnabled(false);
  mnuIndexSearch_->setVisible(false);
  mnuView_->addSeparator();
  mnuFullScreen_ = mnuView_->addAction(QStringLiteral("Vollbild"));
  mnuFullScreen_->setCheckable(true);
  // The toggle sets the check mark itself.
  connect(mnuFullScreen_, &QAction::triggered, this, [this] {
    mnuFullScreen_->toggle();
    mnuFullScreenClick();
  });
  CreateWindowSizeMenu();
}

const std::vector<TMainForm::TWindowSize>& TMainForm::WindowSizes() {
  static const std::vector<TWindowSize> sizes = {
      {"640x480", 640, 480},     {"800x600", 800, 600},     {"1024x768", 1024, 768},
      {"1280x1024", 1280, 1024}, {"1600x1280", 1600, 1280},
  };
  return sizes;
}

void TMainForm::CreateWindowSizeMenu() {
  mnuWindowSize_ = mnuView_->addMenu(QStringLiteral("Fenstergr\u00F6sse"));
  auto* group = new QActionGroup(mnuWindowSize_);
  group->setExclusive(true);
  for (const TWindowSize& size : WindowSizes()) {
    QAction* item = mnuWindowSize_->addAction(QString::fromLatin1(size.Caption));
    item->setCheckable(true);
    group->addAction(item);
    connect(item, &QAction::triggered, this,
            [this, width = size.Width, height = size.Height] { WindowSizeClick(width, height); });
  }
}

// The sizes are those of the whole window, frame included, so that
// "1024x768" fills a screen of that size.
void TMainForm::WindowSizeClick(int width, int height) {
  move(0, 0);
  const QSize frame = frameGeometry().size() - size();
  resize(width - frame.width(), height - frame.height());
}

void TMainForm::CreateHelpMenu() {
  mnuHelp_ = new QMenu(QStringLiteral("&Hilfe"), this);
  mnuHelpIndex_ = mnuHelp_->addAction(QStringLiteral("&Index"));
  mnuHelpIndex_->setEnabled(false);
  mnuHelpIndex_->setVisible(false);
  connect(mnuHelp_->addAction(QStringLiteral("Info \u00FCbe&r...")), &QAction::triggered, this,
          &TMainForm::mnuAboutClick);
}

void TMainForm::mnuAboutClick() { AboutBox->exec(); }

void TMainForm::mnuCreateIndexClick() {
  TCreateIDXForm dialog(Settings, this);
  dialog.exec();
  // Whatever the build left in the index folder decides whether the index
  // is available from now on; the quick search names the documents of the
  // new index, not those of the one it read at the start.
  Settings.IndexAvailable = IndexFilesExist(Settings.IndexFolder);
  if (dialog.Outcome().Result == TIndexBuildResult::Done) QuickSearchWindow->ReadDocumentList();
}

// --- Tools menu ---------------------------------------------------------

void TMainForm::BuildToolsMenu(const TToolsMenu& menu) {
  toolEntries_ = menu.Entries;
  for (size_t tag = 0; tag < toolEntries_.size(); ++tag) {
    QAction* item = mnuTools_->addAction(FromAnsi(toolEntries_[tag].Caption));
    item->setData(static_cast<int>(tag));
    connect(item, &QAction::triggered, this, [this, item] { Tool0ItemClick(item); });
  }
  mnuTools_->menuAction()->setVisible(menu.Visible);
}

AnsiString TMainForm::ToolCommandOf(int tag) const {
  if (tag < 0 || tag >= static_cast<int>(toolEntries_.size())) return {};
  return ToolStartCommand(Settings.AppFolder, toolEntries_[static_cast<size_t>(tag)]).value_or(AnsiString());
}

void TMainForm::Tool0ItemClick(QAction* sender) {
  const AnsiString command = ToolCommandOf(sender->data().toInt());
  if (command.empty()) return;
  // Whether the program starts is not examined: one that cannot shows nothing.
  QProcess::startDetached(QString::fromUtf8(ResolveOnDisk(command)), {});
}

void TMainForm::CreateWindowMenu() {
  mnuWindow_ = new QMenu(QStringLiteral("Fenster"), this);
  connect(mnuWindow_->addAction(QStringLiteral("Ü&berlappend")), &QAction::triggered, this,
          &TMainForm::CascadeChildren);
  connect(mnuWindow_->addAction(QStringLiteral("Hori&zontal anordnen")), &QAction::triggered, this,
          [this] { TileChildren(Qt::Horizontal); });
  connect(mnuWindow_->addAction(QStringLiteral("&Vertikal anordnen")), &QAction::triggered, this,
          [this] { TileChildren(Qt::Vertical); });
  connect(mnuWindow_->addAction(QStringLiteral("Alle schliessen")), &QAction::triggered, this, [this] {
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) window->close();
  });
  mnuWindow_->addSeparator();
  connect(mnuWindow_, &QMenu::aboutToShow, this, &TMainForm::RebuildWindowList);
}

void TMainForm::RebuildWindowList() {
  const QList<QAction*> items = mnuWindow_->actions();
  for (int i = 5; i < items.size(); ++i) {
    mnuWindow_->removeAction(items[i]);
    items[i]->deleteLater();
  }
  int number = 1;
  for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
    const QString caption = QStringLiteral("&%1 %2").arg(number++).arg(window->windowTitle());
    connect(mnuWindow_->addAction(caption), &QAction::triggered, this, [this, window] {
      if (window->isMinimized()) window->showNormal();
      mdiArea_->setActiveSubWindow(window);
    });
  }
}

// Minimized windows stay where they are; the others keep their order
// front to back, the front one at the last place.
void TMainForm::CascadeChildren() {
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* window : mdiArea_->subWindowList(QMdiArea::StackingOrder))
    if (!window->isMinimized()) windows << window;
  const QRect area = mdiArea_->viewport()->rect();
  const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
  const std::vector<TWindowRect> places =
      CascadeWindows(area.width(), area.height(), static_cast<int>(windows.size()), step);
  for (int i = 0; i < static_cast<int>(windows.size()); ++i) {
    const TWindowRect& place = places[static_cast<size_t>(i)];
    windows[i]->showNormal();
    windows[i]->setGeometry(place.Left, place.Top, place.Width, place.Height);
    windows[i]->raise();
  }
}

void TMainForm::TileChildren(Qt::Orientation orientation) {
  const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
  if (windows.isEmpty()) return;
  const QRect area = mdiArea_->viewport()->rect();
  const int count = static_cast<int>(windows.size());
  for (int i = 0; i < count; ++i) {
    windows[i]->showNormal();
    if (orientation == Qt::Horizontal) {
      const int h = area.height() / count;
      windows[i]->setGeometry(0, i * h, area.width(), h);
    } else {
      const int w = area.width() / count;
      windows[i]->setGeometry(i * w, 0, w, area.height());
    }
  }
}

void TMainForm::RebuildMenuBar() {
  const QList<QMenu*> frameMenus = {mnuFile_, mnuTools_, mnuView_, mnuWindow_, mnuHelp_};
  const std::vector<int> frameGroups = {kGroupFile, kGroupTools, kGroupView, kGroupWindow, kGroupHelp};
  QList<QMenu*> childMenus;
  std::vector<int> childGroups;
  QMdiSubWindow* active = mdiArea_->activeSubWindow();
  if (!active) active = mdiArea_->currentSubWindow();
  if (TChildForm* child = BrowserOf(active)) {
    childMenus = {child->mnuFile, child->mnuEdit};
    childGroups = {kGroupFile, kGroupEdit};
  } else if (TEditForm* editor = EditorOf(active)) {
    childMenus = {editor->mnuFile, editor->mnuEdit, editor->mnuView};
    childGroups = {kGroupFile, kGroupEdit, kGroupView};
  }
  // The browser window's zoom commands close the frame's view menu.
  TChildForm* browser = BrowserOf(active);
  ShowChildViewItems(mnuView_, browser ? browser->Zoom->MenuItems() : QList<QAction*>());
  menuBar()->clear();
  for (const TMergedMenu& entry : MergeMenus(frameGroups, childGroups)) {
    QMenu* menu = entry.FromChild ? childMenus[entry.Index] : frameMenus[entry.Index];
    menuBar()->addAction(menu->menuAction());
  }
}

void TMainForm::ViewSwitchClick(QAction* item, bool& setting) {
  setting = item->isChecked();
  ApplyViewSettings();
}

void TMainForm::ApplyViewSettings() {
  for (TChildForm* child : BrowserWindows()) {
    child->ToolBar->setVisible(Settings.ShowToolbar);
    child->URLPanel->setVisible(Settings.ShowURLs);
    child->acFav->setChecked(Settings.ShowFavorites);
    child->acHistory->setChecked(Settings.ShowHistory);
    if (Settings.ShowFavorites) child->acFav->trigger();
    if (Settings.ShowHistory) child->acHistory->trigger();
  }
}

// --- recently used list -----------------------------------------------

// Each collection has its own list. One that has none yet takes what lies
// in its folder from the list that all collections shared before.
void TMainForm::ReadRecentList() {
  QSettings store(QStringLiteral("Brevimar"), QStringLiteral("Folverin"));
  std::vector<AnsiString> entries = ReadStoredList(store, FromAnsi(RecentListGroup(Settings.AppFolder)));
  if (entries.empty()) {
    const QString shared = QString::fromLatin1(kSharedRecentListGroup);
    entries = EntriesInCollection(ReadStoredList(store, shared), Settings.AppFolder);
  }
  RecentList.Assign(std::move(entries));
}

void TMainForm::WriteRecentList() const {
  QSettings store(QStringLiteral("Brevimar"), QStringLiteral("Folverin"));
  WriteStoredList(store, FromAnsi(RecentListGroup(Settings.AppFolder)), RecentList.Entries());
}

void TMainForm::AddRecent(const AnsiString& entry) {
  RecentList.AddRecent(entry);
  RebuildRecentMenu();
}

void TMainForm::RebuildRecentMenu() {
  recentMenu_->clear();
  const auto& entries = RecentList.Entries();
  const QFontMetrics metrics(recentMenu_->font());
  for (size_t i = 0; i < entries.size(); ++i) {
    const QString entry = FromAnsi(entries[i]);
    QString shown = metrics.elidedText(entry, Qt::ElideMiddle, 200);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* item = recentMenu_->addAction(FromAnsi(RecentItemPrefix(i)) + shown);
    connect(item, &QAction::triggered, this, [this, entry] {
      if (TChildForm* child = ActiveBrowserWindow()) {
        child->CurrentAddress = entry;
        child->NavigateCurrent();
      }
    });
  }
}

// --- browser windows ----------------------------------------------------

TChildForm* TMainForm::OpenBrowserWindow(const QString& address) {
  auto* child = new TChildForm(*this);
  child->wb->SetHostUIOptions(Settings.HostUIOptions);
  child->setWindowTitle(address);
  child->CurrentAddress = address;
  mnuToolbar_->setChecked(Settings.ShowToolbar);
  child->ToolBar->setVisible(Settings.ShowToolbar);
  child->URLPanel->setVisible(Settings.ShowURLs);
  mnuURLs_->setChecked(Settings.ShowURLs);
  if (Settings.ShowFavorites) child->acFav->trigger();
  if (Settings.ShowHistory) child->acHistory->trigger();
  mnuFavorites_->setChecked(Settings.ShowFavorites);
  mnuHistory_->setChecked(Settings.ShowHistory);
  child->IndexBtnAction->setVisible(Settings.IndexAvailable);
  child->Switches = {Settings.AllowOnline, Settings.AllowNewWindow, Settings.ShowIEPopup};
  OpenCollection->AddTo(child->mnuFile);

  QMdiSubWindow* window = mdiArea_->addSubWindow(child);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowIcon(AppIcon(TAppIcon::BrowserWindow));
  window->showMaximized();
  connect(child, &TChildForm::SourceRequested, this,
          [this, child](const QString& fileName, bool contextDocument) {
            TEditForm* editor = OpenEditorWindow(fileName);
            if (!editor) return;
            // The inspector reads the browser document as it is when it is
            // called up; the browser window may have gone by then.
            QPointer<TEmbeddedBrowser> browser(child->wb);
            editor->SetBrowserDocument(
                ElementsForm,
                [browser](const QString& script) { return browser ? browser->EvaluateScript(script) : QVariant(); },
                contextDocument ? child->ContextDocumentURL : QString());
          });
  QPointer<TChildForm> guard(child);
  child->NavigateCurrent();
  if (!guard) return nullptr;
  AddTab(window, AppIcon(TAppIcon::BrowserWindow));
  return child;
}

TEditForm* TMainForm::OpenEditorWindow(const QString& fileName) {
  auto* editor = new TEditForm(nullptr, PromptDlg);
  editor->setWindowTitle(fileName);
  QString error;
  if (!editor->LoadFile(fileName, error)) {
    // No window for a file that could not be read: a save from it would
    // replace that file with whatever was typed into the empty window.
    delete editor;
    ShowErrorBox(this, error);
    return nullptr;
  }
  QMdiSubWindow* window = mdiArea_->addSubWindow(editor);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowIcon(AppIcon(TAppIcon::Source));
  connect(editor, &TEditForm::CloseRequested, this, [this, editor] { CloseChild(editor); });
  connect(editor, &TEditForm::ExitRequested, this, &TMainForm::CloseProgram);
  window->showMaximized();
  AddTab(window, AppIcon(TAppIcon::Source));
  RebuildMenuBar();
  return editor;
}

QList<TEditForm*> TMainForm::EditorWindows() const {
  QList<TEditForm*> editors;
  for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
    if (TEditForm* editor = EditorOf(window)) editors << editor;
  }
  return editors;
}

void TMainForm::mnuNewClick() { OpenBrowserWindow(QStringLiteral("about:blank")); }

QList<TChildForm*> TMainForm::BrowserWindows() const {
  QList<TChildForm*> children;
  for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
    if (TChildForm* child = BrowserOf(window)) children << child;
  }
  return children;
}

TChildForm* TMainForm::ActiveBrowserWindow() const {
  QMdiSubWindow* window = mdiArea_->activeSubWindow();
  if (!window) window = mdiArea_->currentSubWindow();
  return BrowserOf(window);
}

void TMainForm::CloseChild(QWidget* child) {
  for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
    if (window->widget() == child) window->close();
  }
  if (quitWhenSearchEnds_) QTimer::singleShot(0, this, &QWidget::close);
}

bool TMainForm::ToggleQuickSearchWindow() {
  if (!QuickSearchWindow) return false;
  QuickSearchWindow->setVisible(!QuickSearchWindow->isVisible());
  const bool visible = QuickSearchWindow->isVisible();
  mnuIndexSearch_->setChecked(visible);
  return visible;
}

void TMainForm::ShowSearchProgress(TSearchRunId run, const std::function<void()>& cancel) {
  if (ActionDlg) ActionDlg->ShowForRun(run, cancel);
}

void TMainForm::ShowSearchedDocument(const QString& path) {
  if (ActionDlg) ActionDlg->ShowPath(path);
}

void TMainForm::EndSearchProgress(TSearchRunId run) {
  if (ActionDlg) ActionDlg->EndRun(run);
}

bool TMainForm::IsFullScreen() const { return mnuFullScreen_->isChecked(); }

void TMainForm::mnuFullScreenClick() {
  const TFullScreenStep step = ToggleFullScreen(mnuFullScreen_->isChecked(), Settings);
  mnuFullScreen_->setChecked(step.FullScreen);
  menuBar()->setVisible(step.ShowBars);
  if (TChildForm* child = ActiveBrowserWindow()) {
    child->ToolBar->setVisible(step.ShowBars);
    child->StatusBar->setVisible(step.ShowBars);
  }
  if (step.FullScreen) {
    // The normal place to come back to: where the window is now, or, when
    // it is maximized, where it was before.
    if (!isFullScreen()) normalPlace_ = isMaximized() ? normalGeometry() : geometry();
    showFullScreen();
  } else {
    showNormal();
    // A window that started in full-screen mode has never been shown in its
    // normal state; the toolkit (or the window manager) would keep it
    // screen-sized.
    if (normalPlace_.isValid()) setGeometry(normalPlace_);
  }
}

// --- tab strip ----------------------------------------------------------

int TMainForm::TabOf(QObject* window) const {
  for (int i = 0; i < MDITab->count(); ++i) {
    if (MDITab->tabData(i).value<QObject*>() == window) return i;
  }
  return -1;
}

void TMainForm::AddTab(QMdiSubWindow* window, const QIcon& image) {
  if (TabOf(window) != -1) return;
  connect(window, &QObject::destroyed, this, &TMainForm::ChildDestroyed);
  QWidget* child = window->widget();
  connect(child, &QWidget::windowTitleChanged, this,
          [this, child](const QString& caption) { UpdateTabCaption(child, caption); });
  const int index = MDITab->addTab(image, window->widget()->windowTitle());
  MDITab->setTabData(index, QVariant::fromValue<QObject*>(window));
  MDITab->setTabToolTip(index, window->widget()->windowTitle());
  MDITab->setCurrentIndex(index);
  TabChange();
}

void TMainForm::TabChange() {
  const int index = MDITab->currentIndex();
  if (index != -1) {
    auto* window = qobject_cast<QMdiSubWindow*>(MDITab->tabData(index).value<QObject*>());
    if (window) {
      if (window->isMinimized()) window->showNormal();
      if (mdiArea_->activeSubWindow() != window) mdiArea_->setActiveSubWindow(window);
      window->raise();
    }
  }
  const bool visible = MDITab->count() > 1;
  MDITab->setVisible(visible);
  mdiArea_->setBackground(visible ? palette().button() : QBrush(Qt::white));
}

void TMainForm::ChildActivated(QMdiSubWindow* window) {
  if (destroying_) return;
  RebuildMenuBar();
  if (!window) return;
  // The change step runs also when the tab is selected already: it is what
  // hides a strip left with one tab after a window was closed.
  const int index = TabOf(window);
  if (index != -1) {
    MDITab->setCurrentIndex(index);
    TabChange();
  }
  if (TChildForm* child = BrowserOf(window)) child->FormActivate();
}

void TMainForm::ChildDestroyed(QObject* window) {
  const int index = TabOf(window);
  if (index != -1) MDITab->removeTab(index);
  if (!destroying_) RebuildMenuBar();
}

void TMainForm::UpdateTabCaption(QWidget* child, const QString& caption) {
  for (int i = 0; i < MDITab->count(); ++i) {
    auto* window = qobject_cast<QMdiSubWindow*>(MDITab->tabData(i).value<QObject*>());
    if (window && window->widget() == child) {
      MDITab->setTabText(i, caption);
      MDITab->setTabToolTip(i, caption);
    }
  }
}

// --- start and end ------------------------------------------------------

bool TMainForm::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && !activated_) {
    activated_ = true;
    // After the activation has been handled: opening the start document
    // may run the message loop (the blank page waits for completion).
    QTimer::singleShot(0, this, &TMainForm::FormActivateFirst);
  }
  return QMainWindow::event(event);
}

void TMainForm::FormActivateFirst() { OpenBrowserWindow(FromAnsi(Settings.StartDocument)); }

void TMainForm::closeEvent(QCloseEvent* event) {
  mdiArea_->closeAllSubWindows();
  if (!mdiArea_->subWindowList().isEmpty()) {
    // A window still searching closes once its walk has ended; the
    // program ends then.
    quitWhenSearchEnds_ = true;
    event->ignore();
    return;
  }
  if (ActionDlg) ActionDlg->hide();
  QMainWindow::closeEvent(event);
}

}  // namespace folverin

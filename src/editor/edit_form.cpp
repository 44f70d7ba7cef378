#include "editor/edit_form.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QToolButton>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

#include "common/scope_guard.h"
#include "common/windows1252.h"
#include "editor/editor_save.h"
#include "editor/editor_text.h"
#include "editor/elements_form.h"
#include "editor/prompt_dialog.h"
#include "editor/url_collection.h"
#include "qtcommon/app_icons.h"
#include "qtcommon/application_title.h"
#include "qtcommon/error_box.h"
#include "qtcommon/event_pump.h"
#include "qtcommon/qt_text.h"

namespace folverin {

namespace {

const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kGrey(0x80, 0x80, 0x80);
const QColor kMaroon(0x80, 0x00, 0x00);

// The control sizes its fonts in points only (a font given in pixels shows
// at a point or two): the pixel size at the screen's resolution.
QFont EditorFont(int pixelSize, bool bold) {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  const QScreen* screen = QGuiApplication::primaryScreen();
  const qreal dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
  font.setPointSizeF(pixelSize * 72.0 / dpi);
  font.setBold(bold);
  return font;
}

// The gutter's pictures of the two kinds of finding.
QPixmap MissingPicture() {
  QPixmap picture(16, 16);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0xD0, 0x00, 0x00), 3, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(4, 4), QPointF(12, 12));
  painter.drawLine(QPointF(12, 4), QPointF(4, 12));
  return picture;
}

QPixmap ExternalPicture() {
  QPixmap picture(16, 16);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor blue(0x10, 0x50, 0xC8);
  painter.setPen(QPen(blue, 1.2));
  painter.setBrush(QColor(0xB8, 0xD4, 0xFF));
  const QRectF globe(2.5, 2.5, 11, 11);
  painter.drawEllipse(globe);
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(QRectF(5.5, 2.5, 5, 11));  // a meridian
  painter.drawLine(QPointF(2.5, 8), QPointF(13.5, 8));  // the equator
  return picture;
}

bool MoveToTrash(const std::string& utf8Path, std::string& utf8PathInTrash) {
  // The toolkit puts its trash below the user's data folder; where that
  // folder does not exist yet, it would make "files" and "info" in the
  // current folder instead.
  const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (dataHome.isEmpty() || !QDir().mkpath(dataHome)) return false;
  QString inTrash;
  const bool moved = QFile::moveToTrash(QString::fromUtf8(utf8Path), &inTrash);
  utf8PathInTrash = inTrash.toStdString();
  return moved;
}

}  // namespace

TFindDialog::TFindDialog(QWidget* parent, bool replace) : QDialog(parent) {
  setWindowTitle(replace ? QStringLiteral("Ersetzen") : QStringLiteral("Suchen"));
  setModal(false);
  auto* grid = new QGridLayout(this);
  // Each label with its box, so that its Alt key reaches the box.
  const auto labelled = [this, grid](const QString& caption, int row) {
    auto* box = new QLineEdit(this);
    auto* label = new QLabel(caption, this);
    label->setBuddy(box);
    grid->addWidget(label, row, 0);
    grid->addWidget(box, row, 1);
    return box;
  };
  FindText = labelled(QStringLiteral("Suchen &nach:"), 0);
  int row = 1;
  if (replace) ReplaceText = labelled(QStringLiteral("Ersetzen &durch:"), row++);
  WholeWord = new QCheckBox(QStringLiteral("Nur &ganzes Wort suchen"), this);
  MatchCase = new QCheckBox(QStringLiteral("Gro\u00DF-/Kleinschreibung &beachten"), this);
  grid->addWidget(WholeWord, row++, 0, 1, 2);
  grid->addWidget(MatchCase, row++, 0, 1, 2);
  if (!replace) {
    auto* direction = new QGroupBox(QStringLiteral("Richtung"), this);
    auto* directionLayout = new QHBoxLayout(direction);
    Up = new QRadioButton(QStringLiteral("Nach &oben"), direction);
    Down = new QRadioButton(QStringLiteral("Nach &unten"), direction);
    Down->setChecked(true);
    directionLayout->addWidget(Up);
    directionLayout->addWidget(Down);
    grid->addWidget(direction, row++, 0, 1, 2);
  }
  auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
  FindNextButton = buttons->addButton(QStringLiteral("&Weitersuchen"), QDialogButtonBox::ActionRole);
  FindNextButton->setDefault(true);
  if (replace) {
    ReplaceButton = buttons->addButton(QStringLiteral("&Ersetzen"), QDialogButtonBox::ActionRole);
    ReplaceAllButton = buttons->addButton(QStringLiteral("&Alle ersetzen"), QDialogButtonBox::ActionRole);
  }
  buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
  grid->addWidget(buttons, 0, 2, row, 1);
}

TEditForm::TEditForm(QWidget* parent, TPromptDlg* promptDlg)
    : QMainWindow(parent), PromptDlg(promptDlg ? promptDlg : new TPromptDlg(this)) {
  resize(640, 480);
  RunFolderDialog = [](QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return QString();
    return dialog.selectedFiles().value(0);
  };
  RunOpenDialog = [](QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return QString();
    return dialog.selectedFiles().value(0);
  };
  // The collected links end as the last link inserted by hand.
  LinkLineEnding = [this] { return PromptDlg->LineEnding; };
  ShowMessage = [this](const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), text, QMessageBox::Ok, this);
    box.exec();
  };
  Beep = [] { QApplication::beep(); };
  RunSaveDialog = [](QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return QString();
    return dialog.selectedFiles().value(0);
  };
  CreateEditor();
  CreateToolBar();
  CreateStatusBar();
  CreateMenus();
  CreatePopupMenu();
  FindDlg = new TFindDialog(this, false);
  ReplaceDlg = new TFindDialog(this, true);
  connect(FindDlg->FindNextButton, &QPushButton::clicked, this,
          [this] { RunGuarded(this, [this] { DoFindText(*FindDlg); }); });
  connect(ReplaceDlg->FindNextButton, &QPushButton::clicked, this,
          [this] { RunGuarded(this, [this] { DoFindText(*ReplaceDlg); }); });
  connect(ReplaceDlg->ReplaceButton, &QPushButton::clicked, this,
          [this] { RunGuarded(this, [this] { ReplaceDlgReplace(false); }); });
  connect(ReplaceDlg->ReplaceAllButton, &QPushButton::clicked, this,
          [this] { RunGuarded(this, [this] { ReplaceDlgReplace(true); }); });
}

void TEditForm::CreateEditor() {
  auto* client = new QWidget(this);
  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  CreateUrlPanel(client);
  layout->addWidget(UrlPanel);

  Source = new QsciScintilla(client);
  // The document holds UTF-8; each byte of the file is one Windows-1252
  // character in it (see SetText and Text).
  Source->setUtf8(true);
  Source->setEolMode(QsciScintilla::EolWindows);
  Lexer = new QsciLexerHTML(Source);
  const QFont font = EditorFont(13, true);
  Lexer->setDefaultFont(font);
  Lexer->setFont(font);  // every style
  QFont italic = font;
  italic.setItalic(true);
  Lexer->setFont(italic, QsciLexerHTML::Entity);
  Lexer->setColor(Qt::black, QsciLexerHTML::Entity);
  Lexer->setColor(kGrey, QsciLexerHTML::HTMLComment);
  QFont plain = font;
  plain.setBold(false);
  Lexer->setFont(plain, QsciLexerHTML::Attribute);
  Lexer->setColor(kBlue, QsciLexerHTML::Attribute);
  Lexer->setColor(kBlue, QsciLexerHTML::Tag);
  Lexer->setColor(kMaroon, QsciLexerHTML::HTMLDoubleQuotedString);
  Lexer->setColor(kMaroon, QsciLexerHTML::HTMLSingleQuotedString);
  Lexer->setColor(kMaroon, QsciLexerHTML::HTMLValue);
  Source->setLexer(Lexer);

  // The line numbers with leading zeros: a text margin whose lines
  // ShowLineNumbers fills.
  Source->setMarginType(0, QsciScintilla::TextMarginRightJustified);
  Source->setMarginsFont(EditorFont(11, false));
  Source->setTabWidth(2);
  Source->setIndentationsUseTabs(false);
  Source->setAutoIndent(true);
  Source->setTabIndents(true);
  Source->setBackspaceUnindents(true);
  // The caret may go past the end of a line.
  Source->SendScintilla(QsciScintillaBase::SCI_SETVIRTUALSPACEOPTIONS,
                        static_cast<unsigned long>(QsciScintillaBase::SCVS_USERACCESSIBLE));
  layout->addWidget(Source, 1);
  setCentralWidget(client);
  Source->installEventFilter(this);

  connect(Source, &QsciScintilla::textChanged, this, [this] { RunGuarded(this, [this] { SourceChange(); }); });
  connect(Source, &QsciScintillaBase::SCN_MODIFIED, this, [this](int position, int type, const char*, int length) {
    RunGuarded(this, [&] { TallyChange(position, type, length); });
  });
  connect(Source, &QsciScintilla::cursorPositionChanged, this, [this](int line, int) {
    RunGuarded(this, [this, line] {
      TrimLeftLines(line);
      StatusUpdate();
    });
  });
  // Also a caret moving in the virtual space past a line's end, which
  // leaves its position in the text as it is.
  connect(Source, &QsciScintillaBase::SCN_UPDATEUI, this, [this] {
    RunGuarded(this, [this] {
      StatusUpdate();
      ShowLineNumbersSoon();
    });
  });
  DefineLinkMarks();
}

void TEditForm::CreateUrlPanel(QWidget* parent) {
  UrlPanel = new QWidget(parent);
  UrlPanel->setFixedHeight(26);
  auto* row = new QHBoxLayout(UrlPanel);
  row->setContentsMargins(4, 1, 4, 1);
  row->setSpacing(4);
  row->addWidget(new QLabel(QStringLiteral("URLs:"), UrlPanel));
  LinksBox = new QComboBox(UrlPanel);
  LinksBox->setEditable(false);
  LinksBox->setFixedWidth(380);
  LinksBox->setMaxVisibleItems(30);
  row->addWidget(LinksBox);
  PreBtn = new QToolButton(UrlPanel);
  PreBtn->setAutoRaise(true);
  PreBtn->setArrowType(Qt::UpArrow);
  NextBtn = new QToolButton(UrlPanel);
  NextBtn->setAutoRaise(true);
  NextBtn->setArrowType(Qt::DownArrow);
  row->addWidget(PreBtn);
  row->addWidget(NextBtn);
  row->addStretch(1);
  UrlPanel->hide();
  connect(LinksBox, &QComboBox::activated, this, [this] { RunGuarded(this, [this] { LinksBoxClick(); }); });
  connect(PreBtn, &QToolButton::clicked, this, [this] { RunGuarded(this, [this] { PrevBtnClick(); }); });
  connect(NextBtn, &QToolButton::clicked, this, [this] { RunGuarded(this, [this] { NextBtnClick(); }); });
}

void TEditForm::DefineLinkMarks() {
  // Margin 1 shows the pictures; the line colours are markers of the text
  // area and indicators that colour the text.
  Source->setMarginType(1, QsciScintilla::SymbolMargin);
  Source->setMarginWidth(1, 18);
  Source->setMarginMarkerMask(1, (1 << kExternalPicture) | (1 << kMissingPicture));
  Source->markerDefine(ExternalPicture(), kExternalPicture);
  Source->markerDefine(MissingPicture(), kMissingPicture);
  Source->markerDefine(QsciScintilla::Background, kMissingLine);
  Source->setMarkerBackgroundColor(QColor(255, 0, 0), kMissingLine);
  Source->markerDefine(QsciScintilla::Background, kExternalLine);
  Source->setMarkerBackgroundColor(QColor(243, 238, 139), kExternalLine);
  const std::pair<int, QColor> textColours[] = {{kMissingText, Qt::white}, {kExternalText, Qt::black}};
  for (const auto& [indicator, colour] : textColours) {
    Source->SendScintilla(QsciScintillaBase::SCI_INDICSETSTYLE, static_cast<unsigned long>(indicator),
                          static_cast<long>(QsciScintillaBase::INDIC_TEXTFORE));
    Source->SendScintilla(QsciScintillaBase::SCI_INDICSETFORE, static_cast<unsigned long>(indicator), colour);
  }
}

void TEditForm::CreateToolBar() {
  // A flat bar 22 pixels high with buttons 28 pixels wide and 16-pixel
  // pictures; it may be moved to another edge of the window.
  ToolBar = addToolBar(QStringLiteral("ToolBar"));
  ToolBar->setObjectName(QStringLiteral("ToolBar"));
  ToolBar->setFixedHeight(22);
  ToolBar->setIconSize(QSize(16, 16));
  ToolBar->setContentsMargins(0, 0, 0, 0);
  ToolBar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
  if (QLayout* row = ToolBar->layout()) {
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
  }
  auto add = [this](TAppIcon icon, const QString& text, const QString& hint) {
    QAction* action = ToolBar->addAction(AppIcon(icon), text);
    action->setToolTip(hint);
    if (QWidget* button = ToolBar->widgetForAction(action)) button->setFixedSize(28, 22);
    return action;
  };
  NewBtn = add(TAppIcon::New, QStringLiteral("Neu"), QStringLiteral("Neue HTML-Datei"));
  SaveBtn = add(TAppIcon::Save, QStringLiteral("Speichern"), QStringLiteral("Speichern"));
  PrintBtn = add(TAppIcon::Print, QStringLiteral("Drucken"), QStringLiteral("Drucken"));
  FindBtn = add(TAppIcon::Find, QStringLiteral("Suchen"), QStringLiteral("Suchen"));
  FindNextBtn = add(TAppIcon::FindNext, QStringLiteral("Weitersuchen"), QStringLiteral("Weitersuchen"));
  ReplaceBtn = add(TAppIcon::Replace, QStringLiteral("Ersetzen"), QStringLiteral("Suchen und Ersetzen"));
  CheckBtn = add(TAppIcon::CheckLinks, QStringLiteral("URLs testen"), QStringLiteral("URLs testen"));
  // The element inspector's button has no hint.
  ToolButton1 = add(TAppIcon::Elements, QString(), QString());
  ToolBar->addSeparator();
  WordWrapBtn = add(TAppIcon::WordWrap, QStringLiteral("Zeilenumbruch"), QStringLiteral("Zeilenumbruch"));
  WordWrapBtn->setCheckable(true);
  OfflineOnlyBtn =
      add(TAppIcon::OfflineOnly, QStringLiteral("Offline"), QStringLiteral("Nur Offline-Links pr\u00FCfen"));
  OfflineOnlyBtn->setCheckable(true);

  connect(NewBtn, &QAction::triggered, this, [this] { RunGuarded(this, [this] { mnuFileNewClick(); }); });
  connect(SaveBtn, &QAction::triggered, this, [this] { RunGuarded(this, [this] { SaveBtnClick(); }); });
  connect(PrintBtn, &QAction::triggered, this, [this] { RunGuarded(this, [this] { PrintBtnClick(); }); });
  connect(FindBtn, &QAction::triggered, this, &TEditForm::FindBtnClick);
  connect(ReplaceBtn, &QAction::triggered, this, &TEditForm::ReplaceBtnClick);
  connect(WordWrapBtn, &QAction::toggled, this, [this](bool down) {
    Source->setWrapMode(down ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
  });
  connect(CheckBtn, &QAction::triggered, this, [this] { RunGuarded(this, [this] { CheckBtnClick(); }); });
  connect(ToolButton1, &QAction::triggered, this, [this] { RunGuarded(this, [this] { ToolButton1Click(); }); });
  // "Weitersuchen" stays disabled for good; the inspector needs a browser
  // document.
  for (QAction* action : {FindNextBtn, ToolButton1}) action->setEnabled(false);
}

void TEditForm::SetBrowserDocument(TElementsForm* inspector, std::function<QVariant(const QString& script)> evaluate,
                                   const QString& frameDocumentURL) {
  ElementsForm = inspector;
  evaluateInDocument_ = std::move(evaluate);
  FrameDocumentURL = frameDocumentURL;
  ToolButton1->setEnabled(ElementsForm && evaluateInDocument_);
}

void TEditForm::ToolButton1Click() {
  if (!ElementsForm || !evaluateInDocument_) return;
  ElementsForm->Inspect(evaluateInDocument_, FrameDocumentURL);
}

void TEditForm::CreateStatusBar() {
  const int widths[4] = {185, 185, 80, 600};
  for (int i = 0; i < 4; ++i) {
    StatusPanels[i] = new QLabel(this);
    StatusPanels[i]->setFixedWidth(widths[i]);
    statusBar()->addWidget(StatusPanels[i]);
  }
  StatusPanels[0]->setText(QStringLiteral("Zeile:"));
  StatusPanels[1]->setText(QStringLiteral("Zeichen:"));
}

void TEditForm::CreateMenus() {
  mnuFile = new QMenu(QStringLiteral("Datei"), this);
  QAction* newItem = mnuFile->addAction(QStringLiteral("Neu"));
  mnuFile->addSeparator();
  QAction* saveItem = mnuFile->addAction(QStringLiteral("Speichern"));
  saveItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  QAction* saveAsItem = mnuFile->addAction(QStringLiteral("Speichern unter ..."));
  QAction* printItem = mnuFile->addAction(QStringLiteral("Drucken"));
  printItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  QAction* closeItem = mnuFile->addAction(QStringLiteral("Schliessen"));
  closeItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
  mnuFile->addSeparator();
  QAction* exitItem = mnuFile->addAction(QStringLiteral("Beenden"));
  connect(newItem, &QAction::triggered, this, [this] { RunGuarded(this, [this] { mnuFileNewClick(); }); });
  connect(saveItem, &QAction::triggered, this, [this] { RunGuarded(this, [this] { SaveBtnClick(); }); });
  connect(printItem, &QAction::triggered, this, [this] { RunGuarded(this, [this] { PrintBtnClick(); }); });
  connect(saveAsItem, &QAction::triggered, this, [this] { RunGuarded(this, [this] { mnuFileSaveAsClick(); }); });
  connect(closeItem, &QAction::triggered, this, &TEditForm::CloseRequested);
  connect(exitItem, &QAction::triggered, this, &TEditForm::ExitRequested);

  mnuEdit = new QMenu(QStringLiteral("Bearbeiten"), this);
  QAction* undoItem = mnuEdit->addAction(QStringLiteral("R\u00FCckg\u00E4ngig"));
  undoItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  mnuEdit->addSeparator();
  QAction* cutItem = mnuEdit->addAction(QStringLiteral("Auschneiden"));
  cutItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
  QAction* copyItem = mnuEdit->addAction(QStringLiteral("&Kopieren"));
  copyItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  QAction* pasteItem = mnuEdit->addAction(QStringLiteral("E&inf\u00FCgen"));
  pasteItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
  mnuEdit->addSeparator();
  QAction* findItem = mnuEdit->addAction(QStringLiteral("&Suchen"));
  findItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  QAction* findAgainItem = mnuEdit->addAction(QStringLiteral("&Weitersuchen"));
  findAgainItem->setShortcut(QKeySequence(Qt::Key_F3));
  QAction* replaceItem = mnuEdit->addAction(QStringLiteral("&Ersetzen..."));
  mnuEdit->addSeparator();
  mnuCheck = mnuEdit->addAction(QStringLiteral("&URLs testen"));
  mnuCheck->setShortcut(QKeySequence(Qt::Key_F5));
  connect(mnuCheck, &QAction::triggered, this, [this] { RunGuarded(this, [this] { CheckBtnClick(); }); });
  connect(findItem, &QAction::triggered, this, &TEditForm::FindBtnClick);
  connect(findAgainItem, &QAction::triggered, this, [this] { RunGuarded(this, [this] { mnuFindAgainClick(); }); });
  connect(replaceItem, &QAction::triggered, this, &TEditForm::ReplaceBtnClick);
  connect(undoItem, &QAction::triggered, Source, &QsciScintilla::undo);
  connect(cutItem, &QAction::triggered, Source, &QsciScintilla::cut);
  connect(copyItem, &QAction::triggered, Source, &QsciScintilla::copy);
  connect(pasteItem, &QAction::triggered, Source, &QsciScintilla::paste);

  mnuView = new QMenu(QStringLiteral("Anzeige"), this);
  mnuView->setEnabled(false);
  mnuView->menuAction()->setEnabled(false);  // greyed in the frame's bar

  // The shortcuts work while the window has the focus, also when the
  // frame shows other menus.
  addActions(mnuFile->actions());
  addActions(mnuEdit->actions());
}

void TEditForm::CreatePopupMenu() {
  PopupMenu1 = new QMenu(this);
  for (const TFixedSnippet& fixed : kFixedSnippets) {
    const AnsiString snippet(fixed.Snippet);
    QAction* item = PopupMenu1->addAction(FromAnsi(AnsiString(fixed.Caption)));
    connect(item, &QAction::triggered, this, [this, snippet] { RunGuarded(this, [&] { InsertSnippet(snippet); }); });
  }
  const std::pair<const char*, TWrapCommand> wrapping[] = {
      {"Bold", TWrapCommand::Bold}, {"Italic", TWrapCommand::Italic}, {"Comment", TWrapCommand::Comment}};
  for (const auto& [caption, command] : wrapping) {
    QAction* item = PopupMenu1->addAction(QString::fromLatin1(caption));
    connect(item, &QAction::triggered, this,
            [this, command] { RunGuarded(this, [&] { WrapSelectionIn(command); }); });
  }
  PopupMenu1->addSeparator();
  QAction* pictureItem = PopupMenu1->addAction(QStringLiteral("Grafik einf\u00FCgen..."));
  pictureItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
  QAction* linkItem = PopupMenu1->addAction(QStringLiteral("URL einf\u00FCgen..."));
  linkItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
  QAction* allUrlsItem = PopupMenu1->addAction(QStringLiteral("Alle URLs eines Verzeichnis..."));
  PopupMenu1->addSeparator();
  PopupMenu1->addAction(QStringLiteral("&Aktualisieren"));  // has no command
  connect(pictureItem, &QAction::triggered, this, [this] { RunGuarded(this, [this] { Grafikeinfgen1Click(); }); });
  connect(linkItem, &QAction::triggered, this, [this] { RunGuarded(this, [this] { DateiLink1Click(); }); });
  connect(allUrlsItem, &QAction::triggered, this, [this] { RunGuarded(this, [this] { mnuAllURLsClick(); }); });
  // The two shortcuts are the menu's, not the control's own commands
  // (Ctrl+L would cut the line).
  for (const int key : {Qt::Key_I, Qt::Key_L}) {
    const int shortcut = static_cast<int>(Qt::CTRL) | key;
    if (QsciCommand* bound = Source->standardCommands()->boundTo(shortcut)) {
      if (bound->key() == shortcut) bound->setKey(0);
      if (bound->alternateKey() == shortcut) bound->setAlternateKey(0);
    }
  }
  addAction(pictureItem);
  addAction(linkItem);
  Source->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Source, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& position) { PopupMenu1->popup(Source->mapToGlobal(position)); });
}

// --- text -------------------------------------------------------------

AnsiString TEditForm::Text() const {
  const auto length = static_cast<size_t>(Source->SendScintilla(QsciScintillaBase::SCI_GETLENGTH));
  const auto* bytes = reinterpret_cast<const char*>(Source->SendScintilla(QsciScintillaBase::SCI_GETCHARACTERPOINTER));
  return Utf8ToAnsi(std::string_view(bytes, length));
}

void TEditForm::SetText(const AnsiString& text) {
  // Scintilla's own text setters stop at the first NUL byte; appending
  // with a length keeps every byte.
  const std::string utf8 = AnsiToUtf8(text);
  Source->SendScintilla(QsciScintillaBase::SCI_CLEARALL);
  Source->SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, static_cast<unsigned long>(utf8.size()), utf8.data());
}

void TEditForm::ReplaceText(const AnsiString& text) {
  replacing_ = true;
  SetText(text);
  replacing_ = false;
  Source->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
  Source->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, 0UL);
  modified_ = false;
  editedFirstLine_ = editedLastLine_ = -1;
  characterCount_ = EditorCharacterCount(text);
  UpdateCaption();
  StatusUpdate();
}

bool TEditForm::LoadFile(const QString& fileName, QString& error) {
  fileName_ = fileName;
  TEditorLoadResult loaded = LoadEditorText(ToAnsi(fileName));
  ReplaceText(loaded.Text);
  Source->setFocus();
  if (loaded.Error) {
    error = FromAnsi(*loaded.Error);
    return false;
  }
  return true;
}

// --- change tracking and status ---------------------------------------

size_t TEditForm::CountAround(long start, long end) const {
  const long from = Source->SendScintilla(QsciScintillaBase::SCI_POSITIONBEFORE, static_cast<unsigned long>(start));
  const long to = Source->SendScintilla(QsciScintillaBase::SCI_POSITIONAFTER, static_cast<unsigned long>(end));
  const auto* bytes = reinterpret_cast<const char*>(
      Source->SendScintilla(QsciScintillaBase::SCI_GETRANGEPOINTER, static_cast<unsigned long>(from), to - from));
  return EditorCharacterCount(Utf8ToAnsi(std::string_view(bytes, static_cast<size_t>(to - from))));
}

void TEditForm::TallyChange(int position, int type, int length) {
  // The count follows each change without counting the whole text again:
  // the changed stretch with one character on either side (where a CR and
  // an LF meet or part, one line break becomes two or two one) is counted
  // before and after the change. ReplaceText counts the whole anew.
  if (replacing_) return;
  // Undo and redo leave the lines as they were then: nothing to trim, and
  // a trim would end the way back for redo.
  if (type & (QsciScintillaBase::SC_PERFORMED_UNDO | QsciScintillaBase::SC_PERFORMED_REDO))
    editedFirstLine_ = editedLastLine_ = -1;
  if ((type & QsciScintillaBase::SC_PERFORMED_USER) && !trimming_ &&
      (type & (QsciScintillaBase::SC_MOD_INSERTTEXT | QsciScintillaBase::SC_MOD_DELETETEXT))) {
    const int first = static_cast<int>(
        Source->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(position)));
    const int last = (type & QsciScintillaBase::SC_MOD_INSERTTEXT)
                         ? static_cast<int>(Source->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION,
                                                                  static_cast<unsigned long>(position + length)))
                         : first;
    editedFirstLine_ = editedFirstLine_ < 0 ? first : std::min(editedFirstLine_, first);
    editedLastLine_ = std::max(editedLastLine_, last);
  }
  if (type & QsciScintillaBase::SC_MOD_BEFOREINSERT) {
    countBeforeChange_ = CountAround(position, position);
  } else if (type & QsciScintillaBase::SC_MOD_BEFOREDELETE) {
    countBeforeChange_ = CountAround(position, position + length);
  } else if (type & QsciScintillaBase::SC_MOD_INSERTTEXT) {
    characterCount_ += CountAround(position, position + length) - countBeforeChange_;
    ShowCharacterCount();
  } else if (type & QsciScintillaBase::SC_MOD_DELETETEXT) {
    characterCount_ += CountAround(position, position) - countBeforeChange_;
    ShowCharacterCount();
  }
}

void TEditForm::ShowCharacterCount() {
  StatusPanels[1]->setText(QStringLiteral(" Zeichen: %1").arg(characterCount_));
}

void TEditForm::TrimLeftLines(int caretLine) {
  // Blanks at the end of a line the user changed go once the caret has
  // left it; lines nobody touched keep theirs.
  if (editedFirstLine_ < 0 || (caretLine == editedFirstLine_ && caretLine == editedLastLine_)) return;
  const int first = editedFirstLine_;
  const int last = std::min(editedLastLine_, Source->lines() - 1);
  editedFirstLine_ = editedLastLine_ = -1;
  trimming_ = true;
  const TScopeGuard notTrimming([this] { trimming_ = false; });
  bool grouped = false;
  for (int line = last; line >= first; --line) {
    if (line == caretLine) continue;
    const long start =
        Source->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const long end =
        Source->SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line));
    long kept = end;
    while (kept > start) {
      const long c =
          Source->SendScintilla(QsciScintillaBase::SCI_GETCHARAT, static_cast<unsigned long>(kept - 1));
      if (c != ' ' && c != '\t') break;
      --kept;
    }
    if (kept == end) continue;
    if (!grouped) {
      Source->beginUndoAction();
      grouped = true;
    }
    Source->SendScintilla(QsciScintillaBase::SCI_DELETERANGE, static_cast<unsigned long>(kept), end - kept);
  }
  if (grouped) Source->endUndoAction();
  if (caretLine >= first && caretLine <= last) editedFirstLine_ = editedLastLine_ = caretLine;
}

void TEditForm::ShowLineNumbersSoon() {
  // The control reports its updates while it paints; a margin text set
  // then spoils the line colours of the link check. So the numbers follow
  // once the painting is done, once for all updates until then.
  if (numbersPending_) return;
  numbersPending_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        numbersPending_ = false;
        ShowLineNumbers();
      },
      Qt::QueuedConnection);
}

void TEditForm::ShowLineNumbers() {
  // Each number as many digits wide as the line count has, with leading
  // zeros; only the lines on the screen get their text, so that a change
  // costs the same in a long file as in a short one.
  const int lines = Source->lines();
  const int digits = static_cast<int>(QString::number(lines).size());
  if (digits != gutterDigits_) {
    gutterDigits_ = digits;
    Source->setMarginWidth(0, QString(digits + 1, QLatin1Char('0')));
  }
  const long firstShown = Source->SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE);
  const long onScreen = Source->SendScintilla(QsciScintillaBase::SCI_LINESONSCREEN);
  const int first = static_cast<int>(
      Source->SendScintilla(QsciScintillaBase::SCI_DOCLINEFROMVISIBLE, static_cast<unsigned long>(firstShown)));
  const int last = std::min(lines - 1, static_cast<int>(Source->SendScintilla(
                                           QsciScintillaBase::SCI_DOCLINEFROMVISIBLE,
                                           static_cast<unsigned long>(firstShown + onScreen + 1))));
  QByteArray shown(digits + 1, '\0');
  for (int line = first; line <= last; ++line) {
    const QByteArray number = QByteArray::number(line + 1).rightJustified(digits, '0');
    const long length = Source->SendScintilla(QsciScintillaBase::SCI_MARGINGETTEXT,
                                              static_cast<unsigned long>(line), static_cast<const char*>(nullptr));
    if (length == digits) {
      Source->SendScintilla(QsciScintillaBase::SCI_MARGINGETTEXT, static_cast<unsigned long>(line), shown.data());
      if (std::memcmp(shown.constData(), number.constData(), static_cast<size_t>(digits)) == 0) continue;
    }
    Source->setMarginText(line, QString::fromLatin1(number), QsciScintillaBase::STYLE_LINENUMBER);
  }
}

void TEditForm::SourceChange() {
  if (replacing_) return;
  modified_ = true;
  UpdateCaption();
  StatusUpdate();
}

void TEditForm::UpdateCaption() {
  // The caption and panel 2 always follow Modified, also after a failed
  // save under a new name.
  setWindowTitle(modified_ ? fileName_ + QLatin1Char('*') : fileName_);
  StatusPanels[2]->setText(modified_ ? QStringLiteral("Ge\u00E4ndert") : QString());
}

void TEditForm::StatusUpdate() {
  int line = 0;
  int column = 0;
  Source->getCursorPosition(&line, &column);
  // Past the end of a line the caret stands in virtual space.
  column += static_cast<int>(Source->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONNCARETVIRTUALSPACE,
                                                   Source->SendScintilla(QsciScintillaBase::SCI_GETMAINSELECTION)));
  StatusPanels[0]->setText(QStringLiteral("Position: %1/%2").arg(column + 1).arg(line + 1));
  ShowCharacterCount();
}

// --- commands ---------------------------------------------------------

void TEditForm::SaveBtnClick() { Save(); }

bool TEditForm::Save() {
  const AnsiString text = Text();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const TSaveResult result = SaveEditorText(ToAnsi(fileName_), text, MoveToTrash);
  QApplication::restoreOverrideCursor();
  switch (result.Outcome) {
    case TSaveOutcome::Saved:
      modified_ = false;
      UpdateCaption();
      break;
    case TSaveOutcome::NothingToSave:
      break;
    case TSaveOutcome::Failed:
      ShowErrorBox(this, FromAnsi(result.Message));
      return false;
  }
  return true;
}

bool TEditForm::AskToSave() {
  if (!modified_) return true;
  QMessageBox box(QMessageBox::Information, QStringLiteral("Informationen"),
                  QStringLiteral("Quelltext wurde noch nicht gespeichert! Soll er jetzt gesichert werden?"),
                  QMessageBox::NoButton, this);
  QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
  box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
  box.exec();
  return box.clickedButton() != yes || Save();
}

QString TEditForm::ChooseFile(const QString& title) {
  QFileDialog dialog(this, title, QFileInfo(fileName_).absolutePath());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // The lower-case pattern too: file names on Linux keep their case.
  dialog.setNameFilter(QStringLiteral("HTML-Dateien  (*.HTM *.htm)"));
  dialog.setDefaultSuffix(QStringLiteral("HTM"));
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  return RunSaveDialog(dialog);
}

void TEditForm::mnuFileNewClick() {
  // A "Ja" whose save failed keeps the text: the template would replace it.
  if (!AskToSave()) return;
  const QString chosen = ChooseFile(QStringLiteral("Neu"));
  if (chosen.isEmpty()) return;
  fileName_ = chosen;
  ReplaceText(NewFileTemplate());
}

void TEditForm::mnuFileSaveAsClick() {
  AskToSave();
  const QString chosen = ChooseFile(QStringLiteral("Speichern unter"));
  if (chosen.isEmpty()) return;
  fileName_ = chosen;
  UpdateCaption();
  SaveBtnClick();
}

void TEditForm::PrintBtnClick() {
  QPrinter printer;
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  PrintText(printer);
}

void TEditForm::PrintText(QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) {
    ShowErrorBox(this, QStringLiteral("Der Drucker kann nicht ge\u00F6ffnet werden"));
    return;
  }
  // The editor's face and style at the size it has on the screen, in points.
  QFont font = EditorFont(13, true);
  font.setPointSizeF(13.0 * 72.0 / Source->logicalDpiY());
  painter.setFont(QFont(font, painter.device()));
  const QFontMetrics metrics = painter.fontMetrics();
  const int pageHeight = painter.viewport().height();
  const QString text = FromAnsi(Text());
  int y = 0;
  // Lines end as they do in the editor: CR LF, a lone CR or a lone LF.
  const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
  for (const QString& line : lines) {
    if (y + metrics.height() > pageHeight && y > 0) {
      printer.newPage();
      y = 0;
    }
    painter.drawText(0, y + metrics.ascent(), line);
    y += metrics.height();
  }
  painter.end();
}

// --- find and replace -------------------------------------------------

void TEditForm::FindBtnClick() {
  FindDlg->show();
  FindDlg->raise();
}

void TEditForm::ReplaceBtnClick() {
  ReplaceDlg->show();
  ReplaceDlg->raise();
}

bool TEditForm::FindNext(const QString& text, bool matchCase, bool wholeWord, bool backwards) {
  const QByteArray wanted = text.toUtf8();
  const long start = Source->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART);
  const long end = Source->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND);
  const long length = Source->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
  int flags = 0;
  if (matchCase) flags |= QsciScintillaBase::SCFIND_MATCHCASE;
  if (wholeWord) flags |= QsciScintillaBase::SCFIND_WHOLEWORD;
  Source->SendScintilla(QsciScintillaBase::SCI_SETSEARCHFLAGS, static_cast<unsigned long>(flags));
  // A target from high to low searches backwards.
  Source->SendScintilla(QsciScintillaBase::SCI_SETTARGETSTART, static_cast<unsigned long>(backwards ? start : end));
  Source->SendScintilla(QsciScintillaBase::SCI_SETTARGETEND, static_cast<unsigned long>(backwards ? 0 : length));
  const long found = Source->SendScintilla(QsciScintillaBase::SCI_SEARCHINTARGET,
                                           static_cast<unsigned long>(wanted.size()), wanted.constData());
  if (found < 0) return false;
  const long foundEnd = Source->SendScintilla(QsciScintillaBase::SCI_GETTARGETEND);
  Source->SendScintilla(QsciScintillaBase::SCI_SETSEL, static_cast<unsigned long>(found), foundEnd);
  Source->SendScintilla(QsciScintillaBase::SCI_SCROLLCARET);
  return true;
}

void TEditForm::DoFindText(TFindDialog& dialog) {
  const QString text = dialog.FindText->text();
  const bool backwards = dialog.Down && !dialog.Down->isChecked();
  if (text.isEmpty() || !FindNext(text, dialog.MatchCase->isChecked(), dialog.WholeWord->isChecked(), backwards))
    Beep();
}

void TEditForm::mnuFindAgainClick() {
  FindDlg->Down->setChecked(true);
  DoFindText(*FindDlg);
  Source->setFocus();
}

void TEditForm::ReplaceDlgReplace(bool all) {
  const QString text = ReplaceDlg->FindText->text();
  if (text.isEmpty()) {
    Beep();
    return;
  }
  const QByteArray replacement = ReplaceDlg->ReplaceText->text().toUtf8();
  const bool matchCase = ReplaceDlg->MatchCase->isChecked();
  const bool wholeWord = ReplaceDlg->WholeWord->isChecked();
  // From the caret: a match selected there is the first one replaced.
  const long start = Source->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART);
  Source->SendScintilla(QsciScintillaBase::SCI_SETSEL, static_cast<unsigned long>(start), start);
  int replaced = 0;
  Source->SendScintilla(QsciScintillaBase::SCI_BEGINUNDOACTION);
  while (FindNext(text, matchCase, wholeWord, false)) {
    Source->SendScintilla(QsciScintillaBase::SCI_TARGETFROMSELECTION);
    Source->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, static_cast<unsigned long>(replacement.size()),
                          replacement.constData());
    const long after = Source->SendScintilla(QsciScintillaBase::SCI_GETTARGETEND);
    Source->SendScintilla(QsciScintillaBase::SCI_SETSEL, static_cast<unsigned long>(after), after);
    ++replaced;
    if (!all) break;
  }
  Source->SendScintilla(QsciScintillaBase::SCI_ENDUNDOACTION);
  if (replaced == 0) Beep();
}

// --- link check and URL collection -------------------------------------

void TEditForm::ClearLinkMarks() {
  for (int marker : {kExternalPicture, kMissingPicture, kMissingLine, kExternalLine})
    Source->markerDeleteAll(marker);
  const auto length = static_cast<long>(Source->SendScintilla(QsciScintillaBase::SCI_GETLENGTH));
  for (int indicator : {kMissingText, kExternalText}) {
    Source->SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(indicator));
    Source->SendScintilla(QsciScintillaBase::SCI_INDICATORCLEARRANGE, 0UL, length);
  }
  marks_.clear();
}

void TEditForm::MarkFinding(const TLinkFinding& finding, bool colourLine) {
  const bool missing = finding.Kind == TLinkKind::Missing;
  const int line = finding.Line - 1;
  Source->markerAdd(line, missing ? kMissingPicture : kExternalPicture);
  if (!colourLine) return;
  Source->markerAdd(line, missing ? kMissingLine : kExternalLine);
  const auto start = static_cast<unsigned long>(
      Source->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line)));
  const long end =
      Source->SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line));
  Source->SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT,
                        static_cast<unsigned long>(missing ? kMissingText : kExternalText));
  Source->SendScintilla(QsciScintillaBase::SCI_INDICATORFILLRANGE, start, end - static_cast<long>(start));
}

void TEditForm::CheckBtnClick() {
  {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TScopeGuard normalCursor([] { QApplication::restoreOverrideCursor(); });
    ClearLinkMarks();
    LinksBox->clear();
    LinksBox->setToolTip(QString());
    const AnsiString folder = ToAnsi(QFileInfo(fileName_).absolutePath() + QLatin1Char('/'));
    std::vector<TLinkFinding> findings = CheckLinks(Text(), folder, OfflineOnlyBtn->isChecked());
    // The first finding on a line decides its colour.
    int lastColoured = 0;
    for (const TLinkFinding& finding : findings) {
      MarkFinding(finding, finding.Line != lastColoured);
      lastColoured = finding.Line;
      LinksBox->addItem(FromAnsi(finding.Target));
    }
    marks_ = std::move(findings);
    Source->setCursorPosition(0, 0);
  }
  Source->setFocus();
  if (marks_.empty()) {
    UrlPanel->hide();
    ShowMessage(QStringLiteral("Alle URLs sind korrekt!"));
    return;
  }
  UrlPanel->show();
  LinksBox->setCurrentIndex(0);
  LinksBoxClick();
}

void TEditForm::LinksBoxClick() {
  const int index = LinksBox->currentIndex();
  if (index < 0 || index >= static_cast<int>(marks_.size())) return;
  const int line = marks_[static_cast<size_t>(index)].Line - 1;
  Source->setCursorPosition(line, 0);
  Source->ensureLineVisible(line);
  Source->setFocus();
  LinksBox->setToolTip(LinksBox->currentText());
}

void TEditForm::PrevBtnClick() {
  const int index = LinksBox->currentIndex();
  if (index <= 0) {
    Beep();
    return;
  }
  LinksBox->setCurrentIndex(index - 1);
  LinksBoxClick();
}

void TEditForm::NextBtnClick() {
  const int index = LinksBox->currentIndex();
  if (index >= LinksBox->count() - 1) {
    Beep();
    return;
  }
  LinksBox->setCurrentIndex(index + 1);
  LinksBoxClick();
}

void TEditForm::mnuAllURLsClick() {
  if (collecting_) return;
  QFileDialog dialog(this, QStringLiteral("Verzeichnis w\u00E4hlen"), QFileInfo(fileName_).absolutePath());
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Ausgew\u00E4hlter Ordner:"));
  const QString chosen = RunFolderDialog(dialog);
  if (chosen.isEmpty()) return;

  // The walk lets events in twenty times a second, so that the window
  // stays usable; closing it ends the walk first.
  searchURls_.Pump = ThrottledEventPump();
  AnsiString lines;
  {
    collecting_ = true;
    const TScopeGuard notCollecting([this] { collecting_ = false; });
    lines = CollectUrls(ToAnsi(fileName_), ToAnsi(chosen), LinkLineEnding(), searchURls_);
  }
  if (closeAfterCollecting_) {
    closeAfterCollecting_ = false;
    emit CloseRequested();
    return;
  }
  // Through the clipboard, as every insertion: it holds the lines afterwards.
  if (!lines.empty()) InsertSnippet(lines);
}

// --- insertion commands ------------------------------------------------

void TEditForm::InsertSnippet(const AnsiString& snippet) {
  QApplication::clipboard()->setText(FromAnsi(snippet));
  Source->paste();
}

void TEditForm::WrapSelectionIn(TWrapCommand command) {
  // The selection's bytes as Text() has them, so that every byte value
  // inside it stays as it is.
  const auto start = Source->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART);
  const auto end = Source->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND);
  if (end <= start) return;
  std::string utf8(static_cast<size_t>(end - start) + 1, '\0');
  Source->SendScintilla(QsciScintillaBase::SCI_GETSELTEXT, 0UL, utf8.data());
  utf8.resize(static_cast<size_t>(end - start));
  const std::optional<AnsiString> wrapped = WrapSelection(command, Utf8ToAnsi(utf8));
  if (!wrapped) return;
  const std::string replacement = AnsiToUtf8(*wrapped);
  Source->beginUndoAction();
  Source->SendScintilla(QsciScintillaBase::SCI_TARGETFROMSELECTION);
  Source->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, static_cast<unsigned long>(replacement.size()),
                        replacement.data());
  const long after = Source->SendScintilla(QsciScintillaBase::SCI_GETTARGETEND);
  Source->SendScintilla(QsciScintillaBase::SCI_SETSEL, static_cast<unsigned long>(after), after);
  Source->endUndoAction();
}

QString TEditForm::ChooseInsertedFile(const QString& title, const QString& filters, bool preview) {
  QFileDialog dialog(this, title, QFileInfo(fileName_).absolutePath());
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter(filters);
  if (preview) {
    // The picture under the cursor beside the list, scaled down to fit.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* picture = new QLabel(&dialog);
    picture->setObjectName(QStringLiteral("Preview"));
    picture->setFixedSize(160, 160);
    picture->setAlignment(Qt::AlignCenter);
    picture->setFrameShape(QFrame::StyledPanel);
    // Beside the list of files only; the name and type rows below keep
    // their width.
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) grid->addWidget(picture, 1, grid->columnCount());
    dialog.resize(760, 440);
    connect(&dialog, &QFileDialog::currentChanged, picture, [picture](const QString& path) {
      QImageReader reader(path);
      QSize size = reader.size();
      if (size.isValid() && (size.width() > picture->width() || size.height() > picture->height())) {
        reader.setScaledSize(size.scaled(picture->size(), Qt::KeepAspectRatio));
      }
      // Not a picture (or a folder): the preview stays empty.
      const QImage image = reader.read();
      picture->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
    });
  }
  return RunOpenDialog(dialog);
}

void TEditForm::DateiLink1Click() {
  // Each pattern in both cases: file names on Linux keep their case. "*"
  // rather than "*.*", which would leave out names without a dot.
  const QString chosen = ChooseInsertedFile(
      QStringLiteral("Datei w\u00E4hlen"),
      QStringLiteral("Alle Dateien (*);;Programme (*.EXE *.COM *.exe *.com);;ZIP-Archive (*.ZIP *.zip)"));
  if (chosen.isEmpty()) return;
  const AnsiString name = ToAnsi(QFileInfo(chosen).fileName());
  const QString description =
      PromptDlg->AskLinkText(QStringLiteral("Beschreibung"), FromAnsi(LinkPrompt(name)), FromAnsi(name));
  const AnsiString relative = RelativeLinkPath(ToAnsi(fileName_), ToAnsi(chosen));
  InsertSnippet(LinkSnippet(relative, ToAnsi(description), PromptDlg->LineEnding));
}

void TEditForm::Grafikeinfgen1Click() {
  const QString chosen = ChooseInsertedFile(
      QStringLiteral("Grafik w\u00E4hlen"),
      QStringLiteral("Alle Grafiken (*.gif *.jpg *.jpeg *.bmp *.GIF *.JPG *.JPEG *.BMP);;"
                     "GIF-Bilder (*.gif *.GIF);;JPG Image File (*.jpg *.jpeg *.JPG *.JPEG);;"
                     "Bitmaps (*.bmp *.BMP)"),
      true);
  if (chosen.isEmpty()) return;
  const AnsiString name = ToAnsi(QFileInfo(chosen).fileName());
  const QString description =
      PromptDlg->AskPictureText(QStringLiteral("Beschreibung"), FromAnsi(PicturePrompt(name)), FromAnsi(name));
  const AnsiString relative = RelativeLinkPath(ToAnsi(fileName_), ToAnsi(chosen));
  InsertSnippet(PictureSnippet(relative, ToAnsi(description), PromptDlg->Alignment, PromptDlg->LineEnding));
}

bool TEditForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Source) {
    // More lines on the screen need their numbers once the control has
    // taken its new size.
    if (event->type() == QEvent::Resize) ShowLineNumbersSoon();
    if (event->type() == QEvent::FocusIn) hadFocus_ = true;
    if (event->type() == QEvent::FocusOut && hadFocus_ && !passingFocusOut_) {
      // Let the control lose the focus as usual, then have it go on
      // drawing its caret (into the find dialog, for example).
      passingFocusOut_ = true;
      QCoreApplication::sendEvent(Source, event);
      passingFocusOut_ = false;
      Source->SendScintilla(QsciScintillaBase::SCI_SETFOCUS, 1UL);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TEditForm::closeEvent(QCloseEvent* event) {
  RunGuarded(this, [this, event] {
    if (collecting_) {
      // The URL collection still runs on this window's stack: end it and
      // close once it has returned.
      searchURls_.Stop = true;
      closeAfterCollecting_ = true;
      event->ignore();
      return;
    }
    if (closing_) return;
    closing_ = true;
    // A "Ja" whose save failed keeps the window, so that the text is not
    // lost with it.
    if (!AskToSave()) {
      closing_ = false;
      event->ignore();
    }
  });
}

}  // namespace folverin

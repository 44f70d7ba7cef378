// The source editor window in the main window (offscreen), opened from a
// browser window's "Quelltext anzeigen" on a copy of the sample collection:
// the file in the editor, the merged menus, the caption's "*", Save with its
// entities and the trash, every byte value through the widget, the question
// on closing, the failures of load and save, the link check's marks and
// list, the URL collection, the context menu's insertions with the shared
// prompt dialog, and the element inspector.
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QContextMenuEvent>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QToolButton>
#include <QLineEdit>
#include <QRadioButton>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

#include "browser_test_support.h"
#include "editor/edit_form.h"
#include "editor/editor_text.h"
#include "editor/elements_form.h"
#include "editor/prompt_dialog.h"
#include "qtcommon/application_title.h"
#include "qtcommon/qt_text.h"
#include "test_support/every_byte.h"

namespace folverin::testing {
namespace {

std::string ReadFile(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// What the widget shows, all of it (its own text() ends at a NUL).
QString Shown(TEditForm* editor) {
  const auto length = editor->Source->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
  const auto* bytes =
      reinterpret_cast<const char*>(editor->Source->SendScintilla(QsciScintillaBase::SCI_GETCHARACTERPOINTER));
  return QString::fromUtf8(bytes, static_cast<qsizetype>(length));
}

// Answers the next question box with the button of the given caption and
// records what it showed.
class TQuestionAnswerer {
 public:
  explicit TQuestionAnswerer(QString answer) : answer_(std::move(answer)) {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible()) return;
      ++Count;
      Title = box->windowTitle();
      Text = box->text();
      Icon = box->icon();
      Buttons.clear();
      QAbstractButton* chosen = nullptr;
      for (QAbstractButton* button : box->buttons()) {
        Buttons << button->text();
        if (button->text() == answer_) chosen = button;
      }
      if (chosen) {
        chosen->click();
      } else {
        box->done(QMessageBox::Ok);  // an error box
      }
    });
    timer_.start();
  }
  QString Title;
  QString Text;
  QStringList Buttons;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  int Count = 0;

 private:
  QString answer_;
  QTimer timer_;
};

// Answers the prompt dialog whenever it is shown: records what it asked,
// then lets the test act on it (type, choose, press "Ok" or close it).
class TPromptAnswerer {
 public:
  explicit TPromptAnswerer(std::function<void(TPromptDlg&)> answer) : answer_(std::move(answer)) {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<TPromptDlg*>(QApplication::activeModalWidget());
      if (!dialog || !dialog->isVisible()) return;
      ++Count;
      Title = dialog->windowTitle();
      Prompt = dialog->Label1->text();
      Initial = dialog->Edit1->text();
      LayoutShown = dialog->RadioGroup2->isVisible();
      CheckedEnding = dialog->LineEndings->checkedButton()->text();
      EditHasFocus = dialog->focusWidget() == dialog->Edit1;
      answer_(*dialog);
      if (dialog->isVisible()) dialog->reject();  // the close box
    });
    timer_.start();
  }
  int Count = 0;
  QString Title;
  QString Prompt;
  QString Initial;
  QString CheckedEnding;
  bool LayoutShown = false;
  bool EditHasFocus = false;

 private:
  std::function<void(TPromptDlg&)> answer_;
  QTimer timer_;
};

// Picks the radio button with the given caption in the group.
void Choose(QButtonGroup* group, const QString& caption) {
  for (QAbstractButton* button : group->buttons())
    if (button->text() == caption) button->click();
}

class EditorWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The trash of this run is in a home folder of its own.
    home_ = new TempFolder;
    oldHome_ = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(home_->Path()));
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    folder_ = new TempFolder;
    std::filesystem::copy(FOLVERIN_SAMPLE_COLLECTION, folder_->Path(),
                          std::filesystem::copy_options::recursive);
    mainForm_ = new TMainForm(folder_->Path() + "folverin");
    mainForm_->show();
    QApplication::setActiveWindow(mainForm_);
    WaitFor([] { return mainForm_->MDITab->count() == 1; });
  }
  static void TearDownTestSuite() {
    mainForm_->close();
    WaitFor([] { return mainForm_->MDITab->count() == 0; });
    delete mainForm_;
    delete folder_;
    qputenv("HOME", oldHome_);
    delete home_;
  }
  void TearDown() override {
    // Every test leaves only the browser window.
    for (TEditForm* editor : mainForm_->EditorWindows()) {
      TQuestionAnswerer no(QStringLiteral("&Nein"));
      mainForm_->CloseChild(editor);
    }
    WaitFor([] { return mainForm_->EditorWindows().isEmpty() && mainForm_->MDITab->count() == 1; });
  }

  static QString Path(const char* relative) {
    return QString::fromStdString(folder_->Path()) + QLatin1String(relative);
  }
  static QStringList MenuBarTitles() {
    QStringList titles;
    for (QAction* action : mainForm_->menuBar()->actions())
      if (action->isVisible()) titles << action->text();
    // The sample collection's Tools menu sits between them, by its group.
    titles.removeAll(QStringLiteral("&Tools"));
    return titles;
  }
  static QMenu* BarMenu(const QString& title) {
    for (QAction* action : mainForm_->menuBar()->actions())
      if (action->text() == title && action->menu()) return action->menu();
    return nullptr;
  }
  static QAction* Item(QMenu* menu, const QString& caption) {
    if (!menu) return nullptr;
    for (QAction* action : menu->actions())
      if (action->text() == caption) return action;
    return nullptr;
  }
  // Types at the start of the text, as the user does.
  static void TypeAtStart(TEditForm* editor, const QString& text) {
    editor->Source->setCursorPosition(0, 0);
    for (const QChar ch : text) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(editor->Source, &press);
      QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(editor->Source, &release);
    }
  }
  // A file of count lines "<P>Zeile i</P>" in an editor window.
  static TEditForm* OpenNumberedLines(const char* name, int count) {
    std::string lines;
    for (int i = 1; i <= count; ++i) lines += "<P>Zeile " + std::to_string(i) + "</P>\n";
    return mainForm_->OpenEditorWindow(QString::fromStdString(folder_->Write(name, lines)));
  }
  static QString TrashFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash/files";
  }
  static int TrashedVersionsOf(const QString& name) {
    const QStringList all = QDir(TrashFolder()).entryList(QDir::Files);
    int count = 0;
    for (const QString& entry : all)
      if (entry.startsWith(QFileInfo(name).completeBaseName())) ++count;
    return count;
  }

  static TempFolder* home_;
  static QByteArray oldHome_;
  static TempFolder* folder_;
  static TMainForm* mainForm_;
};

TempFolder* EditorWindowTest::home_ = nullptr;
QByteArray EditorWindowTest::oldHome_;
TempFolder* EditorWindowTest::folder_ = nullptr;
TMainForm* EditorWindowTest::mainForm_ = nullptr;

// The sample's frameset with its start page complete in the content frame.
bool ShowsStartPageInContentFrame(TChildForm* child) {
  return child->wb->DocumentURL().endsWith(QLatin1String("index.htm")) &&
         child->wb->EvaluateScript(QStringLiteral(
             "(function(){var d=frames[1].document; return d.readyState==='complete' && d.body !== null"
             " && /start\\.htm$/.test(d.location.href);})()"))
             .toBool();
}

TEST_F(EditorWindowTest, ShowSourceOfAFrameOpensItsFileWithMergedMenusAndSaveWritesEntities) {
  TChildForm* child = mainForm_->BrowserWindows().value(0);
  ASSERT_TRUE(child);
  ASSERT_TRUE(WaitFor([child] { return ShowsStartPageInContentFrame(child); }));
  // A right click into the content frame, then "Quelltext anzeigen".
  const QPoint inFrame(260, 30);
  const TContextElement element = child->wb->ElementAt(inFrame);
  ASSERT_EQ(element.DocumentURL, QUrl::fromLocalFile(Path("start.htm")).toString());
  child->wbShowContextMenu(inFrame, element);
  child->ContextMenu->hide();
  child->acEdit->trigger();

  ASSERT_EQ(mainForm_->EditorWindows().size(), 1);
  TEditForm* editor = mainForm_->EditorWindows().first();
  const std::string original = ReadFile(Path("start.htm"));
  EXPECT_EQ(editor->FileName(), Path("start.htm"));
  EXPECT_EQ(editor->windowTitle(), Path("start.htm"));
  EXPECT_EQ(editor->Text(), EditorTextFromBytes(original));
  EXPECT_FALSE(editor->Modified());
  EXPECT_EQ(mainForm_->MDITab->count(), 2);
  EXPECT_EQ(mainForm_->MDITab->tabText(mainForm_->MDITab->currentIndex()), Path("start.htm"));
  EXPECT_EQ(editor->StatusPanels[0]->text(), QStringLiteral("Position: 1/1"));
  EXPECT_EQ(editor->StatusPanels[1]->text(),
            QStringLiteral(" Zeichen: %1").arg(EditorCharacterCount(EditorTextFromBytes(original))));

  // The editor's menus in the bar, by group; the frame's "Fenster" and
  // "Hilfe" stay.
  EXPECT_EQ(MenuBarTitles(), (QStringList{"Datei", "Bearbeiten", "Anzeige", "Fenster", "&Hilfe"}));
  EXPECT_EQ(BarMenu("Datei"), editor->mnuFile);
  EXPECT_EQ(BarMenu("Bearbeiten"), editor->mnuEdit);
  EXPECT_FALSE(BarMenu("Anzeige")->menuAction()->isEnabled());
  EXPECT_TRUE(editor->mnuView->actions().isEmpty());
  QStringList fileItems;
  for (QAction* action : editor->mnuFile->actions())
    fileItems << (action->isSeparator() ? "-" : action->text() + "|" + action->shortcut().toString());
  EXPECT_EQ(fileItems, (QStringList{"Neu|", "-", "Speichern|Ctrl+S", "Speichern unter ...|", "Drucken|Ctrl+P",
                                    "Schliessen|Ctrl+F4", "-", "Beenden|"}));
  QStringList editItems;
  for (QAction* action : editor->mnuEdit->actions())
    editItems << (action->isSeparator() ? "-" : action->text() + "|" + action->shortcut().toString());
  EXPECT_EQ(editItems, (QStringList{QString::fromUtf8("Rückgängig|Ctrl+Z"), "-", "Auschneiden|Ctrl+X",
                                    "&Kopieren|Ctrl+C", QString::fromUtf8("E&infügen|Ctrl+V"), "-",
                                    "&Suchen|Ctrl+F", "&Weitersuchen|F3", "&Ersetzen...|", "-",
                                    "&URLs testen|F5"}));
  QStringList hints;
  for (QAction* action : editor->ToolBar->actions()) hints << (action->isSeparator() ? "-" : action->toolTip());
  EXPECT_EQ(hints, (QStringList{"Neue HTML-Datei", "Speichern", "Drucken", "Suchen", "Weitersuchen",
                                "Suchen und Ersetzen", "URLs testen", "", "-", "Zeilenumbruch",
                                QString::fromUtf8("Nur Offline-Links prüfen")}));
  EXPECT_FALSE(editor->FindNextBtn->isEnabled());
  EXPECT_FALSE(editor->UrlPanel->isVisible());
  // The bar is 22 pixels high with buttons 28 pixels wide, each with a
  // picture of the program's own in 16 pixels, whole inside the bar.
  EXPECT_EQ(editor->ToolBar->height(), 22);
  for (QAction* action : editor->ToolBar->actions()) {
    if (action->isSeparator()) continue;
    SCOPED_TRACE(action->text().toStdString());
    const QWidget* button = editor->ToolBar->widgetForAction(action);
    ASSERT_TRUE(button);
    EXPECT_EQ(button->width(), 28);
    EXPECT_TRUE(editor->ToolBar->rect().contains(button->geometry()));
    EXPECT_GE(button->height(), 18);
    const QList<QSize> sizes = action->icon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(22, 22)));
  }
  EXPECT_TRUE(editor->WordWrapBtn->isCheckable());
  EXPECT_TRUE(editor->OfflineOnlyBtn->isCheckable());

  // A change marks the caption, the tab and panel 2.
  TypeAtStart(editor, QString::fromUtf8("Größe "));
  Settle(50);  // the control reports the caret's move when it repaints
  EXPECT_TRUE(editor->Modified());
  EXPECT_EQ(editor->windowTitle(), Path("start.htm") + "*");
  EXPECT_EQ(mainForm_->MDITab->tabText(mainForm_->MDITab->currentIndex()), Path("start.htm") + "*");
  EXPECT_EQ(editor->StatusPanels[2]->text(), QString::fromUtf8("Geändert"));
  EXPECT_EQ(editor->StatusPanels[0]->text(), QStringLiteral("Position: 7/1"));

  Item(editor->mnuFile, "Speichern")->trigger();
  std::string saved = ReadFile(Path("start.htm"));
  EXPECT_EQ(saved, "Gr&ouml;&szlig;e " + EditorTextToFileBytes(EditorTextFromBytes(original)));
  EXPECT_FALSE(editor->Modified());
  EXPECT_EQ(editor->windowTitle(), Path("start.htm"));
  EXPECT_EQ(editor->StatusPanels[2]->text(), QString());
  // The editor keeps its letters; only the file has the entities.
  EXPECT_TRUE(Shown(editor).startsWith(QString::fromUtf8("Größe ")));
  EXPECT_EQ(TrashedVersionsOf("start.htm"), 1);

  // Ctrl+S in the editor saves too.
  TypeAtStart(editor, "a");
  QTest::keyClick(editor->Source, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(ReadFile(Path("start.htm")), "a" + saved);
  saved = "a" + saved;
  EXPECT_FALSE(editor->Modified());

  // Undo from the menu takes the typing back.
  Item(editor->mnuEdit, QString::fromUtf8("Rückgängig"))->trigger();
  EXPECT_TRUE(Shown(editor).startsWith(QString::fromUtf8("Größe ")));
  EXPECT_TRUE(editor->Modified());

  // Closing asks; "Nein" closes without writing.
  TQuestionAnswerer no(QStringLiteral("&Nein"));
  Item(editor->mnuFile, "Schliessen")->trigger();
  ASSERT_TRUE(WaitFor([] { return mainForm_->EditorWindows().isEmpty(); }));
  EXPECT_EQ(no.Count, 1);
  EXPECT_EQ(no.Title, QStringLiteral("Informationen"));
  EXPECT_EQ(no.Text, QStringLiteral("Quelltext wurde noch nicht gespeichert! Soll er jetzt gesichert werden?"));
  EXPECT_EQ(no.Icon, QMessageBox::Information);
  EXPECT_EQ(no.Buttons, (QStringList{"&Ja", "&Nein"}));
  EXPECT_EQ(ReadFile(Path("start.htm")), saved);
  // The browser window's menus again.
  EXPECT_EQ(mainForm_->menuBar()->actions().value(0)->menu(), child->mnuFile);
  EXPECT_FALSE(MenuBarTitles().contains(QStringLiteral("Anzeige")));
}

TEST_F(EditorWindowTest, AWindows1252FileShowsItsLettersAndEverySaveKeepsTheEntities) {
  const QString file = QString::fromStdString(folder_->Write("groesse.htm", "<P>Gr\xF6\xDF" "e</P>\n<P>\x80 1</P>"));
  TEditForm* editor = mainForm_->OpenEditorWindow(file);
  ASSERT_TRUE(editor);
  EXPECT_EQ(Shown(editor), QString::fromUtf8("<P>Größe</P>\r\n<P>€ 1</P>"));
  // The text shows 13 pixels high; the control reads sizes in points only.
  const QFont tagFont = editor->Lexer->font(QsciLexerHTML::Tag);
  EXPECT_GT(tagFont.pointSizeF(), 0);
  EXPECT_EQ(QFontInfo(tagFont).pixelSize(), 13);
  editor->SaveBtnClick();
  EXPECT_EQ(ReadFile(file), "<P>Gr&ouml;&szlig;e</P>\r\n<P>\x80 1</P>");
  editor->SaveBtnClick();
  EXPECT_EQ(ReadFile(file), "<P>Gr&ouml;&szlig;e</P>\r\n<P>\x80 1</P>");
  EXPECT_EQ(TrashedVersionsOf("groesse.htm"), 2);

  // Reopened, the file shows its entities.
  mainForm_->CloseChild(editor);
  ASSERT_TRUE(WaitFor([] { return mainForm_->EditorWindows().isEmpty(); }));
  editor = mainForm_->OpenEditorWindow(file);
  ASSERT_TRUE(editor);
  EXPECT_TRUE(Shown(editor).startsWith(QStringLiteral("<P>Gr&ouml;&szlig;e</P>")));

  // Two editor windows: a change marks only its own.
  const QString other = QString::fromStdString(folder_->Write("zwei.htm", "ab\nc"));
  TEditForm* second = mainForm_->OpenEditorWindow(other);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->StatusPanels[1]->text(), QStringLiteral(" Zeichen: 5"));
  TypeAtStart(second, "x");
  EXPECT_TRUE(second->Modified());
  EXPECT_FALSE(editor->Modified());
  EXPECT_EQ(editor->windowTitle(), file);
  TQuestionAnswerer answerer(QStringLiteral("&Nein"));
  mainForm_->CloseChild(editor);
  ASSERT_TRUE(WaitFor([] { return mainForm_->EditorWindows().size() == 1; }));
  EXPECT_EQ(answerer.Count, 0);
}

// The count follows the changes instead of counting the whole text each
// time: after every kind of change it equals the count of the whole text.
TEST_F(EditorWindowTest, TheCharacterCountFollowsEveryChangeAsTheWholeTextCountsIt) {
  const QString file = QString::fromStdString(folder_->Write("zaehlen.htm", "ab\nc"));
  TEditForm* editor = mainForm_->OpenEditorWindow(file);
  ASSERT_TRUE(editor);
  QsciScintilla* source = editor->Source;
  std::vector<std::string> steps;
  const auto check = [&](const std::string& step) {
    steps.push_back(step);
    const size_t whole = EditorCharacterCount(editor->Text());
    EXPECT_EQ(editor->CharacterCount(), whole) << step;
    EXPECT_EQ(editor->StatusPanels[1]->text(), QStringLiteral(" Zeichen: %1").arg(whole)) << step;
  };
  const auto insertAt = [&](long position, const char* utf8) {
    source->SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, static_cast<unsigned long>(position), utf8);
  };
  const auto deleteAt = [&](long position, long length) {
    source->SendScintilla(QsciScintillaBase::SCI_DELETERANGE, static_cast<unsigned long>(position), length);
  };
  EXPECT_EQ(editor->CharacterCount(), 5u);
  TypeAtStart(editor, QString::fromUtf8("Größe €"));
  check("typed letters");
  QTest::keyClick(source, Qt::Key_Return);
  check("Enter");
  QTest::keyClick(source, Qt::Key_Backspace);
  check("Backspace over a line break");
  // A lone LF and a lone CR count two each; put between CR and LF, a letter
  // parts one break into two, and taking it out joins them again.
  const long crlf = static_cast<long>(Shown(editor).toUtf8().indexOf("\r\n"));
  insertAt(crlf + 1, "x");
  check("letter between CR and LF");
  deleteAt(crlf + 1, 1);
  check("letter between CR and LF taken out");
  insertAt(0, "\n");
  check("lone LF at the start");
  insertAt(source->SendScintilla(QsciScintillaBase::SCI_GETLENGTH), "\r");
  check("lone CR at the end");
  insertAt(source->SendScintilla(QsciScintillaBase::SCI_GETLENGTH), "\n");
  check("LF after it");
  deleteAt(0, 1);
  check("first character deleted");
  // A multi-byte letter deleted beside a line break.
  source->selectAll();
  source->removeSelectedText();
  check("everything deleted");
  QApplication::clipboard()->setText(QStringLiteral("eins\nzwei\r\ndrei\u00FC"));
  source->paste();
  check("paste of several lines");
  source->setSelection(0, 2, 2, 1);
  source->removeSelectedText();
  check("deletion across lines");
  source->undo();
  check("undo");
  source->redo();
  check("redo");
  source->selectAll();
  editor->WrapSelectionIn(TWrapCommand::Comment);
  check("wrapped");
  editor->ReplaceDlg->FindText->setText("e");
  editor->ReplaceDlg->ReplaceText->setText(QStringLiteral("\u00E4\u00E4"));
  editor->Source->setCursorPosition(0, 0);
  editor->ReplaceDlgReplace(true);
  check("replace all");
  while (source->isUndoAvailable()) source->undo();
  check("undone to the start");
  EXPECT_EQ(editor->CharacterCount(), 5u);
}

QString GutterText(TEditForm* editor, int line) {
  QByteArray text(16, '\0');
  const long length = editor->Source->SendScintilla(QsciScintillaBase::SCI_MARGINGETTEXT,
                                                    static_cast<unsigned long>(line), text.data());
  return QString::fromLatin1(text.left(static_cast<qsizetype>(length)));
}

TEST_F(EditorWindowTest, TheGutterNumbersLinesWithLeadingZerosAsWideAsTheLineCount) {
  TEditForm* editor = OpenNumberedLines("nummern.htm", 120);
  ASSERT_TRUE(editor);
  Settle(50);
  // 121 lines (the last one empty): three digits.
  EXPECT_EQ(GutterText(editor, 0), QStringLiteral("001"));
  EXPECT_EQ(GutterText(editor, 9), QStringLiteral("010"));
  const long width = editor->Source->SendScintilla(QsciScintillaBase::SCI_GETMARGINWIDTHN, 0UL);
  // A line inserted at the top renumbers the lines on the screen.
  editor->Source->setCursorPosition(0, 0);
  QTest::keyClick(editor->Source, Qt::Key_Return);
  Settle(50);
  EXPECT_EQ(GutterText(editor, 1), QStringLiteral("002"));
  EXPECT_EQ(GutterText(editor, 5), QStringLiteral("006"));
  // Nine lines: one digit, and a narrower gutter.
  editor->SetText("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9");
  Settle(50);
  EXPECT_EQ(GutterText(editor, 0), QStringLiteral("1"));
  EXPECT_EQ(GutterText(editor, 8), QStringLiteral("9"));
  EXPECT_LT(editor->Source->SendScintilla(QsciScintillaBase::SCI_GETMARGINWIDTHN, 0UL), width);
  // The numbers in the gutter's own style, whose font is Courier New.
  EXPECT_EQ(editor->Source->SendScintilla(QsciScintillaBase::SCI_MARGINGETSTYLE, 0UL),
            QsciScintillaBase::STYLE_LINENUMBER);
}

TEST_F(EditorWindowTest, TrailingBlanksOfAChangedLineGoWhenTheCaretLeavesIt) {
  const QString file = QString::fromStdString(folder_->Write("blanks.htm", "eins  \nzwei\ndrei \t"));
  TEditForm* editor = mainForm_->OpenEditorWindow(file);
  ASSERT_TRUE(editor);
  QsciScintilla* source = editor->Source;
  // Blanks typed at the end of "zwei" stay while the caret is on the line.
  source->setCursorPosition(1, 4);
  QTest::keyClicks(source, QStringLiteral("x  "));
  EXPECT_EQ(editor->Text(), "eins  \r\nzwei" "x  \r\ndrei \t");
  QTest::keyClick(source, Qt::Key_Down);
  Settle(20);  // the control reports the caret's move when it repaints
  // The line left loses them; lines nobody changed keep theirs.
  EXPECT_EQ(editor->Text(), "eins  \r\nzweix\r\ndrei \t");
  EXPECT_EQ(editor->CharacterCount(), EditorCharacterCount(editor->Text()));
  // Enter after blanks: the first half goes without them.
  source->setCursorPosition(0, 6);
  Settle(20);
  QTest::keyClick(source, Qt::Key_Return);
  Settle(20);
  EXPECT_EQ(editor->Text(), "eins\r\n\r\nzweix\r\ndrei \t");
  // One undo step brings the blanks back.
  source->undo();
  EXPECT_EQ(editor->Text(), "eins  \r\n\r\nzweix\r\ndrei \t");
  // A change taken back leaves its line as it was: leaving the line then
  // keeps its blanks, and redo stays possible.
  source->setCursorPosition(0, 0);
  Settle(20);
  QTest::keyClicks(source, QStringLiteral("A"));
  source->undo();
  Settle(20);
  source->setCursorPosition(3, 0);
  Settle(20);
  EXPECT_EQ(editor->Text(), "eins  \r\n\r\nzweix\r\ndrei \t");
  EXPECT_TRUE(source->isRedoAvailable());
  // The caret may stand past the end of a line; the status bar counts
  // those columns too, and nothing is written there until something is typed.
  source->setCursorPosition(2, 5);
  QTest::keyClick(source, Qt::Key_Right);
  QTest::keyClick(source, Qt::Key_Right);
  // (The control reports the caret's move when it repaints.)
  EXPECT_TRUE(WaitFor([editor] { return editor->StatusPanels[0]->text() == QStringLiteral("Position: 8/3"); }, 2000))
      << editor->StatusPanels[0]->text().toStdString();
  EXPECT_EQ(editor->Text(), "eins  \r\n\r\nzweix\r\ndrei \t");
}

TEST_F(EditorWindowTest, EveryByteValueGoesThroughTheWidgetUnchanged) {
  const std::string bytes = testing::EveryByteValue();
  const QString file = QString::fromStdString(folder_->Write("bytes.htm", bytes));
  TEditForm* editor = mainForm_->OpenEditorWindow(file);
  ASSERT_TRUE(editor);
  EXPECT_EQ(editor->Text(), EditorTextFromBytes(bytes));
  // Each byte is its Windows-1252 character; the undefined ones are the
  // controls of the same value.
  const QString shown = Shown(editor);
  EXPECT_TRUE(shown.contains(QChar(0x20AC)));  // 0x80
  for (char16_t undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_TRUE(shown.contains(QChar(undefined)));
  EXPECT_TRUE(shown.contains(QString::fromUtf8("ÿ")));

  editor->SaveBtnClick();
  const std::string saved = ReadFile(file);
  // Only the line break (CR LF stays, but LF and CR were one each) and the
  // seven umlaut bytes change.
  EXPECT_EQ(saved, testing::EveryByteAsSaved());
}

TEST_F(EditorWindowTest, AUtf8DocumentShowsItsBytesAsCharactersAndIsWrittenBackByteForByte) {
  // "Größe 中文" in UTF-8: ö is C3 B6, ß is C3 9F, 中 is E4 B8 AD (with the
  // umlaut byte E4 inside), 文 is E6 96 87.
  const std::string utf8 = "<P>Gr\xC3\xB6\xC3\x9F" "e \xE4\xB8\xAD\xE6\x96\x87</P>\r\n";
  const QString file = QString::fromStdString(folder_->Write("utf8.htm", utf8));
  TEditForm* editor = mainForm_->OpenEditorWindow(file);
  ASSERT_TRUE(editor);
  EXPECT_EQ(Shown(editor), QString::fromUtf8("<P>GrÃ¶ÃŸe ä¸\u00ADæ–‡</P>\r\n"));
  editor->SaveBtnClick();
  EXPECT_EQ(ReadFile(file), utf8);
}

TEST_F(EditorWindowTest, NewAndSaveAsUseTheSaveDialogAndReplaceAnExistingFile) {
  const QString file = QString::fromStdString(folder_->Write("alt.htm", "<P>alt</P>"));
  const QString existing = QString::fromStdString(folder_->Write("vorhanden.htm", "vorher"));
  TEditForm* editor = mainForm_->OpenEditorWindow(file);
  ASSERT_TRUE(editor);
  QStringList titles;
  QString filter;
  QString folder;
  QString answer = existing;
  editor->RunSaveDialog = [&](QFileDialog& dialog) {
    titles << dialog.windowTitle();
    filter = dialog.nameFilters().join(";");
    folder = dialog.directory().absolutePath();
    return answer;
  };
  TypeAtStart(editor, "x");
  {
    TQuestionAnswerer no(QStringLiteral("&Nein"));
    editor->mnuFileSaveAsClick();
    EXPECT_EQ(no.Count, 1);
  }
  EXPECT_EQ(titles, QStringList{"Speichern unter"});
  // (The dialog shows the caption's blanks as one.)
  EXPECT_TRUE(filter.startsWith(QStringLiteral("HTML-Dateien (*.HTM"))) << filter.toStdString();
  EXPECT_EQ(folder + "/", QString::fromStdString(folder_->Path()));
  EXPECT_EQ(ReadFile(existing), "x<P>alt</P>");
  EXPECT_EQ(ReadFile(file), "<P>alt</P>");
  EXPECT_EQ(editor->FileName(), existing);
  EXPECT_EQ(editor->windowTitle(), existing);
  EXPECT_FALSE(editor->Modified());

  // "Neu": the template under the chosen name, nothing written yet.
  answer = Path("neu.htm");
  editor->mnuFileNewClick();
  EXPECT_EQ(titles.last(), QStringLiteral("Neu"));
  EXPECT_EQ(editor->FileName(), Path("neu.htm"));
  EXPECT_EQ(editor->windowTitle(), Path("neu.htm"));
  EXPECT_EQ(editor->Text(), NewFileTemplate());
  EXPECT_FALSE(editor->Modified());
  EXPECT_FALSE(QFile::exists(Path("neu.htm")));
  // Cancelled: the text stays.
  answer.clear();
  TypeAtStart(editor, "y");
  TQuestionAnswerer no(QStringLiteral("&Nein"));
  editor->mnuFileNewClick();
  EXPECT_EQ(editor->Text(), "y" + NewFileTemplate());
  EXPECT_EQ(editor->FileName(), Path("neu.htm"));
}

// Counts the pages of a PDF file Qt wrote.
int PdfPages(const QString& path) {
  const std::string pdf = ReadFile(path);
  int pages = 0;
  for (size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
    if (pdf.compare(at, 12, "/Type /Pages") != 0) ++pages;
  return pages;
}

TEST_F(EditorWindowTest, PrintWritesEveryLineAndBreaksPages) {
  TEditForm* editor = OpenNumberedLines("lang.htm", 300);
  ASSERT_TRUE(editor);
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(Path("lang.pdf"));
  editor->PrintText(printer);
  const int longPages = PdfPages(Path("lang.pdf"));
  EXPECT_GT(longPages, 3);

  editor->SetText("<P>kurz</P>");
  printer.setOutputFileName(Path("kurz.pdf"));
  editor->PrintText(printer);
  EXPECT_EQ(PdfPages(Path("kurz.pdf")), 1);
  EXPECT_TRUE(editor->PrintBtn->isEnabled());
}

TEST_F(EditorWindowTest, FindAndReplaceGoFromTheCaretWithoutWrappingAndBeepOnAMiss) {
  const QString file = QString::fromStdString(folder_->Write("suchen.htm", "Rot rot ROT\nrote Rot"));
  TEditForm* editor = mainForm_->OpenEditorWindow(file);
  ASSERT_TRUE(editor);
  int beeps = 0;
  editor->Beep = [&beeps] { ++beeps; };
  TFindDialog& find = *editor->FindDlg;
  Item(editor->mnuEdit, "&Suchen")->trigger();
  EXPECT_TRUE(find.isVisible());
  EXPECT_FALSE(find.isModal());
  // The labels lead to their boxes (Alt+N, Alt+D).
  const auto buddyOf = [](QDialog& dialog, const QString& caption) -> QWidget* {
    for (QLabel* label : dialog.findChildren<QLabel*>())
      if (label->text() == caption) return label->buddy();
    return nullptr;
  };
  EXPECT_EQ(buddyOf(find, "Suchen &nach:"), find.FindText);
  EXPECT_EQ(buddyOf(*editor->ReplaceDlg, "Ersetzen &durch:"), editor->ReplaceDlg->ReplaceText);

  // An empty search text only beeps.
  find.FindNextButton->click();
  EXPECT_EQ(beeps, 1);

  // Down, ignoring case: every "rot" in turn, then a beep at the end and no
  // restart at the top.
  find.FindText->setText("rot");
  QStringList found;
  for (int i = 0; i < 5; ++i) {
    find.FindNextButton->click();
    int line = 0, index = 0;
    editor->Source->getCursorPosition(&line, &index);
    found << QStringLiteral("%1:%2:%3").arg(line).arg(index).arg(editor->Source->selectedText());
  }
  EXPECT_EQ(found, (QStringList{"0:3:Rot", "0:7:rot", "0:11:ROT", "1:3:rot", "1:8:Rot"}));
  EXPECT_EQ(beeps, 1);
  find.FindNextButton->click();
  EXPECT_EQ(beeps, 2);
  EXPECT_EQ(editor->Source->selectedText(), QStringLiteral("Rot"));

  // The caret stays visible while the focus is in the dialog.
  QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
  QApplication::sendEvent(editor->Source, &in);
  QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(editor->Source, &out);
  EXPECT_NE(editor->Source->SendScintilla(QsciScintillaBase::SCI_GETFOCUS), 0);

  // Whole words and match case, upwards from there.
  find.WholeWord->setChecked(true);
  find.MatchCase->setChecked(true);
  find.Up->setChecked(true);
  find.FindNextButton->click();
  int line = 0, index = 0;
  editor->Source->getCursorPosition(&line, &index);
  EXPECT_EQ(QStringLiteral("%1:%2").arg(line).arg(index), QStringLiteral("0:7"));  // not "rote"
  find.FindNextButton->click();
  EXPECT_EQ(beeps, 3);  // "Rot" at the start does not match the case

  // "Weitersuchen" turns the direction down and searches forward.
  Item(editor->mnuEdit, "&Weitersuchen")->trigger();
  EXPECT_TRUE(find.Down->isChecked());
  EXPECT_EQ(beeps, 4);  // no whole lower-case "rot" after the one selected

  // Replace: the next match from the caret, then all the rest as one undo
  // step; nothing left beeps.
  TFindDialog& replace = *editor->ReplaceDlg;
  Item(editor->mnuEdit, "&Ersetzen...")->trigger();
  EXPECT_TRUE(replace.isVisible());
  editor->Source->setCursorPosition(0, 4);
  replace.FindText->setText("rot");
  replace.ReplaceText->setText("Blau");
  replace.ReplaceButton->click();
  EXPECT_EQ(editor->Text(), "Rot Blau ROT\r\nrote Rot");
  replace.ReplaceAllButton->click();
  EXPECT_EQ(editor->Text(), "Rot Blau Blau\r\nBlaue Blau");
  EXPECT_EQ(beeps, 4);
  replace.ReplaceAllButton->click();
  EXPECT_EQ(beeps, 5);
  editor->Source->undo();
  EXPECT_EQ(editor->Text(), "Rot Blau ROT\r\nrote Rot");
  replace.FindText->clear();
  replace.ReplaceButton->click();
  EXPECT_EQ(beeps, 6);
}

TEST_F(EditorWindowTest, AFailedSaveKeepsTextAndMarkAndTheWindowOnClosing) {
  const std::string gone = folder_->MakeFolder("weg");
  const QString file = QString::fromStdString(folder_->Write("weg/seite.htm", "<P>Text</P>"));
  TEditForm* editor = mainForm_->OpenEditorWindow(file);
  ASSERT_TRUE(editor);
  TypeAtStart(editor, "neu ");
  std::filesystem::remove_all(gone);
  {
    TQuestionAnswerer box(QStringLiteral("OK"));
    editor->SaveBtnClick();
    EXPECT_EQ(box.Count, 1);
    EXPECT_TRUE(box.Text.contains(QStringLiteral("seite.htm")));
    EXPECT_TRUE(box.Text.contains(QStringLiteral("kann nicht gespeichert werden")));
  }
  EXPECT_TRUE(editor->Modified());
  EXPECT_EQ(editor->windowTitle(), file + "*");
  EXPECT_EQ(editor->Text(), "neu <P>Text</P>");

  // "Ja" on closing, and the save fails again: the window stays with its text.
  {
    TQuestionAnswerer yes(QStringLiteral("&Ja"));
    mainForm_->CloseChild(editor);
    Settle(200);
    EXPECT_EQ(yes.Count, 2);  // the question, then the error
  }
  ASSERT_EQ(mainForm_->EditorWindows().size(), 1);
  EXPECT_EQ(editor->Text(), "neu <P>Text</P>");
  EXPECT_EQ(editor->windowTitle(), file + "*");

  // "Neu" after a "Ja" whose save failed keeps the text and asks for no
  // new name.
  int saveDialogs = 0;
  editor->RunSaveDialog = [&saveDialogs](QFileDialog&) {
    ++saveDialogs;
    return QString();
  };
  {
    TQuestionAnswerer yes(QStringLiteral("&Ja"));
    editor->mnuFileNewClick();
    EXPECT_EQ(yes.Count, 2);  // the question, then the error
  }
  EXPECT_EQ(saveDialogs, 0);
  EXPECT_EQ(editor->Text(), "neu <P>Text</P>");
  EXPECT_TRUE(editor->Modified());

  // An empty text is not saved and keeps the mark.
  std::filesystem::create_directories(gone);
  editor->SetText("");
  editor->SaveBtnClick();
  EXPECT_FALSE(QFile::exists(file));
  EXPECT_EQ(editor->windowTitle(), file + "*");
}

TEST_F(EditorWindowTest, AFileThatCannotBeReadGetsNoWindow) {
  const int tabs = mainForm_->MDITab->count();
  TQuestionAnswerer box(QStringLiteral("OK"));
  EXPECT_EQ(mainForm_->OpenEditorWindow(Path("fehlt.htm")), nullptr);
  EXPECT_EQ(box.Count, 1);
  EXPECT_TRUE(box.Text.contains(QStringLiteral("fehlt.htm")));
  EXPECT_TRUE(box.Text.contains(QString::fromUtf8("kann nicht geöffnet werden")));
  EXPECT_TRUE(mainForm_->EditorWindows().isEmpty());
  EXPECT_EQ(mainForm_->MDITab->count(), tabs);
}

// The markers on each line of the editor (0-based), as a bit mask.
unsigned MarkersOn(TEditForm* editor, int line) {
  return static_cast<unsigned>(editor->Source->markersAtLine(line));
}

bool TextColouredOn(TEditForm* editor, int indicator, int line) {
  const auto position = editor->Source->positionFromLineIndex(line, 1);
  return editor->Source->SendScintilla(QsciScintillaBase::SCI_INDICATORVALUEAT,
                                       static_cast<unsigned long>(indicator), static_cast<long>(position)) != 0;
}

QStringList Entries(const QComboBox* box) {
  QStringList entries;
  for (int i = 0; i < box->count(); ++i) entries << box->itemText(i);
  return entries;
}

int CaretLine(TEditForm* editor) {
  int line = 0, index = 0;
  editor->Source->getCursorPosition(&line, &index);
  return index == 0 ? line : -1;  // always at the start of the line
}

TEST_F(EditorWindowTest, TheLinkCheckMarksListsAndStepsThroughItsFindings) {
  folder_->MakeFolder("links");
  folder_->Write("links/vorhanden.htm", "<P>da</P>");
  const QString file = QString::fromStdString(folder_->Write(
      "links/seite.htm",
      "<HTML>\n"
      "<A HREF=\"vorhanden.htm\">gut</A>\n"
      "<a href=\"fehlt.htm\">weg</a>\n"
      "<A HREF=\"http://www.example.org/\">extern</A>\n"
      "<A HREF=\"mailto:x@y.de\">m</A> <A HREF=\"weg2.htm\">w</A>\n"
      "</HTML>\n"));
  TEditForm* editor = mainForm_->OpenEditorWindow(file);
  ASSERT_TRUE(editor);
  int beeps = 0;
  editor->Beep = [&beeps] { ++beeps; };
  EXPECT_TRUE(editor->CheckBtn->isEnabled());
  EXPECT_TRUE(editor->OfflineOnlyBtn->isEnabled());
  // Typed before the check: the check keeps the change and its undo.
  TypeAtStart(editor, "x");
  editor->Source->setCursorPosition(5, 0);

  // F5 as the user presses it, in the active frame (a box closed before
  // may have left no window active offscreen).
  QApplication::setActiveWindow(mainForm_);
  QTest::keyClick(editor->Source, Qt::Key_F5);
  EXPECT_TRUE(editor->UrlPanel->isVisible());
  EXPECT_EQ(Entries(editor->LinksBox),
            (QStringList{"FEHLT.HTM", "HTTP://WWW.EXAMPLE.ORG/", "MAILTO:X@Y.DE", "WEG2.HTM"}));
  EXPECT_EQ(editor->LinksBox->maxVisibleItems(), 30);
  EXPECT_EQ(editor->LinksBox->currentIndex(), 0);
  EXPECT_EQ(editor->LinksBox->toolTip(), QStringLiteral("FEHLT.HTM"));
  EXPECT_EQ(CaretLine(editor), 2);
  EXPECT_TRUE(editor->Modified());
  EXPECT_TRUE(editor->Source->isUndoAvailable());

  // One picture per finding; the first finding on a line decides its colour.
  const unsigned missing = (1u << TEditForm::kMissingPicture) | (1u << TEditForm::kMissingLine);
  const unsigned external = (1u << TEditForm::kExternalPicture) | (1u << TEditForm::kExternalLine);
  EXPECT_EQ(MarkersOn(editor, 0), 0u);
  EXPECT_EQ(MarkersOn(editor, 1), 0u);
  EXPECT_EQ(MarkersOn(editor, 2), missing);
  EXPECT_EQ(MarkersOn(editor, 3), external);
  EXPECT_EQ(MarkersOn(editor, 4), external | (1u << TEditForm::kMissingPicture));
  EXPECT_EQ(MarkersOn(editor, 5), 0u);
  EXPECT_TRUE(TextColouredOn(editor, TEditForm::kMissingText, 2));
  EXPECT_FALSE(TextColouredOn(editor, TEditForm::kExternalText, 2));
  EXPECT_TRUE(TextColouredOn(editor, TEditForm::kExternalText, 3));
  EXPECT_TRUE(TextColouredOn(editor, TEditForm::kExternalText, 4));
  EXPECT_FALSE(TextColouredOn(editor, TEditForm::kMissingText, 4));
  EXPECT_FALSE(TextColouredOn(editor, TEditForm::kMissingText, 1));
  EXPECT_FALSE(TextColouredOn(editor, TEditForm::kExternalText, 1));

  // Next to the end, a beep there; back to the start, a beep there.
  QStringList lines;
  for (int i = 0; i < 3; ++i) {
    editor->NextBtn->click();
    lines << QStringLiteral("%1:%2").arg(CaretLine(editor)).arg(editor->LinksBox->toolTip());
  }
  EXPECT_EQ(lines, (QStringList{"3:HTTP://WWW.EXAMPLE.ORG/", "4:MAILTO:X@Y.DE", "4:WEG2.HTM"}));
  EXPECT_EQ(beeps, 0);
  editor->NextBtn->click();
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(editor->LinksBox->currentIndex(), 3);
  for (int i = 0; i < 3; ++i) editor->PreBtn->click();
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(CaretLine(editor), 2);
  editor->PreBtn->click();
  EXPECT_EQ(beeps, 2);
  EXPECT_EQ(editor->LinksBox->currentIndex(), 0);

  // Choosing an entry goes to its line.
  editor->LinksBox->setCurrentIndex(1);
  emit editor->LinksBox->activated(1);
  EXPECT_EQ(CaretLine(editor), 3);
  EXPECT_EQ(editor->LinksBox->toolTip(), QStringLiteral("HTTP://WWW.EXAMPLE.ORG/"));

  // Offline only: a new check clears the old marks and leaves the external
  // addresses out; the line they shared with a missing target turns red.
  editor->OfflineOnlyBtn->trigger();
  ASSERT_TRUE(editor->OfflineOnlyBtn->isChecked());
  editor->CheckBtn->trigger();
  EXPECT_EQ(Entries(editor->LinksBox), (QStringList{"FEHLT.HTM", "WEG2.HTM"}));
  EXPECT_EQ(MarkersOn(editor, 2), missing);
  EXPECT_EQ(MarkersOn(editor, 3), 0u);
  EXPECT_EQ(MarkersOn(editor, 4), missing);
  EXPECT_FALSE(TextColouredOn(editor, TEditForm::kExternalText, 3));
  EXPECT_FALSE(TextColouredOn(editor, TEditForm::kExternalText, 4));
  EXPECT_TRUE(TextColouredOn(editor, TEditForm::kMissingText, 4));
  editor->NextBtn->click();
  EXPECT_EQ(CaretLine(editor), 4);
  editor->NextBtn->click();
  EXPECT_EQ(beeps, 3);

  // With the targets there, all is well: the message, the panel hidden,
  // no marks left.
  folder_->Write("links/fehlt.htm", "");
  folder_->Write("links/weg2.htm", "");
  {
    TQuestionAnswerer ok(QStringLiteral("OK"));
    Item(editor->mnuEdit, "&URLs testen")->trigger();
    EXPECT_EQ(ok.Count, 1);
    EXPECT_EQ(ok.Text, QStringLiteral("Alle URLs sind korrekt!"));
    EXPECT_EQ(ok.Icon, QMessageBox::NoIcon);
    EXPECT_EQ(ok.Title, ApplicationTitle());
  }
  EXPECT_FALSE(editor->UrlPanel->isVisible());
  EXPECT_EQ(editor->LinksBox->count(), 0);
  EXPECT_TRUE(editor->LinkMarks().empty());
  for (int line = 0; line < 6; ++line) EXPECT_EQ(MarkersOn(editor, line), 0u) << line;
  EXPECT_FALSE(TextColouredOn(editor, TEditForm::kMissingText, 2));
  editor->NextBtn->click();
  editor->PreBtn->click();
  EXPECT_EQ(beeps, 5);

  // Online again, the external addresses are findings once more.
  editor->OfflineOnlyBtn->trigger();
  editor->CheckBtnClick();
  EXPECT_EQ(Entries(editor->LinksBox), (QStringList{"HTTP://WWW.EXAMPLE.ORG/", "MAILTO:X@Y.DE"}));
  EXPECT_TRUE(editor->UrlPanel->isVisible());
  EXPECT_EQ(CaretLine(editor), 3);
}

TEST_F(EditorWindowTest, TheUrlCollectionInsertsALinePerFileThroughTheClipboard) {
  folder_->MakeFolder("sammlung");
  folder_->MakeFolder("sammlung/unter");
  folder_->Write("sammlung/b.htm", "");
  folder_->Write("sammlung/a.gif", "");
  folder_->Write("sammlung/unter/c.htm", "");
  folder_->MakeFolder("doku");
  const QString file = QString::fromStdString(folder_->Write("doku/index.htm", "<P>Anfang</P>\n<P>Ende</P>"));
  TEditForm* editor = mainForm_->OpenEditorWindow(file);
  ASSERT_TRUE(editor);
  QString startFolder;
  QString label;
  QString answer;
  int asked = 0;
  editor->RunFolderDialog = [&](QFileDialog& dialog) {
    ++asked;
    startFolder = dialog.directory().absolutePath();
    label = dialog.labelText(QFileDialog::FileName);
    return answer;
  };
  // Cancelled: nothing changes.
  QApplication::clipboard()->setText(QStringLiteral("vorher"));
  editor->mnuAllURLsClick();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(startFolder, Path("doku"));
  EXPECT_EQ(label, QString::fromUtf8("Ausgewählter Ordner:"));
  EXPECT_FALSE(editor->Modified());
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("vorher"));

  // The files in walk order (a folder's files before its sub-folders), the
  // folders themselves left out, paths relative to the edited document.
  answer = Path("sammlung");
  editor->LinkLineEnding = [] { return AnsiString("<BR>"); };
  editor->Source->setCursorPosition(1, 0);
  editor->mnuAllURLsClick();
  const std::string lines =
      "<A HREF =\"../sammlung/a.gif\"></A><BR>\r\n"
      "<A HREF =\"../sammlung/b.htm\"></A><BR>\r\n"
      "<A HREF =\"../sammlung/unter/c.htm\"></A><BR>\r\n";
  EXPECT_EQ(editor->Text(), "<P>Anfang</P>\r\n" + lines + "<P>Ende</P>");
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromStdString(lines));
  EXPECT_TRUE(editor->Modified());
  int line = 0, index = 0;
  editor->Source->getCursorPosition(&line, &index);
  EXPECT_EQ(line, 4);
  EXPECT_EQ(index, 0);

  // A folder with the trailing separator, the document's own folder.
  answer = Path("doku/");
  editor->LinkLineEnding = [] { return AnsiString(); };
  editor->Source->setCursorPosition(0, 0);
  editor->mnuAllURLsClick();
  EXPECT_TRUE(editor->Text().starts_with("<A HREF =\"index.htm\"></A>\r\n<P>Anfang</P>"));
}

TEST_F(EditorWindowTest, ClosingTheWindowDuringTheUrlCollectionEndsTheWalkFirst) {
  folder_->MakeFolder("viele");
  for (int i = 0; i < 3000; ++i) folder_->Write("viele/d" + std::to_string(i) + ".htm", "");
  const QString file = QString::fromStdString(folder_->Write("viele.htm", "<P>x</P>"));
  TEditForm* editor = mainForm_->OpenEditorWindow(file);
  ASSERT_TRUE(editor);
  QPointer<TEditForm> alive(editor);
  editor->RunFolderDialog = [](QFileDialog&) { return Path("viele"); };
  // The close arrives while the walk lets events in.
  QTimer::singleShot(0, mainForm_, [] { mainForm_->CloseChild(mainForm_->EditorWindows().value(0)); });
  editor->mnuAllURLsClick();
  ASSERT_TRUE(alive);  // still on its own stack: not gone yet
  EXPECT_EQ(editor->Text(), "<P>x</P>");  // nothing inserted
  EXPECT_TRUE(WaitFor([] { return mainForm_->EditorWindows().isEmpty(); }));
  EXPECT_EQ(ReadFile(file), "<P>x</P>");
}

}  // namespace
}  // namespace folverin::testing

namespace folverin::testing {
namespace {

QStringList Captions(QMenu* menu) {
  QStringList captions;
  for (QAction* action : menu->actions()) captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
  return captions;
}

QAction* PopupItem(TEditForm* editor, const QString& caption) {
  for (QAction* action : editor->PopupMenu1->actions())
    if (action->text() == caption) return action;
  return nullptr;
}

TEST_F(EditorWindowTest, TheContextMenuOpensOnARightClickWithItsItemsInOrder) {
  const QString file = QString::fromStdString(folder_->Write("kontext.htm", "<P>x</P>"));
  TEditForm* editor = mainForm_->OpenEditorWindow(file);
  ASSERT_TRUE(editor);
  EXPECT_EQ(Captions(editor->PopupMenu1),
            (QStringList{"Copyright", "Trademark", "Registered Trademark", "Bullet", "<BR>", "<P>", "Bold",
                         "Italic", "Comment", "-", QString::fromUtf8("Grafik einfügen..."),
                         QString::fromUtf8("URL einfügen..."), "Alle URLs eines Verzeichnis...", "-",
                         "&Aktualisieren"}));
  EXPECT_EQ(PopupItem(editor, QString::fromUtf8("Grafik einfügen..."))->shortcut(),
            QKeySequence(Qt::CTRL | Qt::Key_I));
  EXPECT_EQ(PopupItem(editor, QString::fromUtf8("URL einfügen..."))->shortcut(),
            QKeySequence(Qt::CTRL | Qt::Key_L));

  // The right click shows this menu, not the control's own.
  const QPoint inside(40, 10);
  QContextMenuEvent click(QContextMenuEvent::Mouse, inside, editor->Source->viewport()->mapToGlobal(inside));
  QApplication::sendEvent(editor->Source->viewport(), &click);
  ASSERT_TRUE(WaitFor([editor] { return editor->PopupMenu1->isVisible(); }));
  editor->PopupMenu1->hide();

  // "Alle URLs eines Verzeichnis..." is the URL collection.
  int asked = 0;
  editor->RunFolderDialog = [&](QFileDialog&) {
    ++asked;
    return QString();
  };
  PopupItem(editor, "Alle URLs eines Verzeichnis...")->trigger();
  EXPECT_EQ(asked, 1);
  // "&Aktualisieren" does nothing.
  PopupItem(editor, "&Aktualisieren")->trigger();
  EXPECT_EQ(editor->Text(), "<P>x</P>");
  EXPECT_FALSE(editor->Modified());
}

TEST_F(EditorWindowTest, FixedSnippetsGoInAtTheCaretThroughTheClipboard) {
  const QString file = QString::fromStdString(folder_->Write("zeichen.htm", "<P>ab</P>\r\n<P>cd</P>"));
  TEditForm* editor = mainForm_->OpenEditorWindow(file);
  ASSERT_TRUE(editor);
  editor->Source->setCursorPosition(0, 4);
  PopupItem(editor, "Copyright")->trigger();
  EXPECT_EQ(editor->Text(), "<P>a&copy;b</P>\r\n<P>cd</P>");
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("&copy;"));
  EXPECT_TRUE(editor->Modified());
  int line = 0, index = 0;
  editor->Source->getCursorPosition(&line, &index);
  EXPECT_EQ(line, 0);
  EXPECT_EQ(index, 10);

  // A selection is replaced by the snippet.
  editor->Source->setSelection(1, 3, 1, 5);
  PopupItem(editor, "Bullet")->trigger();
  EXPECT_EQ(editor->Text(), "<P>a&copy;b</P>\r\n<P>&#149;</P>");
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("&#149;"));
  editor->Source->setCursorPosition(1, 0);
  PopupItem(editor, "<BR>")->trigger();
  EXPECT_TRUE(editor->Text().ends_with("\r\n<BR><P>&#149;</P>"));
}

TEST_F(EditorWindowTest, WrappingChangesOnlyASelectionAsOneUndoStep) {
  const QString file = QString::fromStdString(folder_->Write("fett.htm", "Text Gr\xF6\xDF" "e"));
  TEditForm* editor = mainForm_->OpenEditorWindow(file);
  ASSERT_TRUE(editor);
  QApplication::clipboard()->setText(QStringLiteral("vorher"));

  // Without a selection nothing happens.
  editor->Source->setCursorPosition(0, 2);
  PopupItem(editor, "Bold")->trigger();
  EXPECT_EQ(editor->Text(), "Text Gr\xF6\xDF" "e");
  EXPECT_FALSE(editor->Modified());

  editor->Source->setSelection(0, 0, 0, 4);
  PopupItem(editor, "Bold")->trigger();
  EXPECT_EQ(editor->Text(), "<B>Text</B> Gr\xF6\xDF" "e");
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("vorher"));
  editor->Source->undo();
  EXPECT_EQ(editor->Text(), "Text Gr\xF6\xDF" "e");

  // The selected letters keep their bytes.
  editor->Source->setSelection(0, 5, 0, 10);
  PopupItem(editor, "Italic")->trigger();
  EXPECT_EQ(editor->Text(), "Text <I>Gr\xF6\xDF" "e</I>");
  editor->Source->setSelection(0, 0, 0, 4);
  PopupItem(editor, "Comment")->trigger();
  EXPECT_EQ(editor->Text(), "<!-- Text --> <I>Gr\xF6\xDF" "e</I>");
  editor->Source->undo();
  EXPECT_EQ(editor->Text(), "Text <I>Gr\xF6\xDF" "e</I>");
}

TEST_F(EditorWindowTest, LinksAndPicturesAskForFileAndDescriptionAndTheChoicesHoldAcrossWindows) {
  folder_->MakeFolder("seiten");
  folder_->MakeFolder("bilder");
  const std::string logo = folder_->Write("bilder/logo.gif", "GIF89a");
  const std::string neighbour = folder_->Write("seiten/nachbar.htm", "");
  const QString file = QString::fromStdString(folder_->Write("seiten/seite.htm", "<P>x</P>"));
  TEditForm* editor = mainForm_->OpenEditorWindow(file);
  ASSERT_TRUE(editor);
  EXPECT_EQ(editor->PromptDlg, mainForm_->PromptDlg);
  QString title, startFolder;
  QStringList filters;
  QString answer;
  editor->RunOpenDialog = [&](QFileDialog& dialog) {
    title = dialog.windowTitle();
    startFolder = dialog.directory().absolutePath();
    filters = dialog.nameFilters();
    return answer;
  };

  // Cancelled: no question, no change.
  {
    TPromptAnswerer prompt([](TPromptDlg&) {});
    PopupItem(editor, QString::fromUtf8("URL einfügen..."))->trigger();
    EXPECT_EQ(prompt.Count, 0);
  }
  EXPECT_EQ(title, QString::fromUtf8("Datei wählen"));
  EXPECT_EQ(startFolder, Path("seiten"));
  ASSERT_EQ(filters.size(), 3);
  EXPECT_TRUE(filters[0].startsWith(QStringLiteral("Alle Dateien")));
  EXPECT_EQ(editor->Text(), "<P>x</P>");

  // A neighbour by its bare name; "Ohne" adds nothing.
  answer = QString::fromStdString(neighbour);
  editor->Source->setCursorPosition(0, 3);
  {
    TPromptAnswerer prompt([](TPromptDlg& dialog) {
      dialog.Edit1->setText(QStringLiteral("Nachbar"));
      dialog.OkBtn->click();
    });
    PopupItem(editor, QString::fromUtf8("URL einfügen..."))->trigger();
    EXPECT_EQ(prompt.Count, 1);
    EXPECT_EQ(prompt.Title, QStringLiteral("Beschreibung"));
    EXPECT_EQ(prompt.Prompt, QString::fromUtf8("Beschreibung für nachbar.htm eingeben:"));
    EXPECT_EQ(prompt.Initial, QStringLiteral("nachbar.htm"));
    EXPECT_FALSE(prompt.LayoutShown);
    EXPECT_TRUE(prompt.EditHasFocus);
  }
  EXPECT_EQ(editor->Text(), "<P><A HREF =\"nachbar.htm\">Nachbar</A>x</P>");
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("<A HREF =\"nachbar.htm\">Nachbar</A>"));

  // A picture in another folder, MIDDLE and <BR> chosen, by Ctrl+I.
  answer = QString::fromStdString(logo);
  editor->SetText("");
  {
    TPromptAnswerer prompt([](TPromptDlg& dialog) {
      dialog.Edit1->setText(QStringLiteral("Logo"));
      Choose(dialog.LineEndings, QStringLiteral("<BR>"));
      dialog.OkBtn->click();
    });
    QApplication::setActiveWindow(mainForm_);
    editor->Source->setFocus();
    QTest::keyClick(editor->Source, Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(prompt.Count, 1);
    EXPECT_TRUE(prompt.LayoutShown);
    EXPECT_EQ(prompt.Prompt, QString::fromUtf8("Beschreibung (ALT=\"\") für logo.gif eingeben:"));
  }
  EXPECT_EQ(title, QString::fromUtf8("Grafik wählen"));
  EXPECT_EQ(filters.size(), 4);
  EXPECT_EQ(editor->Text(), "<IMG SRC=\"../bilder/logo.gif\" ALT=\"Logo\" ALIGN=MIDDLE><BR>");

  // Ctrl+L is the link command, not the control's line cut.
  answer.clear();
  QApplication::setActiveWindow(mainForm_);
  QTest::keyClick(editor->Source, Qt::Key_L, Qt::ControlModifier);
  EXPECT_EQ(title, QString::fromUtf8("Datei wählen"));
  EXPECT_EQ(editor->Text(), "<IMG SRC=\"../bilder/logo.gif\" ALT=\"Logo\" ALIGN=MIDDLE><BR>");

  // A second window shares the dialog: the last choice is preselected, and
  // closing the dialog by its close box keeps the line ending of the last
  // "Ok" for the link and for the URL collection.
  folder_->MakeFolder("zweit");
  const QString second = QString::fromStdString(folder_->Write("zweit/b.htm", ""));
  TEditForm* other = mainForm_->OpenEditorWindow(second);
  ASSERT_TRUE(other);
  EXPECT_EQ(other->PromptDlg, editor->PromptDlg);
  other->RunOpenDialog = [&](QFileDialog&) { return QString::fromStdString(logo); };
  {
    TPromptAnswerer prompt([](TPromptDlg& dialog) {
      dialog.Edit1->setText(QStringLiteral("Bild"));
      Choose(dialog.LineEndings, QStringLiteral("<P>"));  // not confirmed
    });
    PopupItem(other, QString::fromUtf8("URL einfügen..."))->trigger();
    EXPECT_EQ(prompt.Count, 1);
    EXPECT_EQ(prompt.CheckedEnding, QStringLiteral("<BR>"));
  }
  EXPECT_EQ(other->Text(), "<A HREF =\"../bilder/logo.gif\">Bild</A><BR>");
  other->RunFolderDialog = [](QFileDialog&) { return Path("zweit"); };
  other->SetText("");
  other->mnuAllURLsClick();
  EXPECT_EQ(other->Text(), "<A HREF =\"b.htm\"></A><BR>\r\n");

  // The dialog as it was at the start, for the tests that follow.
  Choose(mainForm_->PromptDlg->LineEndings, QStringLiteral("Ohne"));
  mainForm_->PromptDlg->LineEnding.clear();
  mainForm_->PromptDlg->Alignment.clear();
}

TEST_F(EditorWindowTest, APictureBeforeAnyOkHasAnEmptyAlignmentAndNoLineEnding) {
  // A window of its own has a prompt dialog of its own, never confirmed.
  const std::string picture = folder_->Write("allein.bmp", "BM");
  const QString file = QString::fromStdString(folder_->Write("allein.htm", ""));
  TEditForm editor;
  EXPECT_NE(editor.PromptDlg, mainForm_->PromptDlg);
  QString error;
  ASSERT_TRUE(editor.LoadFile(file, error));
  // The picture dialog previews the picture under the cursor, and nothing
  // for a file that is not one.
  QImage image(400, 200, QImage::Format_RGB32);
  image.fill(Qt::red);
  const QString real = Path("gross.bmp");
  ASSERT_TRUE(image.save(real, "BMP"));
  QSize previewed;
  bool emptyForNonPicture = false;
  int previewRows = 0;
  editor.RunOpenDialog = [&](QFileDialog& dialog) {
    auto* preview = dialog.findChild<QLabel*>(QStringLiteral("Preview"));
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()); grid && preview) {
      // Beside the list only: the name and type rows keep their room.
      int row = 0, column = 0, columns = 0;
      grid->getItemPosition(grid->indexOf(preview), &row, &column, &previewRows, &columns);
    }
    if (preview) {
      emit dialog.currentChanged(real);
      previewed = preview->pixmap().size();
      emit dialog.currentChanged(QString::fromStdString(picture));
      emptyForNonPicture = preview->pixmap().isNull();
    }
    return QString::fromStdString(picture);
  };
  {
    TPromptAnswerer prompt([](TPromptDlg& dialog) {
      dialog.Edit1->setText(QStringLiteral("A \"<&"));
      Choose(dialog.LineEndings, QStringLiteral("<P>"));
    });
    editor.Grafikeinfgen1Click();
    EXPECT_EQ(prompt.Count, 1);
  }
  EXPECT_EQ(previewRows, 1);

  // The description exactly as typed.
  EXPECT_EQ(editor.Text(), "<IMG SRC=\"allein.bmp\" ALT=\"A \"<&\" ALIGN=>");
  EXPECT_EQ(editor.PromptDlg->LineEnding, "");
  EXPECT_EQ(previewed, QSize(160, 80));
  EXPECT_TRUE(emptyForNonPicture);
}

// The inspector's rows, in the order of the list.
QStringList InspectorRows(const TElementsForm* inspector) {
  QStringList rows;
  for (int i = 0; i < inspector->lbElem->count(); ++i) rows << inspector->lbElem->item(i)->text();
  return rows;
}

bool DocumentLoaded(TChildForm* child, const QString& name) {
  return child->wb->DocumentURL().endsWith(name) &&
         child->wb->EvaluateScript(QStringLiteral("document.readyState==='complete'")).toBool();
}

TEST_F(EditorWindowTest, TheInspectorListsTheFrameDocumentOfShowSourceAndChangesNothing) {
  TChildForm* child = mainForm_->BrowserWindows().value(0);
  ASSERT_TRUE(child);
  ASSERT_TRUE(WaitFor([child] { return ShowsStartPageInContentFrame(child); }));
  TElementsForm* inspector = mainForm_->ElementsForm;
  ASSERT_TRUE(inspector);
  EXPECT_FALSE(inspector->isVisible());
  EXPECT_EQ(inspector->windowTitle(), QStringLiteral("ElementsForm"));
  EXPECT_EQ(inspector->size(), QSize(870, 640));
  EXPECT_EQ(inspector->pos(), QPoint(192, 114));

  const QString markup = QStringLiteral(
      "(function(){return document.documentElement.outerHTML+'|'+frames[0].document.documentElement.outerHTML"
      "+'|'+frames[1].document.documentElement.outerHTML;})()");
  const QString before = child->wb->EvaluateScript(markup).toString();
  ASSERT_FALSE(before.isEmpty());
  const QStringList frameRows = child->wb->EvaluateScript(QStringLiteral(
      "Array.prototype.map.call(frames[1].document.getElementsByTagName('*'),function(e){return e.tagName;})"))
      .toStringList();
  ASSERT_FALSE(frameRows.isEmpty());

  // "Quelltext anzeigen" in the content frame: the inspector lists that
  // frame's document, not the frameset.
  const QPoint inFrame(260, 30);
  child->wbShowContextMenu(inFrame, child->wb->ElementAt(inFrame));
  child->ContextMenu->hide();
  child->acEdit->trigger();
  ASSERT_EQ(mainForm_->EditorWindows().size(), 1);
  TEditForm* editor = mainForm_->EditorWindows().first();
  ASSERT_TRUE(editor->ToolButton1->isEnabled());
  editor->ToolButton1->trigger();
  EXPECT_TRUE(inspector->isVisible());
  EXPECT_EQ(InspectorRows(inspector), frameRows);
  EXPECT_EQ(InspectorRows(inspector).value(0), QStringLiteral("HTML"));
  EXPECT_TRUE(inspector->Memo1->toPlainText().isEmpty());

  // A row's details: the body of the frame document.
  const int bodyRow = static_cast<int>(frameRows.indexOf(QStringLiteral("BODY")));
  ASSERT_GE(bodyRow, 0);
  inspector->lbElem->setCurrentRow(bodyRow);
  const QStringList details = inspector->Memo1->toPlainText().split(QLatin1Char('\n'));
  ASSERT_GE(details.size(), 11);
  EXPECT_EQ(details.first(), QStringLiteral("OUTERHTML"));
  EXPECT_TRUE(details.value(1).startsWith(QStringLiteral("<body")));
  EXPECT_EQ(details.last(), QStringLiteral("SrcIndex: %1").arg(bodyRow));

  // The document is as it was, also after every element was read.
  EXPECT_EQ(child->wb->EvaluateScript(markup).toString(), before);

  // Closing hides the window; it stays the program's one inspector.
  QPointer<TElementsForm> guard(inspector);
  inspector->close();
  Settle(20);
  EXPECT_TRUE(guard);
  EXPECT_FALSE(inspector->isVisible());

  // The frameset's own source ("Frame anzeigen") inspects the top-level
  // document; the call-up shows the hidden window again.
  for (QAction* action : child->ContextMenu->actions())
    if (action->text() == QStringLiteral("Frame anzeigen")) action->trigger();
  ASSERT_EQ(mainForm_->EditorWindows().size(), 2);
  TEditForm* frameset = mainForm_->EditorWindows().last();
  EXPECT_EQ(frameset->FileName(), Path("index.htm"));
  frameset->ToolButton1->trigger();
  EXPECT_TRUE(inspector->isVisible());
  EXPECT_TRUE(InspectorRows(inspector).contains(QStringLiteral("FRAMESET")));
  EXPECT_NE(InspectorRows(inspector), frameRows);
  EXPECT_EQ(child->wb->EvaluateScript(markup).toString(), before);
  inspector->close();
}

TEST_F(EditorWindowTest, TheInspectorShowsAMinimalDocumentsRowsAndDetailsAndKeepsItsSnapshot) {
  TempFolder pages;
  const QString minimal = QString::fromStdString(pages.Path()) + "minimal.htm";
  const QString other = QString::fromStdString(pages.Path()) + "other.htm";
  {
    std::ofstream(minimal.toStdString(), std::ios::binary)
        << "<html><head><title>T</title></head><body>"
           "<p id=\"a\" title=\"Gru&szlig;\">Hallo <a href=\"other.htm\">Welt</a></p></body></html>";
    std::ofstream(other.toStdString(), std::ios::binary) << "<html><body><div>x</div></body></html>";
  }
  TChildForm* browser = mainForm_->OpenBrowserWindow(minimal);
  ASSERT_TRUE(browser);
  ASSERT_TRUE(WaitFor([browser] { return DocumentLoaded(browser, QStringLiteral("minimal.htm")); }));
  const QString markup = QStringLiteral("document.documentElement.outerHTML");
  const QString before = browser->wb->EvaluateScript(markup).toString();

  const QPoint onText(20, 20);
  browser->wbShowContextMenu(onText, browser->wb->ElementAt(onText));
  browser->ContextMenu->hide();
  browser->acEdit->trigger();
  ASSERT_EQ(mainForm_->EditorWindows().size(), 1);
  TEditForm* editor = mainForm_->EditorWindows().first();
  EXPECT_EQ(editor->FileName(), minimal);
  editor->ToolButton1->trigger();
  TElementsForm* inspector = mainForm_->ElementsForm;
  EXPECT_EQ(InspectorRows(inspector), (QStringList{"HTML", "HEAD", "TITLE", "BODY", "P", "A"}));
  // The list taking the focus shows nothing yet.
  QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
  QApplication::sendEvent(inspector->lbElem, &focus);
  EXPECT_TRUE(inspector->Memo1->toPlainText().isEmpty());

  inspector->lbElem->setCurrentRow(4);
  EXPECT_EQ(inspector->Memo1->toPlainText(),
            QString::fromUtf8("OUTERHTML\n"
                              "<p id=\"a\" title=\"Gruß\">Hallo <a href=\"other.htm\">Welt</a></p>\n"
                              "INNERHTML\n"
                              "Hallo <a href=\"other.htm\">Welt</a>\n"
                              "OUTERTEXT\nHallo Welt\nINNERTEXT\nHallo Welt\n"
                              "ID: a\nTITLE: Gruß\nSrcIndex: 4"));
  inspector->lbElem->setCurrentRow(5);
  EXPECT_TRUE(inspector->Memo1->toPlainText().endsWith(QStringLiteral("ID: \nTITLE: \nSrcIndex: 5")));
  EXPECT_EQ(browser->wb->EvaluateScript(markup).toString(), before);

  // Another page in the browser: the inspector keeps its snapshot until it
  // is called up again.
  browser->wb->Navigate(other);
  ASSERT_TRUE(WaitFor([browser] { return DocumentLoaded(browser, QStringLiteral("other.htm")); }));
  EXPECT_EQ(InspectorRows(inspector).size(), 6);
  editor->ToolButton1->trigger();
  EXPECT_EQ(InspectorRows(inspector), (QStringList{"HTML", "HEAD", "BODY", "DIV"}));
  EXPECT_TRUE(inspector->Memo1->toPlainText().isEmpty());

  inspector->close();
  mainForm_->CloseChild(browser);
  EXPECT_TRUE(WaitFor([] { return mainForm_->BrowserWindows().size() == 1; }));
}

}  // namespace
}  // namespace folverin::testing

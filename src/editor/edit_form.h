// TEditForm: the source editor window. It shows a local file's bytes as
// Windows-1252 text in QScintilla with HTML colouring, tracks changes in its
// caption and status bar, and writes the text back through the editor core
// (umlaut entities, CR LF, the old version to the trash). Its menus are
// merged into the frame's menu bar while it is active.
#pragma once

#include <QDialog>
#include <QMainWindow>
#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

#include "common/ansi_string.h"
#include "common/file_search.h"
#include "editor/html_snippets.h"
#include "editor/link_check.h"

class QAction;
class QCheckBox;
class QComboBox;
class QToolButton;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QFileDialog;
class QLabel;
class QMenu;
class QPrinter;
class QToolBar;
class QsciLexerHTML;
class QsciScintilla;

namespace folverin {

class TElementsForm;
class TPromptDlg;

// The modeless find dialog and, with a replacement text and without a
// direction, the find-and-replace dialog.
class TFindDialog : public QDialog {
 public:
  TFindDialog(QWidget* parent, bool replace);
  QLineEdit* FindText = nullptr;
  QLineEdit* ReplaceText = nullptr;  // replace dialog only
  QCheckBox* WholeWord = nullptr;
  QCheckBox* MatchCase = nullptr;
  QRadioButton* Up = nullptr;  // find dialog only
  QRadioButton* Down = nullptr;
  QPushButton* FindNextButton = nullptr;
  QPushButton* ReplaceButton = nullptr;
  QPushButton* ReplaceAllButton = nullptr;
};

class TEditForm : public QMainWindow {
  Q_OBJECT
 public:
  // The prompt dialog is the program's shared one; without it the window
  // has one of its own.
  explicit TEditForm(QWidget* parent = nullptr, TPromptDlg* promptDlg = nullptr);

  // The edited file; the caption is this path, with "*" while Modified.
  QString FileName() const { return fileName_; }
  bool Modified() const { return modified_; }

  // Opens the file: its bytes become the text, Modified is cleared. On
  // failure the message to show ("Datei ... kann nicht geöffnet werden.
  // reason") and the text stays empty.
  bool LoadFile(const QString& fileName, QString& error);

  // The status bar's character count of the text (line breaks count two).
  size_t CharacterCount() const { return characterCount_; }

  // The text as the bytes it stands for (CR LF between lines), and its
  // replacement; both keep every byte value.
  AnsiString Text() const;
  void SetText(const AnsiString& text);

  // The commands.
  void mnuFileNewClick();
  void SaveBtnClick();
  void mnuFileSaveAsClick();
  // Print: the print dialog, then PrintText on the chosen printer.
  void PrintBtnClick();
  // Every line of the text as one printed line in the editor's font, page
  // after page; no header, footer, numbers or colours.
  void PrintText(QPrinter& printer);

  // Find and replace: from the caret, never wrapping around; a miss and an
  // empty search text only beep.
  void FindBtnClick();
  void ReplaceBtnClick();
  void mnuFindAgainClick();
  void DoFindText(TFindDialog& dialog);
  void ReplaceDlgReplace(bool all);
  TFindDialog* FindDlg = nullptr;
  TFindDialog* ReplaceDlg = nullptr;
  // The system beep; tests count it.
  std::function<void()> Beep;

  // The link check: the findings of the text marked in the gutter and
  // listed in LinksBox, their lines coloured; "Alle URLs sind korrekt!"
  // when there are none.
  void CheckBtnClick();
  // Puts the caret on the line of the selected finding.
  void LinksBoxClick();
  // The finding before or after the selected one; a beep at either end.
  void PrevBtnClick();
  void NextBtnClick();
  // The URL collection: one anchor line per file below a chosen folder,
  // inserted at the caret through the clipboard.
  void mnuAllURLsClick();
  // The insertion commands of the context menu. A snippet goes in at the
  // caret through the clipboard, which holds it afterwards; the wrapping
  // commands change a non-empty selection as one undo step.
  void InsertSnippet(const AnsiString& snippet);
  void WrapSelectionIn(TWrapCommand command);
  // A link to a chosen file, a picture tag for a chosen picture, with a
  // path relative to the edited file and the description asked by the
  // prompt dialog.
  void DateiLink1Click();
  void Grafikeinfgen1Click();
  // The link and picture commands show this file chooser, already set up
  // (title, filters, start folder; for pictures a preview named
  // "Preview"); the chosen file or empty when cancelled. Tests put their
  // own in place.
  std::function<QString(QFileDialog& dialog)> RunOpenDialog;
  TPromptDlg* const PromptDlg;
  // The context menu of the text.
  QMenu* PopupMenu1 = nullptr;

  // The browser document the window was opened for, which only the element
  // inspector reads: a way to run a script in the browser window's
  // top-level document, and the address of the document under the mouse at
  // the browser's last right click (empty for none). With both the
  // inspector and a way to run scripts the inspector's button is enabled.
  void SetBrowserDocument(TElementsForm* inspector, std::function<QVariant(const QString& script)> evaluate,
                          const QString& frameDocumentURL);
  // Calls up the inspector on that document.
  void ToolButton1Click();
  TElementsForm* ElementsForm = nullptr;
  QString FrameDocumentURL;

  // The findings of the last check, in the order of LinksBox.
  const std::vector<TLinkFinding>& LinkMarks() const { return marks_; }
  // Gutter markers of the two kinds, and the line colour markers.
  static constexpr int kExternalPicture = 1;
  static constexpr int kMissingPicture = 2;
  static constexpr int kMissingLine = 3;
  static constexpr int kExternalLine = 4;
  static constexpr int kMissingText = 8;  // indicator: white text
  static constexpr int kExternalText = 9;  // indicator: black text

  // The URL collection shows this folder chooser, already set up; the
  // chosen folder or empty when cancelled. Tests put their own in place.
  std::function<QString(QFileDialog& dialog)> RunFolderDialog;
  // The line ending that follows each collected link ("", "<BR>" or "<P>").
  std::function<AnsiString()> LinkLineEnding;
  // Shows the all-clear message; tests may look at it.
  std::function<void(const QString& text)> ShowMessage;

  // "Speichern unter" and "Neu" show this dialog, already set up (title,
  // filter, start folder); the chosen path or empty when cancelled. Tests
  // put their own in place.
  std::function<QString(QFileDialog& dialog)> RunSaveDialog;

  QsciScintilla* Source = nullptr;
  QsciLexerHTML* Lexer = nullptr;
  QToolBar* ToolBar = nullptr;
  QWidget* UrlPanel = nullptr;
  QComboBox* LinksBox = nullptr;
  QToolButton* PreBtn = nullptr;
  QToolButton* NextBtn = nullptr;
  QLabel* StatusPanels[4] = {};

  QAction* NewBtn = nullptr;
  QAction* SaveBtn = nullptr;
  QAction* PrintBtn = nullptr;
  QAction* FindBtn = nullptr;
  QAction* FindNextBtn = nullptr;
  QAction* ReplaceBtn = nullptr;
  QAction* CheckBtn = nullptr;
  QAction* ToolButton1 = nullptr;
  QAction* WordWrapBtn = nullptr;
  QAction* OfflineOnlyBtn = nullptr;
  QAction* mnuCheck = nullptr;  // "&URLs testen" (F5)

  // Menus merged into the frame's bar: "Datei" (group 0), "Bearbeiten"
  // (group 1) and the empty, disabled "Anzeige" (group 3).
  QMenu* mnuFile = nullptr;
  QMenu* mnuEdit = nullptr;
  QMenu* mnuView = nullptr;

 signals:
  // "Schliessen" and "Beenden": the frame closes this window or the program.
  void CloseRequested();
  void ExitRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateEditor();
  void CreateToolBar();
  void CreateStatusBar();
  void CreateMenus();
  void CreatePopupMenu();
  QString ChooseInsertedFile(const QString& title, const QString& filters, bool preview = false);
  void CreateUrlPanel(QWidget* parent);
  void DefineLinkMarks();
  void ClearLinkMarks();
  void MarkFinding(const TLinkFinding& finding, bool colourLine);
  void SourceChange();
  // Keeps characterCount_ up to date through a change the control reports
  // (before and after each insertion and deletion).
  void TallyChange(int position, int type, int length);
  // The count of the stretch from the character before start to the one
  // after end.
  size_t CountAround(long start, long end) const;
  void ShowCharacterCount();
  // Removes the trailing blanks of the lines changed since the caret came
  // to them, except the caret's own line.
  void TrimLeftLines(int caretLine);
  // Fills the gutter's numbers of the lines on the screen (soon: after the
  // control's painting).
  void ShowLineNumbers();
  void ShowLineNumbersSoon();
  void StatusUpdate();
  void UpdateCaption();
  // Asks whether the unsaved text is to be saved first, and saves it on
  // "Ja"; false only when that save failed.
  bool AskToSave();
  // Save; false when the file could not be written (the message is shown).
  bool Save();
  QString ChooseFile(const QString& title);
  void ReplaceText(const AnsiString& text);
  // Selects the next match between the selection and the end (or the
  // start, backwards); false when there is none.
  bool FindNext(const QString& text, bool matchCase, bool wholeWord, bool backwards);

  QString fileName_;
  bool modified_ = false;
  bool replacing_ = false;  // the text is being replaced, not edited
  bool closing_ = false;
  bool hadFocus_ = false;
  bool passingFocusOut_ = false;  // the caret stays visible once the editor had the focus
  size_t characterCount_ = 0;
  size_t countBeforeChange_ = 0;
  int editedFirstLine_ = -1;  // the lines changed by the user, -1 for none
  int editedLastLine_ = -1;
  bool trimming_ = false;
  int gutterDigits_ = 0;
  bool numbersPending_ = false;
  std::vector<TLinkFinding> marks_;
  TFileSearch searchURls_;
  bool collecting_ = false;
  bool closeAfterCollecting_ = false;
  std::function<QVariant(const QString& script)> evaluateInDocument_;
};

}  // namespace folverin

// TPromptDlg: the small dialog that asks for the description of an inserted
// link or picture, the markup that ends its line and, for pictures, the
// alignment. One instance serves every editor window, so the choices made
// with "Ok" hold from one use to the next, in whichever window.
#pragma once

#include <QDialog>
#include <QString>

#include "common/ansi_string.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace folverin {

class TPromptDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TPromptDlg(QWidget* parent = nullptr);

  // Both show the dialog modally with the title, the prompt line and the
  // initial description, and return the description however the dialog
  // was closed. The picture variant shows the "Layout:" group as well.
  QString AskLinkText(const QString& title, const QString& prompt, const QString& initial);
  QString AskPictureText(const QString& title, const QString& prompt, const QString& initial);

  // "Ok": stores the chosen line ending and alignment, then closes.
  void OkBtnClick();

  QLabel* Label1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QGroupBox* RadioGroup1 = nullptr;  // "Zeilenabschluß:"
  QGroupBox* RadioGroup2 = nullptr;  // "Layout:"
  QButtonGroup* LineEndings = nullptr;
  QButtonGroup* Layouts = nullptr;
  QPushButton* OkBtn = nullptr;

  // The markup after the inserted tag ("", "<BR>" or "<P>") and the value
  // after ALIGN=; both change only with "Ok" and are empty until then.
  AnsiString LineEnding;
  AnsiString Alignment;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QString Ask(const QString& title, const QString& prompt, const QString& initial, bool picture);
};

}  // namespace folverin

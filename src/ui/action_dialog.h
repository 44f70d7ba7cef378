// TActionDlg: the progress dialog of the full-text search. It exists once
// for the program; the browser window whose search runs registers itself in
// SearchWindow, and closing the dialog (button, Escape, close box) cancels
// that search.
#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;

namespace folverin {

class TChildForm;
class TSearchAnimation;

class TActionDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TActionDlg(QWidget* parent = nullptr);

  QPointer<TChildForm> SearchWindow;

  void ShowPath(const QString& path);
  QString ShownPath() const;
  bool IsAnimating() const;
  QPushButton* CancelBtn = nullptr;

  void reject() override;  // Escape

 protected:
  void showEvent(QShowEvent* event) override;  // FormShow
  void hideEvent(QHideEvent* event) override;  // FormHide
  void closeEvent(QCloseEvent* event) override;

 private:
  void CancelBtnClick();
  void FormClose();

  TSearchAnimation* Animate = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* DirLabel = nullptr;
};

}  // namespace folverin

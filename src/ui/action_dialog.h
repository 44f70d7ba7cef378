// TActionDlg: the progress dialog of the full-text search. It exists once
// for the program and belongs to the search run that showed it last;
// closing it (button, Escape, close box) cancels that run.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>

class QLabel;
class QPushButton;

namespace folverin {

class TSearchAnimation;

class TActionDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TActionDlg(QWidget* parent = nullptr);

  // Shows the dialog for a search run, unless it shows for that run
  // already; from now on closing it runs `cancel`. Runs are told apart by
  // their number (never 0).
  void ShowForRun(std::uint64_t run, const std::function<void()>& cancel);
  // The run has ended: the dialog goes when it belongs to that run or to no
  // run, and then belongs to none.
  void EndRun(std::uint64_t run);

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

  TSearchAnimation* animate_ = nullptr;
  QLabel* fileLabel_ = nullptr;
  QLabel* dirLabel_ = nullptr;
  std::uint64_t run_ = 0;
  std::function<void()> cancel_;
};

}  // namespace folverin

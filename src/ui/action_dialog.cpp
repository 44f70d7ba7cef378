#include "ui/action_dialog.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/search_animation.h"

namespace folverin {

TActionDlg::TActionDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint) {
  setWindowTitle(QStringLiteral("Alle HTML-Dokumente durchsuchen"));
  auto* panel = new QFrame(this);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setAutoFillBackground(true);
  panel->setBackgroundRole(QPalette::Base);
  animate_ = new TSearchAnimation(panel);
  auto* panelLayout = new QHBoxLayout(panel);
  panelLayout->addWidget(animate_);

  fileLabel_ = new QLabel(QStringLiteral("Datei:"), this);
  dirLabel_ = new QLabel(this);
  dirLabel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  dirLabel_->setMinimumWidth(340);
  dirLabel_->setTextFormat(Qt::PlainText);
  CancelBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
  connect(CancelBtn, &QPushButton::clicked, this, &TActionDlg::CancelBtnClick);

  auto* buttonRow = new QHBoxLayout;
  buttonRow->addStretch();
  buttonRow->addWidget(CancelBtn);
  buttonRow->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(panel);
  layout->addWidget(fileLabel_);
  layout->addWidget(dirLabel_);
  layout->addLayout(buttonRow);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TActionDlg::ShowForRun(std::uint64_t run, const std::function<void()>& cancel) {
  if (run_ == run) return;
  run_ = run;
  cancel_ = cancel;
  show();
}

void TActionDlg::EndRun(std::uint64_t run) {
  if (run_ != run && run_ != 0) return;
  run_ = 0;
  cancel_ = nullptr;
  hide();
}

void TActionDlg::ShowPath(const QString& path) {
  // Long paths are cut in the middle so that the file name stays readable.
  const int room = std::max(dirLabel_->width() - 8, 100);
  dirLabel_->setText(dirLabel_->fontMetrics().elidedText(path, Qt::ElideMiddle, room));
  dirLabel_->setToolTip(path);
}

QString TActionDlg::ShownPath() const { return dirLabel_->toolTip(); }

bool TActionDlg::IsAnimating() const { return animate_->IsActive(); }

void TActionDlg::showEvent(QShowEvent* event) {
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
  animate_->Start();
  QDialog::showEvent(event);
}

void TActionDlg::hideEvent(QHideEvent* event) {
  animate_->Stop();
  QDialog::hideEvent(event);
}

void TActionDlg::CancelBtnClick() { FormClose(); }

void TActionDlg::reject() { FormClose(); }

void TActionDlg::closeEvent(QCloseEvent* event) {
  event->ignore();
  FormClose();
}

void TActionDlg::FormClose() {
  // A copy: the cancel may end the run, which lets go of the dialog's own.
  if (const std::function<void()> cancel = cancel_) cancel();
  hide();
}

}  // namespace folverin

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
  Animate = new TSearchAnimation(panel);
  auto* panelLayout = new QHBoxLayout(panel);
  panelLayout->addWidget(Animate);

  Label1 = new QLabel(QStringLiteral("Datei:"), this);
  DirLabel = new QLabel(this);
  DirLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  DirLabel->setMinimumWidth(340);
  DirLabel->setTextFormat(Qt::PlainText);
  CancelBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
  connect(CancelBtn, &QPushButton::clicked, this, &TActionDlg::CancelBtnClick);

  auto* buttonRow = new QHBoxLayout;
  buttonRow->addStretch();
  buttonRow->addWidget(CancelBtn);
  buttonRow->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(panel);
  layout->addWidget(Label1);
  layout->addWidget(DirLabel);
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
  const int room = std::max(DirLabel->width() - 8, 100);
  DirLabel->setText(DirLabel->fontMetrics().elidedText(path, Qt::ElideMiddle, room));
  DirLabel->setToolTip(path);
}

QString TActionDlg::ShownPath() const { return DirLabel->toolTip(); }

bool TActionDlg::IsAnimating() const { return Animate->IsActive(); }

void TActionDlg::showEvent(QShowEvent* event) {
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
  Animate->Start();
  QDialog::showEvent(event);
}

void TActionDlg::hideEvent(QHideEvent* event) {
  Animate->Stop();
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

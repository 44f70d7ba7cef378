#include "ui/create_index_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/app_settings.h"
#include "common/scope_guard.h"
#include "qtcommon/error_box.h"
#include "qtcommon/event_pump.h"
#include "qtcommon/qt_text.h"

namespace folverin {

namespace {

QLabel* SunkenText() {
  auto* label = new QLabel;
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setMinimumWidth(320);
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

TCreateIDXForm::TCreateIDXForm(const TAppSettings& settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      settings_(settings) {
  setWindowTitle(QStringLiteral("Index erstellen"));
  setModal(true);
  StaticPath = SunkenText();
  StaticFile = SunkenText();
  StaticWords = SunkenText();
  StaticAction = SunkenText();
  auto* grid = new QGridLayout;
  const QString captions[] = {QStringLiteral("Pfad:"), QStringLiteral("Dokument:"),
                              QStringLiteral("Schlüsselworte:"), QStringLiteral("Aktion:")};
  QLabel* values[] = {StaticPath, StaticFile, StaticWords, StaticAction};
  for (int row = 0; row < 4; ++row) {
    grid->addWidget(new QLabel(captions[row]), row, 0);
    grid->addWidget(values[row], row, 1);
  }
  ProgressBar = new QProgressBar;
  ProgressBar->setTextVisible(false);
  ProgressBar->hide();
  CancelBtn = new QPushButton(QStringLiteral("Abbrechen"));
  CancelBtn->setDefault(true);
  connect(CancelBtn, &QPushButton::clicked, this, &TCreateIDXForm::CancelBtnClick);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(ProgressBar);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // The window shows what the build does at most twenty times a second
  // and lets events in as often; the cancel button answers within that.
  builder_.Hooks.Pump = ThrottledEventPump();
  builder_.Hooks.OnAction = [this](const AnsiString& action) { SetAction(action); };
  builder_.Hooks.OnFolder = [this](const AnsiString& folder) { StaticPath->setText(FromAnsi(folder)); };
  builder_.Hooks.OnDocument = [this](const AnsiString& name) { StaticFile->setText(FromAnsi(name)); };
  builder_.Hooks.OnWords = [this](size_t words) { StaticWords->setText(QString::number(words)); };
  builder_.Hooks.OnProgress = [this](int position, int maximum) {
    ProgressBar->setMaximum(std::max(maximum, position));
    ProgressBar->setValue(position);
    ProgressBar->show();
  };
}

void TCreateIDXForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (parentWidget()) move(parentWidget()->geometry().center() - rect().center());
  // Once the dialog is on the screen, as its activation did.
  if (!building_) QTimer::singleShot(0, this, &TCreateIDXForm::BuildIndex);
}

void TCreateIDXForm::SetAction(const AnsiString& action) { StaticAction->setText(FromAnsi(action)); }

void TCreateIDXForm::BuildIndex() {
  if (building_ || !isVisible()) return;
  building_ = true;
  CancelBtn->setText(QStringLiteral("Abbrechen"));
  StaticPath->clear();
  StaticFile->clear();
  StaticWords->clear();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  {
    const TScopeGuard normalCursor([] { QApplication::restoreOverrideCursor(); });
    outcome_ = builder_.BuildIndex(settings_);
  }
  building_ = false;
  ProgressBar->hide();
  CancelBtn->setText(QStringLiteral("Schliessen"));
  SetAction(outcome_.FinalAction);
  switch (outcome_.Result) {
    case TIndexBuildResult::Done:
      if (!outcome_.Skipped.empty())
        StaticFile->setText(QStringLiteral("%1 Dokumente übersprungen").arg(outcome_.Skipped.size()));
      QApplication::beep();
      break;
    case TIndexBuildResult::Cancelled:
      break;
    case TIndexBuildResult::Failed:
      if (outcome_.ErrorMessage) ShowErrorBox(this, FromAnsi(*outcome_.ErrorMessage));
      break;
  }
}

void TCreateIDXForm::CancelBtnClick() {
  if (building_) {
    builder_.Cancel();
    SetAction(kActionCancelled);
    CancelBtn->setText(QStringLiteral("Schliessen"));
    return;
  }
  accept();
}

void TCreateIDXForm::reject() { CancelBtnClick(); }

void TCreateIDXForm::closeEvent(QCloseEvent* event) {
  // The build runs inside this dialog's handlers: closing stops it first.
  if (building_) {
    event->ignore();
    CancelBtnClick();
    return;
  }
  QDialog::closeEvent(event);
}

}  // namespace folverin

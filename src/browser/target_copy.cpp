#include "browser/target_copy.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

#include "qtcommon/application_title.h"
#include "qtcommon/qt_text.h"

namespace folverin {

namespace {

struct TCopyJob {
  QWidget* Owner = nullptr;
  QProgressDialog* Progress = nullptr;
  bool ReplaceAll = false;
  bool Failed = false;
};

// Whether an existing file may be replaced.
bool MayReplace(TCopyJob& job, const QString& target) {
  if (job.ReplaceAll) return true;
  QMessageBox box(QMessageBox::Question, ApplicationTitle(),
                  QStringLiteral("Die Datei \"%1\" ist bereits vorhanden.\nSoll sie ersetzt werden?")
                      .arg(QDir::toNativeSeparators(target)),
                  QMessageBox::NoButton, job.Owner);
  QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
  QPushButton* all = box.addButton(QStringLiteral("Alle &ersetzen"), QMessageBox::YesRole);
  box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
  box.exec();
  if (box.clickedButton() == all) job.ReplaceAll = true;
  return box.clickedButton() == yes || box.clickedButton() == all;
}

void CopyFile(TCopyJob& job, const QString& source, const QString& target) {
  job.Progress->setLabelText(QDir::toNativeSeparators(source));
  job.Progress->setValue(job.Progress->value() + 1);
  QApplication::processEvents();
  if (QFileInfo::exists(target)) {
    if (!MayReplace(job, target)) return;
    QFile::remove(target);
  }
  if (!QFile::copy(source, target)) job.Failed = true;
}

}  // namespace

bool CopyIntoFolder(QWidget* owner, const TCopyPlan& plan, const QString& targetFolder) {
  QProgressDialog progress(QStringLiteral("Kopieren..."), QStringLiteral("Abbrechen"), 0,
                           static_cast<int>(plan.FileCount), owner);
  progress.setWindowTitle(QStringLiteral("Kopieren"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(500);
  TCopyJob job{owner, &progress};
  // What the plan could not take is not copied either.
  job.Failed = !plan.Left.empty();
  for (const TCopyStep& step : plan.Steps) {
    if (progress.wasCanceled()) break;
    const QString target = FromAnsi(step.Target);
    if (step.Kind == TCopyStepKind::MakeFolder) {
      if (!QDir().mkpath(target)) job.Failed = true;
    } else {
      CopyFile(job, FromAnsi(step.Source), target);
    }
  }
  progress.setValue(progress.maximum());
  if (job.Failed) {
    QMessageBox::warning(owner, ApplicationTitle(),
                         QStringLiteral("Nicht alle Dateien konnten nach \"%1\" kopiert werden.")
                             .arg(QDir::toNativeSeparators(targetFolder)));
  }
  return !job.Failed && !progress.wasCanceled();
}

}  // namespace folverin

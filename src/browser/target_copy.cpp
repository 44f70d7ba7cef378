#include "browser/target_copy.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

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
  QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(),
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

void CopyEntry(TCopyJob& job, const QFileInfo& source, const QString& targetFolder) {
  if (job.Progress->wasCanceled()) return;
  const QString target = QDir(targetFolder).filePath(source.fileName());
  if (source.isDir()) {
    // The target may lie inside the folder being copied: that part is not
    // copied into itself.
    const QString from = source.absoluteFilePath();
    const QString into = QDir(targetFolder).absolutePath();
    if (into == from || into.startsWith(from + QLatin1Char('/'))) return;
    if (!QDir().mkpath(target)) {
      job.Failed = true;
      return;
    }
    for (const QString& entry : FolderEntries(source.absoluteFilePath()))
      CopyEntry(job, QFileInfo(entry), target);
    return;
  }
  job.Progress->setLabelText(QDir::toNativeSeparators(source.absoluteFilePath()));
  job.Progress->setValue(job.Progress->value() + 1);
  QApplication::processEvents();
  if (QFileInfo(target).absoluteFilePath() == source.absoluteFilePath()) return;
  if (QFileInfo::exists(target)) {
    if (!MayReplace(job, target)) return;
    QFile::remove(target);
  }
  if (!QFile::copy(source.absoluteFilePath(), target)) job.Failed = true;
}

int CountFiles(const QStringList& sources) {
  int count = 0;
  for (const QString& source : sources) {
    const QFileInfo info(source);
    count += info.isDir() ? CountFiles(FolderEntries(source)) : 1;
  }
  return count;
}

}  // namespace

QStringList FolderEntries(const QString& folder) {
  QStringList entries;
  const QDir dir(folder);
  for (const QString& name : dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                           QDir::System, QDir::Name | QDir::IgnoreCase))
    entries << dir.filePath(name);
  return entries;
}

bool CopyIntoFolder(QWidget* owner, const QStringList& sources, const QString& targetFolder) {
  QProgressDialog progress(QStringLiteral("Kopieren..."), QStringLiteral("Abbrechen"), 0,
                           CountFiles(sources), owner);
  progress.setWindowTitle(QStringLiteral("Kopieren"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(500);
  TCopyJob job{owner, &progress};
  for (const QString& source : sources) CopyEntry(job, QFileInfo(source), targetFolder);
  progress.setValue(progress.maximum());
  if (job.Failed) {
    QMessageBox::warning(owner, QApplication::applicationDisplayName(),
                         QStringLiteral("Nicht alle Dateien konnten nach \"%1\" kopiert werden.")
                             .arg(QDir::toNativeSeparators(targetFolder)));
  }
  return !job.Failed && !progress.wasCanceled();
}

}  // namespace folverin

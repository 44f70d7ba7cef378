#include "browser/user_data.h"

#include <QDateTime>
#include <QDir>
#include <QStandardPaths>

#include "qtcommon/qt_text.h"

namespace folverin {

namespace {

QString& DataFolderInPlace() {
  static QString folder;
  return folder;
}

}  // namespace

QString UserDataFolder() {
  const QString& inPlace = DataFolderInPlace();
  if (!inPlace.isEmpty()) return inPlace;
  // What AppDataLocation gives for the organisation and application of the
  // user settings; the application object does not carry the two names,
  // because the toolkit would then append its name to every window caption.
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Brevimar/Folverin");
}

void SetUserDataFolder(const QString& folder) { DataFolderInPlace() = folder; }

QString FavoritesFolder() { return UserDataFolder() + QStringLiteral("/Favoriten"); }

QString HistoryLogPath() { return UserDataFolder() + QStringLiteral("/Verlauf.log"); }

TLocalTime LocalNow() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate date = now.date();
  const QTime time = now.time();
  using namespace std::chrono;
  return local_days(year(date.year()) / static_cast<unsigned>(date.month()) / static_cast<unsigned>(date.day())) +
         hours(time.hour()) + minutes(time.minute()) + seconds(time.second());
}

void RecordHistoryVisit(const QString& address, const QString& title, const QString& resultPage) {
  const AnsiString where = ToAnsi(address);
  if (!IsHistoryAddress(where, ToAnsi(resultPage))) return;
  const QString folder = UserDataFolder();
  if (folder.isEmpty() || !QDir().mkpath(folder)) return;
  const QString shownTitle = title == address ? QString() : title;
  AppendHistoryVisit(ToAnsi(HistoryLogPath()), {LocalNow(), where, ToAnsi(shownTitle)});
}

}  // namespace folverin

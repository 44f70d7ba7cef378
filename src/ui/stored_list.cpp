#include "ui/stored_list.h"

#include <QSettings>
#include <string>

#include "app/recent_list.h"
#include "qtcommon/qt_text.h"

namespace folverin {

std::vector<AnsiString> ReadStoredList(QSettings& store, const QString& group) {
  store.beginGroup(group);
  std::vector<std::string> keys;
  for (const QString& key : store.childKeys()) keys.push_back(key.toStdString());
  std::vector<AnsiString> entries;
  for (const std::string& key : OrderRecentKeys(std::move(keys)))
    entries.push_back(ToAnsi(store.value(QString::fromStdString(key)).toString()));
  store.endGroup();
  return entries;
}

void WriteStoredList(QSettings& store, const QString& group, const std::vector<AnsiString>& entries) {
  store.remove(group);
  store.beginGroup(group);
  for (size_t i = 0; i < entries.size(); ++i) store.setValue(QStringLiteral("F%1").arg(i), FromAnsi(entries[i]));
  store.endGroup();
}

}  // namespace folverin

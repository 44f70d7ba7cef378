#include "qtcommon/german_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace folverin {

bool InstallGermanTranslations(QCoreApplication& app) {
  const QLocale german(QLocale::German, QLocale::Germany);
  QLocale::setDefault(german);
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  bool complete = true;
  for (const char* catalog : {"qtbase", "qtwebengine"}) {
    // Owned by the application; it lives as long as the program.
    auto* translator = new QTranslator(&app);
    if (translator->load(german, QString::fromLatin1(catalog), QStringLiteral("_"), folder)) {
      app.installTranslator(translator);
    } else {
      delete translator;
      complete = false;
    }
  }
  return complete;
}

}  // namespace folverin

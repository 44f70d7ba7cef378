// folverin [--collection DIR]: the viewer.
#include <QCommandLineParser>
#include <QDir>
#include <QTimer>

#include <unistd.h>

#include <cstdlib>

#include "browser/search_scheme.h"
#include "common/heap_reuse.h"
#include "qtcommon/german_translations.h"
#include "qtcommon/qt_text.h"
#include "ui/folverin_application.h"
#include "ui/main_form.h"

int main(int argc, char** argv) {
  // The browser engine refuses to start its sandbox for root (as in a
  // container or a CI machine); the viewer shows local files only, so it
  // runs without the sandbox there rather than not at all.
  if (::geteuid() == 0) ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
  // The engine learns its schemes before the application object exists.
  folverin::RegisterSearchScheme();
  // The index builder reads every document of a collection in a row.
  folverin::KeepLargeBlocksInHeap();
  folverin::TFolverinApplication app(argc, argv);
  folverin::InstallGermanTranslations(app);
  QCommandLineParser parser;
  parser.addHelpOption();
  QCommandLineOption collection(QStringLiteral("collection"),
                                QStringLiteral("Sammlungsordner (statt des Programmordners)"),
                                QStringLiteral("DIR"));
  parser.addOption(collection);
  parser.process(app);

  // With --collection the program behaves as if its file were DIR/folverin.
  QString programFile = QCoreApplication::applicationFilePath();
  if (parser.isSet(collection))
    programFile = QDir(parser.value(collection)).absoluteFilePath(QStringLiteral("folverin"));

  folverin::TMainForm mainForm(folverin::ToAnsi(programFile));
  mainForm.show();
  // The first activation opens the start document; a desktop without a
  // window manager would never activate the window by itself.
  mainForm.activateWindow();
  QTimer::singleShot(0, &mainForm, [&mainForm] { mainForm.ReportStartupError(); });
  return app.exec();
}

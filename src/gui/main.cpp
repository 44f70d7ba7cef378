// folverin [--collection DIR | DIR | DIR/folverin.ini]: the viewer.
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QTimer>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "app/recent_collections.h"
#include "app/start_collection.h"
#include "browser/search_scheme.h"
#include "common/heap_reuse.h"
#include "common/windows1252.h"
#include "qtcommon/error_box.h"
#include "qtcommon/german_translations.h"
#include "qtcommon/qt_text.h"
#include "ui/folverin_application.h"
#include "ui/main_form.h"
#include "ui/open_collection.h"

namespace {

// The program icon in every size it is drawn in; a collection's own icon
// (the setting Icon) takes its place.
QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icons/folverin-%1.png").arg(size), QSize(size, size));
  return icon;
}

// The collection to open and the program file the viewer behaves as: the
// command line's, the one beside the program, or the one the user chooses.
// Nothing when the user cancels or the command line names no collection
// (after the message); exitCode says how the program ends then.
std::optional<folverin::AnsiString> StartProgramFile(const QCommandLineParser& parser,
                                                     const QCommandLineOption& collection, int& exitCode) {
  using namespace folverin;
  TStartArguments arguments;
  if (parser.isSet(collection)) arguments.CollectionOption = ToAnsi(parser.value(collection));
  for (const QString& argument : parser.positionalArguments()) arguments.Positional.push_back(ToAnsi(argument));
  arguments.ProgramFile = ToAnsi(QCoreApplication::applicationFilePath());
  arguments.CurrentFolder = ToAnsi(QDir::currentPath());
  TStartCollection start = ChooseStartCollection(arguments);
  if (start.Source == TStartSource::Refused) {
    std::fprintf(stderr, "%s\n", AnsiToUtf8(start.Error).c_str());
    ShowErrorBox(nullptr, FromAnsi(start.Error));
    exitCode = 1;
    return std::nullopt;
  }
  if (start.Source == TStartSource::AskForFolder) {
    const QString folder = ChooseCollectionFolder(nullptr, QStringLiteral("Folverin \u2013 Sammlung \u00F6ffnen"));
    if (folder.isEmpty()) {
      exitCode = 0;
      return std::nullopt;
    }
    start.Folder = NormalCollectionFolder(ToAnsi(folder), arguments.CurrentFolder);
    start.ProgramFile = CollectionProgramFile(start.Folder);
  }
  RememberCollection(start.Folder);
  return start.ProgramFile;
}

}  // namespace

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
  // The desktop entry that describes the program, and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("folverin"));
  QApplication::setWindowIcon(ProgramIcon());
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Betrachter f\u00FCr HTML-Sammlungen"));
  parser.addHelpOption();
  QCommandLineOption collection(QStringLiteral("collection"),
                                QStringLiteral("Sammlungsordner (statt des Programmordners)"),
                                QStringLiteral("DIR"));
  parser.addOption(collection);
  parser.addPositionalArgument(QStringLiteral("SAMMLUNG"),
                               QStringLiteral("Sammlungsordner oder seine folverin.ini, wie --collection"),
                               QStringLiteral("[SAMMLUNG]"));
  parser.process(app);

  // A collection named on the command line or chosen by the user: the
  // program behaves as if its file were DIR/folverin.
  int exitCode = 0;
  const auto programFile = StartProgramFile(parser, collection, exitCode);
  if (!programFile) return exitCode;

  folverin::TMainForm mainForm(*programFile);
  mainForm.show();
  // The first activation opens the start document; a desktop without a
  // window manager would never activate the window by itself.
  mainForm.activateWindow();
  QTimer::singleShot(0, &mainForm, [&mainForm] { mainForm.ReportStartupError(); });
  return app.exec();
}

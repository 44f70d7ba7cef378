// folverin [--collection DIR]: the viewer.
#include <QCommandLineParser>
#include <QDir>
#include <QTimer>

#include "common/qt_text.h"
#include "ui/folverin_application.h"
#include "ui/main_form.h"

int main(int argc, char** argv) {
  folverin::TFolverinApplication app(argc, argv);
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
  QTimer::singleShot(0, &mainForm, [&mainForm] { mainForm.ReportStartupError(); });
  return app.exec();
}

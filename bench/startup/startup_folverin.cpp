// The viewer's start, as src/gui/main.cpp does it, on the collection given
// as the only argument. Prints "loaded" once the first browser window has
// its start document complete, and ends at once.
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <cstdio>
#include <cstdlib>

#include "browser/browser_window.h"
#include "browser/search_scheme.h"
#include "qtcommon/qt_text.h"
#include "ui/folverin_application.h"
#include "ui/main_form.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  folverin::RegisterSearchScheme();
  folverin::TFolverinApplication app(argc, argv);
  const QString programFile = QDir(QString::fromLocal8Bit(argv[1])).absoluteFilePath("folverin");
  folverin::TMainForm mainForm(folverin::ToAnsi(programFile));
  QObject::connect(mainForm.MdiArea(), &QMdiArea::subWindowActivated, [](QMdiSubWindow* window) {
    auto* child = window ? qobject_cast<folverin::TChildForm*>(window->widget()) : nullptr;
    if (!child) return;
    QObject::connect(child->wb, &folverin::TEmbeddedBrowser::DocumentComplete, [](bool topLevel) {
      if (!topLevel) return;
      std::puts("loaded");
      std::fflush(stdout);
      std::_Exit(0);
    });
  });
  mainForm.show();
  mainForm.activateWindow();
  return app.exec();
}

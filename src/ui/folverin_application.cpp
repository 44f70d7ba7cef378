#include "ui/folverin_application.h"

#include <exception>

#include "qtcommon/error_box.h"

namespace folverin {

TFolverinApplication::TFolverinApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TFolverinApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowErrorBox(activeWindow(), QString::fromLocal8Bit(error.what()));
  } catch (...) {
    ShowErrorBox(activeWindow(), QStringLiteral("Unbekannter Fehler"));
  }
  return false;
}

}  // namespace folverin

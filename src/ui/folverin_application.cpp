#include "ui/folverin_application.h"

#include "qtcommon/error_box.h"

namespace folverin {

TFolverinApplication::TFolverinApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TFolverinApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  RunGuarded(activeWindow(), [&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

}  // namespace folverin

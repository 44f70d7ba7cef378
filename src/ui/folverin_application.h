// The application object: owns the program-wide windows and makes sure no
// exception leaves an event handler; such errors go to the standard error
// box and the program continues with the next message.
#pragma once

#include <QApplication>

namespace folverin {

class TFolverinApplication : public QApplication {
 public:
  TFolverinApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace folverin

// The application's standard error box: the error's message with a full stop
// appended, the application title as caption, an error icon and OK.
#pragma once

#include <QString>
#include <exception>
#include <utility>

class QWidget;

namespace folverin {

void ShowErrorBox(QWidget* parent, const QString& message);

// Runs a command of a window so that no exception leaves it into the event
// loop: whatever goes wrong is shown in the error box instead.
template <typename F>
void RunGuarded(QWidget* owner, F&& command) {
  try {
    std::forward<F>(command)();
  } catch (const std::exception& error) {
    ShowErrorBox(owner, QString::fromLocal8Bit(error.what()));
  } catch (...) {
    ShowErrorBox(owner, QStringLiteral("Unbekannter Fehler"));
  }
}

// The full text the box shows for a message.
QString ErrorBoxText(const QString& message);

}  // namespace folverin

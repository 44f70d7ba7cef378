// What the browser window tests share: a collection written into a
// temporary folder, a main window on it, and waiting with the message loop
// running.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

#include "browser/browser_window.h"
#include "browser/shell_open.h"
#include "test_support/temp_folder.h"
#include "ui/main_form.h"

namespace folverin::testing {

// Runs the message loop until the condition holds or the time is up.
inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 15000) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > timeoutMs) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    // Closed windows go with deleteLater, which the loop of a test does
    // not run by itself.
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  return true;
}

// Lets the message loop run for a while (to see that something does NOT
// happen).
inline void Settle(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

// Answers the next message box that opens: records its text and closes it.
class TMessageBoxCatcher {
 public:
  TMessageBoxCatcher() {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible()) return;
      Text = box->text();
      Icon = box->icon();
      ++Count;
      box->done(QMessageBox::Ok);
    });
    timer_.start();
  }
  QString Text;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  int Count = 0;

 private:
  QTimer timer_;
};

// Stands in for the desktop's opener while it lives and records what the
// program hands to it.
class TShellRecorder {
 public:
  TShellRecorder() {
    SetShellOpener([this](const QString& target) {
      Opened << target;
      return Succeed;
    });
  }
  ~TShellRecorder() { SetShellOpener({}); }
  QStringList Opened;
  bool Succeed = true;
};

}  // namespace folverin::testing

#include "qtcommon/error_box.h"

#include <QApplication>
#include <QMessageBox>

#include "qtcommon/application_title.h"

namespace folverin {

QString ErrorBoxText(const QString& message) { return message + QLatin1Char('.'); }

void ShowErrorBox(QWidget* parent, const QString& message) {
  QMessageBox box(QMessageBox::Critical, ApplicationTitle(),
                  ErrorBoxText(message), QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace folverin

// The application's standard error box: the error's message with a full stop
// appended, the application title as caption, an error icon and OK.
#pragma once

#include <QString>

class QWidget;

namespace folverin {

void ShowErrorBox(QWidget* parent, const QString& message);

// The full text the box shows for a message.
QString ErrorBoxText(const QString& message);

}  // namespace folverin

// The application's title: the caption of the main window and of every
// message box. Kept here rather than as the toolkit's display name, which
// the toolkit would append to the caption of every window and dialog.
#pragma once

#include <QString>

namespace folverin {

// "Folverin" until the main window sets the collection's title.
QString ApplicationTitle();
void SetApplicationTitle(const QString& title);

}  // namespace folverin

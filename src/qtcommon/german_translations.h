// The program speaks German whatever the system's locale: the toolkit's own
// dialogs (print, page setup, print preview, file dialogs, message box
// buttons) and the web engine's context menu, script dialogs and error pages.
#pragma once

class QCoreApplication;

namespace folverin {

// Makes German the default locale (the web engine takes its language from
// it when it starts, so this runs before the first web view) and installs
// the German translations of the toolkit and of the web engine into app.
// False when a translation file is missing: the program then runs with the
// toolkit's English texts.
bool InstallGermanTranslations(QCoreApplication& app);

}  // namespace folverin

// ShellOpen: opens a document or address with the program the desktop
// associates with it; reports a failure itself in a message box.
#pragma once

#include <QString>
#include <functional>

namespace folverin {

void ShellOpen(const QString& target);

// The opener ShellOpen uses; true on success. Tests put their own in place
// (an empty function restores the desktop's).
using TShellOpener = std::function<bool(const QString& target)>;
void SetShellOpener(TShellOpener opener);

// The failure message: the system's sentence, a line break and the target
// in parentheses.
QString ShellOpenFailureText(const QString& systemMessage, const QString& target);

}  // namespace folverin

#include "browser/shell_open.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>

#include "browser/embedded_browser.h"
#include "qtcommon/application_title.h"

namespace folverin {

namespace {

TShellOpener& Opener() {
  static TShellOpener opener;
  return opener;
}

bool DesktopOpen(const QString& target) {
  return QDesktopServices::openUrl(TEmbeddedBrowser::AddressToUrl(target));
}

}  // namespace

void SetShellOpener(TShellOpener opener) { Opener() = std::move(opener); }

QString ShellOpenFailureText(const QString& systemMessage, const QString& target) {
  return systemMessage + QStringLiteral("\r\n(") + target + QLatin1Char(')');
}

void ShellOpen(const QString& target) {
  const bool opened = Opener() ? Opener()(target) : DesktopOpen(target);
  if (opened) return;
  QMessageBox::information(
      QApplication::activeWindow(), ApplicationTitle(),
      ShellOpenFailureText(
          QStringLiteral("Für dieses Dokument ist kein Programm zum Öffnen eingetragen, "
                         "oder es ist nicht vorhanden."),
          target));
}

}  // namespace folverin

#include "ui/main_form.h"

#include <QApplication>
#include <QIcon>
#include <QMdiArea>
#include <QScreen>

#include "common/qt_text.h"
#include "common/temp_dir.h"
#include "ui/error_box.h"

namespace folverin {

TMainForm::TMainForm(const AnsiString& programFile, QWidget* parent) : QMainWindow(parent) {
  mdiArea_ = new QMdiArea(this);
  mdiArea_->setBackground(Qt::white);
  setCentralWidget(mdiArea_);

  TSettingsEnvironment environment;
  environment.ProgramFile = programFile;
  environment.TempDir = GetTempDir();
  environment.DesignedWidth = kDesignedWidth;
  environment.DesignedHeight = kDesignedHeight;
  const QSize screen = QGuiApplication::primaryScreen()->size();
  environment.ScreenWidth = screen.width();
  environment.ScreenHeight = screen.height();
  environment.LoadIcon = [](const AnsiString& iconFile) -> std::optional<AnsiString> {
    const QIcon icon(FromAnsi(iconFile));
    if (icon.isNull() || icon.availableSizes().isEmpty())
      return AnsiString("Ung\xFCltiges Symbol: ") + iconFile;
    QApplication::setWindowIcon(icon);
    return std::nullopt;
  };
  TSettingsResult result = ReadAppSettings(environment);
  Settings = std::move(result.Settings);
  outcome_ = std::move(result.Outcome);
  ApplyOutcome();
}

void TMainForm::ApplyOutcome() {
  QApplication::setApplicationDisplayName(FromAnsi(outcome_.Caption));
  setWindowTitle(FromAnsi(outcome_.Caption));
  setWindowIcon(QApplication::windowIcon());
  resize(std::max(outcome_.Width, 1), std::max(outcome_.Height, 1));
  const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
  move(available.center() - rect().center());
  if (outcome_.EnterFullScreen) setWindowState(windowState() | Qt::WindowFullScreen);
}

void TMainForm::ReportStartupError() {
  if (outcome_.ErrorMessage) ShowErrorBox(this, FromAnsi(*outcome_.ErrorMessage));
}

}  // namespace folverin

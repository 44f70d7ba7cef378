// TMainForm: the program's frame window. It holds the settings for the whole
// run and applies what their reading returned.
#pragma once

#include <QMainWindow>

#include "app/app_settings.h"

class QMdiArea;

namespace folverin {

class TMainForm : public QMainWindow {
  Q_OBJECT
 public:
  // The designed client area.
  static constexpr int kDesignedWidth = 632;
  static constexpr int kDesignedHeight = 426;

  TMainForm(const AnsiString& programFile, QWidget* parent = nullptr);

  TAppSettings Settings;
  const TSettingsOutcome& StartupOutcome() const { return outcome_; }

  // Shows the error the settings reading ended with, if any.
  void ReportStartupError();

 private:
  void ApplyOutcome();

  TSettingsOutcome outcome_;
  QMdiArea* mdiArea_ = nullptr;
};

}  // namespace folverin

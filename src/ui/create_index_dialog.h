// TCreateIDXForm: the dialog "Index erstellen". Shown modally by the main
// window, it builds the keyword index at once: the folder, the document
// and its number of distinct words, the current step and the progress;
// "Abbrechen" stops the build, which then leaves the previous index as it
// was, and becomes "Schliessen" when the build has ended.
#pragma once

#include <QDialog>

#include "index/index_builder.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace folverin {

struct TAppSettings;

class TCreateIDXForm : public QDialog {
  Q_OBJECT
 public:
  TCreateIDXForm(const TAppSettings& settings, QWidget* parent = nullptr);

  QLabel* StaticPath = nullptr;
  QLabel* StaticFile = nullptr;
  QLabel* StaticWords = nullptr;
  QLabel* StaticAction = nullptr;
  QProgressBar* ProgressBar = nullptr;
  QPushButton* CancelBtn = nullptr;

  // The outcome of the last build (Done before the first).
  const TIndexBuildOutcome& Outcome() const { return outcome_; }
  // The build of this opening; runs once the dialog is shown.
  void BuildIndex();
  void CancelBtnClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void SetAction(const AnsiString& action);

  const TAppSettings& settings_;
  TIndexBuilder builder_;
  TIndexBuildOutcome outcome_;
  bool building_ = false;
};

}  // namespace folverin

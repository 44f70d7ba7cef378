// TAboutBox: the information dialog with the product name and version, the
// copyright line and a logo that a collection may replace by its own
// LOGO.BMP. Created once, hidden, at start-up and shown modally from the
// help menu.
#pragma once

#include <QDialog>
#include <optional>

#include "app/version_info.h"

class QLabel;
class QPushButton;

namespace folverin {

class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 363;
  static constexpr int kClientHeight = 297;

  // programFile is the file whose version strings are shown.
  TAboutBox(const AnsiString& appFolder, const AnsiString& programFile,
            const TVersionSource& versionSource, QWidget* parent = nullptr);

  // The picture error of a LOGO.BMP that could not be loaded; start-up
  // reports it.
  const std::optional<QString>& LogoError() const { return logoError_; }

  QLabel* LogoImage = nullptr;
  QLabel* VersionLabel = nullptr;
  QLabel* Copyright = nullptr;
  QLabel* SecondPicture = nullptr;
  QPushButton* InfoButton = nullptr;  // "&Info"
  QPushButton* OkButton = nullptr;    // "&Ok"

 protected:
  void showEvent(QShowEvent* event) override;  // FormShow

 private:
  void FormCreate(const AnsiString& appFolder);
  void InfoButtonClick();

  AnsiString programFile_;
  TGetVersionInfoFromFile versionInfo_;
  std::optional<QString> logoError_;
};

}  // namespace folverin

#include "ui/about_box.h"

#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "common/file_system.h"
#include "qtcommon/qt_text.h"

namespace folverin {

namespace {

constexpr int kPanelLeft = 8;
constexpr int kPanelTop = 8;
constexpr int kPanelWidth = 347;
constexpr int kPanelHeight = 248;

QPixmap BuiltInLogo() {
  QPixmap logo(319, 200);
  QPainter painter(&logo);
  QLinearGradient gradient(0, 0, 0, 200);
  gradient.setColorAt(0, QColor(0x1F, 0x4E, 0x79));
  gradient.setColorAt(1, QColor(0x9D, 0xC3, 0xE6));
  painter.fillRect(logo.rect(), gradient);
  painter.setPen(Qt::white);
  QFont font = painter.font();
  font.setPointSize(28);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(logo.rect(), Qt::AlignCenter, QStringLiteral("Folverin"));
  return logo;
}

QPixmap BuiltInSecondPicture() {
  QPixmap picture(202, 203);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor colours[] = {QColor(0x1F, 0x4E, 0x79), QColor(0x2E, 0x75, 0xB6), QColor(0x9D, 0xC3, 0xE6)};
  for (int i = 0; i < 3; ++i) {
    painter.setBrush(colours[i]);
    painter.setPen(Qt::NoPen);
    const int inset = 10 + i * 30;
    painter.drawEllipse(QRect(inset, inset, 202 - 2 * inset, 203 - 2 * inset));
  }
  return picture;
}

QLabel* CentredLabel(QWidget* parent, int top, bool bold) {
  auto* label = new QLabel(parent);
  label->setAlignment(Qt::AlignCenter);
  label->setGeometry(8, top, kPanelWidth - 16, 18);
  if (bold) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  return label;
}

}  // namespace

TAboutBox::TAboutBox(const AnsiString& appFolder, const AnsiString& programFile,
                     const TVersionSource& versionSource, QWidget* parent)
    : QDialog(parent), programFile_(programFile), versionInfo_(versionSource) {
  setFixedSize(kClientWidth, kClientHeight);
  auto* panel = new QFrame(this);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(2);
  panel->setGeometry(kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight);

  LogoImage = new QLabel(panel);
  LogoImage->setScaledContents(true);
  LogoImage->setGeometry(14, 8, 319, 200);
  LogoImage->setPixmap(BuiltInLogo());
  VersionLabel = CentredLabel(panel, 210, true);
  Copyright = CentredLabel(panel, 228, false);
  SecondPicture = new QLabel(panel);
  SecondPicture->setScaledContents(true);
  SecondPicture->resize(202, 203);
  SecondPicture->setPixmap(BuiltInSecondPicture());
  SecondPicture->hide();

  OkButton = new QPushButton(QStringLiteral("&Ok"), this);
  OkButton->setDefault(true);
  OkButton->setGeometry((kClientWidth - 75) / 2, kPanelTop + kPanelHeight + 8, 75, 25);
  connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
  // Out of sight on purpose: only Alt+I or the Tab key reach it.
  InfoButton = new QPushButton(QStringLiteral("&Info"), this);
  InfoButton->setGeometry(400, kPanelTop + kPanelHeight + 8, 75, 25);
  connect(InfoButton, &QPushButton::clicked, this, &TAboutBox::InfoButtonClick);
  FormCreate(appFolder);
}

void TAboutBox::FormCreate(const AnsiString& appFolder) {
  // Centred in the dialog's client area, as the panel's child.
  const QPoint inDialog(kClientWidth / 2 - SecondPicture->width() / 2, 16);
  SecondPicture->move(inDialog - QPoint(kPanelLeft, kPanelTop));
  const AnsiString logoFile = appFolder + "LOGO.BMP";
  if (!FileExists(logoFile)) return;
  // Read by the program's own reader, which takes regular files of a sane
  // size only; the toolkit would wait on a pipe put in the picture's place.
  const std::optional<std::string> bytes = ReadWholeFile(logoFile);
  QPixmap logo;
  if (bytes && logo.loadFromData(reinterpret_cast<const uchar*>(bytes->data()),
                                 static_cast<uint>(bytes->size()), "BMP"))
    LogoImage->setPixmap(logo);
  else
    logoError_ = QStringLiteral("Bitmap ist ung\u00FCltig");
}

void TAboutBox::showEvent(QShowEvent* event) {
  setWindowTitle(QStringLiteral("Folverin"));
  versionInfo_.SetFileName(programFile_);
  VersionLabel->setText(
      QStringLiteral("Folverin %1").arg(FromAnsi(versionInfo_.GetVersionValue("FileVersion"))));
  Copyright->setText(
      QStringLiteral("Copyright %1").arg(FromAnsi(versionInfo_.GetVersionValue("LegalCopyright"))));
  QDialog::showEvent(event);
}

void TAboutBox::InfoButtonClick() {
  LogoImage->setVisible(!SecondPicture->isHidden());
  SecondPicture->setVisible(SecondPicture->isHidden());
  VersionLabel->setVisible(SecondPicture->isHidden());
  Copyright->setVisible(SecondPicture->isHidden());
}

}  // namespace folverin

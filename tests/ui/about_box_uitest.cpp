#include "ui/about_box.h"

#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "browser/browser_test_support.h"
#include "qtcommon/qt_text.h"
#include "test_support/fake_version_source.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

using testing::TempFolder;
using testing::TFakeVersionSource;

AnsiString ProgramFile() { return ToAnsi(QCoreApplication::applicationFilePath()); }

TEST(AboutBox, ShowsVersionAndCopyrightOfTheProgram) {
  TempFolder folder;
  TFakeVersionSource source;
  source.Values = {{"CompanyName", "Brevimar"}, {"FileDescription", "Folverin"},
                   {"FileVersion", "1.2.0.5"},  {"InternalName", "folverin"},
                   {"LegalCopyright", "2026 Brevimar"}};
  TAboutBox box(folder.Path(), ProgramFile(), source);
  box.show();
  EXPECT_EQ(box.windowTitle(), QStringLiteral("Folverin"));
  EXPECT_EQ(box.VersionLabel->text(), QStringLiteral("Folverin 1.2.0.5"));
  EXPECT_EQ(box.Copyright->text(), QStringLiteral("Copyright 2026 Brevimar"));
  // Values are read again at every showing.
  box.hide();
  source.Values["FileVersion"] = "1.3.0.0";
  box.show();
  EXPECT_EQ(box.VersionLabel->text(), QStringLiteral("Folverin 1.3.0.0"));
}

TEST(AboutBox, MissingFileVersionHidesTheCopyrightAfterIt) {
  TempFolder folder;
  TFakeVersionSource source;
  source.Values = {{"CompanyName", "Brevimar"}, {"FileDescription", "Folverin"},
                   {"LegalCopyright", "2026 Brevimar"}};
  TAboutBox box(folder.Path(), ProgramFile(), source);
  box.show();
  EXPECT_EQ(box.VersionLabel->text(), QStringLiteral("Folverin "));
  EXPECT_EQ(box.Copyright->text(), QStringLiteral("Copyright "));
}

TEST(AboutBox, CompiledVersionIsShown) {
  TempFolder folder;
  const TCompiledVersionSource source;
  TAboutBox box(folder.Path(), ProgramFile(), source);
  box.show();
  TGetVersionInfoFromFile info(source);
  info.SetFileName(ProgramFile());
  ASSERT_FALSE(info.GetVersionValue("FileVersion").empty());
  EXPECT_EQ(box.VersionLabel->text(),
            QStringLiteral("Folverin ") + FromAnsi(info.GetVersionValue("FileVersion")));
}

TEST(AboutBox, AltITwiceReturnsToTheFirstState) {
  TempFolder folder;
  const TCompiledVersionSource source;
  TAboutBox box(folder.Path(), ProgramFile(), source);
  box.show();
  box.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
  // The button lies outside the client area: the access key is the way in.
  EXPECT_GE(box.InfoButton->x(), box.width());
  // A button pressed by its access key clicks a moment later.
  auto pressAltI = [&] {
    const bool shown = box.SecondPicture->isVisible();
    QTest::keyClick(&box, Qt::Key_I, Qt::AltModifier);
    EXPECT_TRUE(testing::WaitFor([&] { return box.SecondPicture->isVisible() != shown; }));
  };
  auto expectFirstState = [&](bool first) {
    EXPECT_EQ(box.LogoImage->isVisible(), first);
    EXPECT_EQ(box.VersionLabel->isVisible(), first);
    EXPECT_EQ(box.Copyright->isVisible(), first);
    EXPECT_EQ(box.SecondPicture->isVisible(), !first);
  };
  expectFirstState(true);
  pressAltI();
  expectFirstState(false);
  // The state lasts across showings.
  box.hide();
  box.show();
  expectFirstState(false);
  pressAltI();
  expectFirstState(true);
  // The second picture is centred in the dialog, 16 pixels from the top.
  EXPECT_EQ(box.SecondPicture->mapTo(&box, QPoint(0, 0)), QPoint(363 / 2 - 202 / 2, 16));
}

TEST(AboutBox, LogoFromTheCollectionFolder) {
  TempFolder folder;
  QImage image(10, 7, QImage::Format_RGB32);
  image.fill(Qt::red);
  // Found whatever the letter case on disk.
  ASSERT_TRUE(image.save(QString::fromStdString(folder.Path() + "logo.bmp"), "BMP"));
  const TCompiledVersionSource source;
  TAboutBox box(folder.Path(), ProgramFile(), source);
  EXPECT_FALSE(box.LogoError());
  EXPECT_EQ(box.LogoImage->pixmap().size(), QSize(10, 7));
  EXPECT_EQ(box.LogoImage->size(), QSize(319, 200));

  TempFolder broken;
  broken.Write("LOGO.BMP", std::string("BM\x00\x01garbage", 11));
  TAboutBox brokenBox(broken.Path(), ProgramFile(), source);
  EXPECT_TRUE(brokenBox.LogoError());
  EXPECT_EQ(brokenBox.LogoImage->pixmap().size(), QSize(319, 200));
}

}  // namespace
}  // namespace folverin

// The frame window's menus without any browser window: the main window is
// never shown, so its first activation (the start document) never happens.
#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

#include "app/recent_list.h"
#include "browser/browser_test_support.h"
#include "qtcommon/application_title.h"
#include "qtcommon/qt_text.h"
#include "test_support/temp_folder.h"
#include "ui/about_box.h"
#include "ui/action_dialog.h"
#include "ui/create_index_dialog.h"
#include "ui/main_form.h"

namespace folverin {
namespace {

using testing::TempFolder;

QStringList VisibleCaptions(const QList<QAction*>& actions) {
  QStringList captions;
  for (QAction* action : actions) {
    if (action->isVisible() && !action->isSeparator()) captions << action->text();
  }
  return captions;
}

std::unique_ptr<TMainForm> MainFormOn(const TempFolder& folder) {
  return std::make_unique<TMainForm>(folder.Path() + "folverin");
}

// One field of every Tools entry, in entry order.
std::vector<AnsiString> ToolField(const TMainForm& form, AnsiString TToolEntry::*field) {
  std::vector<AnsiString> values;
  for (const TToolEntry& entry : form.ToolEntries()) values.push_back(entry.*field);
  return values;
}

TEST(MainFormTools, DocumentedLinesGiveTheirEntriesAndTheMenuShows) {
  TempFolder folder;
  folder.Write("plugin32/Plugin32.txt",
               "  Rechner|Taschenrechner  \r\nEditor|&Editor|x\r\n\r\nNotiz|Notizen\r\n");
  auto form = MainFormOn(folder);
  EXPECT_TRUE(form->ToolsMenu()->menuAction()->isVisible());
  EXPECT_EQ(VisibleCaptions(form->ToolsMenu()->actions()),
            (QStringList{QStringLiteral("Taschenrechner"), QStringLiteral("&Editor")}));
  EXPECT_EQ(ToolField(*form, &TToolEntry::Program), (std::vector<AnsiString>{"Rechner", "Editor"}));
  EXPECT_EQ(ToolField(*form, &TToolEntry::Options), (std::vector<AnsiString>{"", "X"}));
  EXPECT_EQ(form->ToolCommandOf(0), form->Settings.AppFolder + "PLUGIN32/Rechner/Rechner");
  EXPECT_EQ(VisibleCaptions(form->menuBar()->actions()),
            (QStringList{QStringLiteral("&Datei"), QStringLiteral("&Tools"), QStringLiteral("A&nzeige"),
                         QStringLiteral("Fenster"), QStringLiteral("&Hilfe")}));
}

// The toolkit appends a display name, once one is set, to the caption of
// every window and dialog; the collection's title must reach the windows
// that show it without becoming one.
TEST(MainFormCaption, TheCollectionTitleIsTheCaptionAndNoWindowGetsItAppended) {
  TempFolder folder;
  folder.Write("folverin.ini", "[Global]\r\nTitle=Mein Buch\r\n");
  auto form = MainFormOn(folder);
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Mein Buch"));
  EXPECT_EQ(ApplicationTitle(), QStringLiteral("Mein Buch"));
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), QGuiApplication::applicationName());
}

// A window started in full-screen mode has never had its normal place;
// leaving full-screen mode gives it the size of the settings, not the
// screen's.
TEST(MainFormFullScreen, LeavingAFullScreenStartGivesTheSizeOfTheSettings) {
  TempFolder folder;
  folder.Write("folverin.ini", "[Global]\r\nWidth=640\r\nHeight=480\r\n[Layout]\r\nShowFullScreen=YES\r\n");
  auto form = MainFormOn(folder);
  ASSERT_TRUE(form->IsFullScreen());
  EXPECT_TRUE(form->isFullScreen());
  form->mnuFullScreenClick();
  QApplication::processEvents();
  EXPECT_FALSE(form->IsFullScreen());
  EXPECT_FALSE(form->isFullScreen());
  EXPECT_FALSE(form->isMaximized());
  EXPECT_EQ(form->size(), QSize(640, 480));
  form->hide();
}

// The same under a real window manager (run_under_window_manager.sh): the
// window comes back framed, with its title bar on the screen.
TEST(MainFormFullScreen, UnderAWindowManagerLeavingAFullScreenStartShowsTheTitleBar) {
  if (QGuiApplication::platformName() != QLatin1String("xcb"))
    GTEST_SKIP() << "needs X11 with a window manager";
  TempFolder folder;
  folder.Write("folverin.ini",
               "[Global]\r\nWidth=640\r\nHeight=480\r\nDocument=index.htm\r\n[Layout]\r\nShowFullScreen=YES\r\n");
  folder.Write("index.htm", "<HTML><BODY>Start</BODY></HTML>");
  auto form = MainFormOn(folder);
  const QRect screen = form->screen()->geometry();
  ASSERT_TRUE(testing::WaitFor([&] { return form->isVisible() && form->geometry() == screen; }));
  form->mnuFullScreenClick();
  const bool framed = testing::WaitFor([&] {
    return form->size() == QSize(640, 480) && form->geometry().top() > form->frameGeometry().top();
  }, 5000);
  EXPECT_TRUE(framed) << "geometry " << form->geometry().x() << "," << form->geometry().y() << " "
                      << form->width() << "x" << form->height() << ", frame top "
                      << form->frameGeometry().top();
  EXPECT_FALSE(form->isFullScreen());
  EXPECT_TRUE(screen.contains(form->frameGeometry()));
  form->hide();
}

TEST(MainFormTools, NoFileOrNoEntriesKeepsTheMenuHidden) {
  TempFolder none;
  EXPECT_FALSE(MainFormOn(none)->ToolsMenu()->menuAction()->isVisible());
  TempFolder emptyFirst;
  emptyFirst.Write("PLUGIN32/PLUGIN32.TXT", "\r\nRechner|Taschenrechner\r\n");
  auto form = MainFormOn(emptyFirst);
  EXPECT_FALSE(form->ToolsMenu()->menuAction()->isVisible());
  EXPECT_TRUE(ToolField(*form, &TToolEntry::Program).empty());
  EXPECT_TRUE(VisibleCaptions(form->ToolsMenu()->actions()).isEmpty());
}

TEST(MainFormTools, ChoosingAnEntryStartsItsProgram) {
  TempFolder folder;
  // The line names the program in other letter case than the disk.
  folder.Write("PLUGIN32/PLUGIN32.TXT", "nur eine Beschriftung\r\nmarker|&Marker\r\n");
  const std::string script = folder.Write("PLUGIN32/Marker/Marker",
                                          "#!/bin/sh\ntouch \"$(dirname \"$0\")/gestartet\"\n");
  std::filesystem::permissions(script, std::filesystem::perms::owner_all);
  auto form = MainFormOn(folder);
  const QList<QAction*> items = form->ToolsMenu()->actions();
  ASSERT_EQ(items.size(), 3);  // the hidden design-time entry, then the two lines
  // A line without "|" has no program: choosing it starts nothing, quietly.
  items[1]->trigger();
  items[2]->trigger();
  EXPECT_TRUE(testing::WaitFor(
      [&] { return std::filesystem::exists(folder.Path() + "PLUGIN32/Marker/gestartet"); }));
}

TEST(MainFormTools, TenThousandLinesAndBinaryBytes) {
  TempFolder folder;
  std::string text = std::string("\x01") + "Bin" + std::string(1, '\0') + "\xFF|\x81\x9D\xE4" +
                     std::string(1, '\0') + "X|\x02\r\n";
  for (int i = 0; i < 10000; ++i) text += "P" + std::to_string(i) + "|Werkzeug " + std::to_string(i) + "\r\n";
  folder.Write("PLUGIN32/PLUGIN32.TXT", text);
  auto form = MainFormOn(folder);
  ASSERT_EQ(ToolField(*form, &TToolEntry::Caption).size(), 10001u);
  EXPECT_EQ(form->ToolsMenu()->actions().size(), 10002);
  EXPECT_EQ(form->ToolsMenu()->actions().back()->text(), QStringLiteral("Werkzeug 9999"));
  // Bytes without a character in the code page do not break the caption.
  EXPECT_EQ(form->ToolsMenu()->actions()[1]->text().size(), 5);
  form->ToolsMenu()->actions()[1]->trigger();
}

TEST(MainFormWindowSize, EverySizeMovesToTheCornerAndSizes) {
  TempFolder folder;
  auto form = MainFormOn(folder);
  const QList<QAction*> items = form->WindowSizeMenu()->actions();
  ASSERT_EQ(items.size(), 5);
  EXPECT_TRUE(form->WindowSizeMenu()->menuAction()->isVisible());
  const QList<QSize> expected = {QSize(640, 480), QSize(800, 600), QSize(1024, 768), QSize(1280, 1024),
                                 QSize(1600, 1280)};
  for (int i = 0; i < items.size(); ++i) {
    form->move(50, 60);
    items[i]->trigger();
    EXPECT_EQ(form->pos(), QPoint(0, 0)) << i;
    EXPECT_EQ(form->frameGeometry().size(), expected[i]) << items[i]->text().toStdString();
    // Radio items: only the chosen one carries the check mark.
    for (int j = 0; j < items.size(); ++j) EXPECT_EQ(items[j]->isChecked(), i == j);
  }
  EXPECT_EQ(items[4]->text(), QStringLiteral("1600x1280"));
}

// Closes the builder dialog as soon as its build has ended.
class TBuilderCloser {
 public:
  TBuilderCloser() {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<TCreateIDXForm*>(QApplication::activeModalWidget());
      if (!dialog || dialog->CancelBtn->text() != QLatin1String("Schliessen")) return;
      FinalAction = dialog->StaticAction->text();
      dialog->CancelBtn->click();
    });
    timer_.start();
  }
  QString FinalAction;

 private:
  QTimer timer_;
};

TEST(MainFormCreateIndex, ClosingTheBuilderTestsTheIndexAgain) {
  TempFolder folder;
  folder.Write("seite.htm", "<HTML><BODY>Gartenhaus</BODY></HTML>");
  auto form = MainFormOn(folder);
  EXPECT_TRUE(form->CreateIndexItem()->isVisible());
  EXPECT_FALSE(form->Settings.IndexAvailable);
  EXPECT_FALSE(form->IndexSearchItem()->isVisible());
  TBuilderCloser closer;
  form->CreateIndexItem()->trigger();
  EXPECT_EQ(closer.FinalAction, QStringLiteral("FERTIG"));
  EXPECT_TRUE(form->Settings.IndexAvailable);
  // The quick search item keeps the visibility of the start.
  EXPECT_FALSE(form->IndexSearchItem()->isVisible());
  // A second build writes a lost file again.
  std::filesystem::remove(folder.Path() + "Index/Keyword.iDB");
  form->mnuCreateIndexClick();
  EXPECT_TRUE(form->Settings.IndexAvailable);
}

TEST(MainFormReadOnlyMedium, HidesIndexBuildingAndWindowSizes) {
  TempFolder folder;
  std::filesystem::permissions(folder.Path(), std::filesystem::perms::owner_read |
                                                  std::filesystem::perms::owner_exec);
  auto form = MainFormOn(folder);
  EXPECT_TRUE(form->Settings.ReadOnlyMedium);
  EXPECT_FALSE(form->CreateIndexItem()->isVisible());
  EXPECT_FALSE(form->WindowSizeMenu()->menuAction()->isVisible());
}

TEST(MainFormHelp, IndexItemFollowsTheHelpFileAndStaysDisabled) {
  TempFolder withHelp;
  withHelp.Write("folverin.ini", "[Global]\r\nHelp=hilfe.htm\r\n");
  withHelp.Write("hilfe.htm", "<html></html>");
  auto form = MainFormOn(withHelp);
  EXPECT_TRUE(form->HelpIndexItem()->isVisible());
  EXPECT_FALSE(form->HelpIndexItem()->isEnabled());
  TempFolder without;
  without.Write("folverin.ini", "[Global]\r\nHelp=hilfe.htm\r\n");
  EXPECT_FALSE(MainFormOn(without)->HelpIndexItem()->isVisible());
}

TEST(MainFormStartup, WindowsExistHiddenAndContextMenuIsTheRecentList) {
  TempFolder folder;
  auto form = MainFormOn(folder);
  ASSERT_NE(form->AboutBox, nullptr);
  ASSERT_NE(form->ActionDlg, nullptr);
  EXPECT_FALSE(form->AboutBox->isVisible());
  EXPECT_FALSE(form->ActionDlg->isVisible());
  form->AddRecent("/cd/a.htm");
  emit form->MdiArea()->customContextMenuRequested(QPoint(5, 5));
  EXPECT_TRUE(form->RecentMenu()->isVisible());
  EXPECT_TRUE(form->RecentMenu()->actions().value(0)->text().startsWith(QStringLiteral("&1 ")));
  form->RecentMenu()->hide();
}

TEST(MainFormStartup, UnreadableLogoIsReportedAndTheProgramGoesOn) {
  TempFolder folder;
  folder.Write("Logo.bmp", "kein Bild");
  auto form = MainFormOn(folder);
  testing::TMessageBoxCatcher catcher;
  form->ReportStartupError();
  EXPECT_EQ(catcher.Count, 1);
  EXPECT_EQ(catcher.Text, QStringLiteral("Bitmap ist ung\u00FCltig."));
  EXPECT_EQ(catcher.Icon, QMessageBox::Critical);
  EXPECT_EQ(form->AboutBox->LogoImage->pixmap().size(), QSize(319, 200));
}

}  // namespace
}  // namespace folverin

namespace folverin {
namespace {

TEST(MainFormRecentList, SurvivesARestartAndOddStoresDoNoHarm) {
  testing::TempFolder folder;
  QSettings(QStringLiteral("Brevimar"), QStringLiteral("Folverin")).remove(QStringLiteral("URLs"));
  {
    auto form = MainFormOn(folder);
    for (int i = 0; i < 26; ++i) form->AddRecent("/cd/seite" + std::to_string(i) + ".htm");
    form->AddRecent("/CD/SEITE3.HTM");
  }
  {
    auto form = MainFormOn(folder);
    const auto& entries = form->RecentList.Entries();
    ASSERT_EQ(entries.size(), 25u);
    EXPECT_EQ(entries.front(), "/cd/seite3.htm");
    EXPECT_EQ(entries[1], "/cd/seite25.htm");
    EXPECT_EQ(entries.back(), "/cd/seite1.htm");  // seite0 was the 26th, dropped
    EXPECT_EQ(form->RecentMenu()->actions().size(), 25);
  }
  {
    // A store edited by hand: a name that is no entry and more than 25.
    QSettings store(QStringLiteral("Brevimar"), QStringLiteral("Folverin"));
    store.beginGroup(FromAnsi(RecentListGroup(folder.Path())));
    store.setValue(QStringLiteral("Fremd"), QStringLiteral("/x.htm"));
    for (int i = 25; i < 40; ++i) store.setValue(QStringLiteral("F%1").arg(i), QStringLiteral("/y.htm"));
  }
  {
    auto form = MainFormOn(folder);
    EXPECT_EQ(form->RecentList.Entries().size(), 25u);
    EXPECT_EQ(form->RecentList.Entries().front(), "/cd/seite3.htm");
  }
  {
    // Missing numbers lose nothing, and F10 comes after F2.
    QSettings store(QStringLiteral("Brevimar"), QStringLiteral("Folverin"));
    store.remove(QStringLiteral("URLs"));
    store.beginGroup(FromAnsi(RecentListGroup(folder.Path())));
    store.setValue(QStringLiteral("F10"), QStringLiteral("/k.htm"));
    store.setValue(QStringLiteral("F0"), QStringLiteral("/a.htm"));
    store.setValue(QStringLiteral("F2"), QStringLiteral("/c.htm"));
  }
  auto form = MainFormOn(folder);
  EXPECT_EQ(form->RecentList.Entries(), (std::vector<AnsiString>{"/a.htm", "/c.htm", "/k.htm"}));
}

}  // namespace
}  // namespace folverin

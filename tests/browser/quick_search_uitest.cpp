// The keyword index as a reader uses it: "Index erstellen..." builds it in
// its dialog, the quick search window lists the keywords and the documents
// of one, and opens a document in the browser window's frame with the
// keyword selected there.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "browser/embedded_browser.h"
#include "browser_test_support.h"
#include "index/index_files.h"
#include "qtcommon/qt_text.h"
#include "ui/create_index_dialog.h"
#include "ui/index_form.h"

namespace folverin::testing {
namespace {

const char* const kIni =
    "[Global]\r\nTitle=Indexsammlung\r\nDocument=rahmen.htm\r\n"
    "[Index]\r\nTarget=Inhalt\r\nMinWordSize=4\r\n";

void WriteCollection(TempFolder& folder) {
  folder.Write("folverin.ini", kIni);
  folder.Write("rahmen.htm",
               "<HTML><HEAD><TITLE>Rahmen</TITLE></HEAD><FRAMESET COLS=\"30%,70%\">"
               "<FRAME NAME=\"Links\" SRC=\"links.htm\"><FRAME NAME=\"Inhalt\" SRC=\"leer.htm\">"
               "</FRAMESET></HTML>");
  folder.Write("links.htm", "<HTML><HEAD><TITLE>Links</TITLE></HEAD><BODY>Verzeichnis</BODY></HTML>");
  folder.Write("leer.htm", "<HTML><HEAD><TITLE>Leer</TITLE></HEAD><BODY>nichts</BODY></HTML>");
  folder.Write("teil/garten.htm",
               "<HTML><HEAD><TITLE> Im Garten </TITLE></HEAD><BODY><P>Das Gartenhaus steht im "
               "Garten, der Garten ist gro&szlig;. GARTEN!</P></BODY></HTML>");
  folder.Write("teil/kueche.htm",
               "<HTML><HEAD><TITLE>K&uuml;che</TITLE></HEAD><BODY><P>Gem&uuml;se aus dem Garten.</P></BODY></HTML>");
}

std::string Slurp(const TempFolder& folder, const char* relative) {
  std::ifstream in(folder.Path() + relative, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs "Index erstellen..." as the reader does: the modal dialog builds,
// then its button, now "Schliessen", closes it.
void CreateIndexThroughTheMenu(TMainForm& form, QString& finalAction) {
  QTimer closer;
  closer.setInterval(20);
  QObject::connect(&closer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<TCreateIDXForm*>(QApplication::activeModalWidget());
    if (!dialog || dialog->CancelBtn->text() != QLatin1String("Schliessen")) return;
    finalAction = dialog->StaticAction->text();
    dialog->CancelBtn->click();
  });
  closer.start();
  form.mnuCreateIndexClick();
}

TEST(QuickSearchWindow, BuildShowPickOpenAndHighlight) {
  TempFolder folder;
  WriteCollection(folder);
  auto form = std::make_unique<TMainForm>(folder.Path() + "folverin");
  ASSERT_FALSE(form->Settings.IndexAvailable);
  form->show();
  ASSERT_TRUE(WaitFor([&form] { return !form->BrowserWindows().isEmpty(); }));
  TChildForm* child = form->BrowserWindows().first();
  ASSERT_TRUE(WaitFor([child] { return child->windowTitle() == QLatin1String("Rahmen"); }));

  QString finalAction;
  CreateIndexThroughTheMenu(*form, finalAction);
  EXPECT_EQ(finalAction, QStringLiteral("FERTIG"));
  EXPECT_TRUE(form->Settings.IndexAvailable);

  TIndexForm* quick = form->QuickSearchWindow;
  ASSERT_TRUE(quick);
  EXPECT_TRUE(form->ToggleQuickSearchWindow());
  EXPECT_EQ(quick->windowTitle(), QStringLiteral("Schnellsuche"));
  EXPECT_EQ(quick->size(), QSize(470, 280));
  ASSERT_GT(quick->theList->count(), 0);

  // "Nur Substantive" hides the words in small letters.
  ASSERT_TRUE(quick->theList->findItems(QStringLiteral("steht"), Qt::MatchExactly).size() == 1);
  quick->CapitalsOnly->click();
  EXPECT_TRUE(quick->theList->findItems(QStringLiteral("steht"), Qt::MatchExactly).isEmpty());
  quick->CapitalsOnly->click();

  // Typing the beginning picks the first keyword that begins so (ASCII case
  // ignored) and lists its documents, most occurrences first.
  QTest::keyClicks(quick->SearchEdit, QStringLiteral("gart"));
  ASSERT_TRUE(WaitFor([quick] { return quick->CurrentKeyword == QLatin1String("Garten"); }, 3000));
  ASSERT_EQ(quick->SelectFile->rowCount(), 2);
  EXPECT_EQ(quick->SelectFile->item(0, 0)->text(), QStringLiteral("Im Garten"));
  EXPECT_EQ(quick->SelectFile->item(0, 1)->text(), QStringLiteral("teil/garten.htm"));
  EXPECT_EQ(quick->SelectFile->item(0, 2)->text(), QStringLiteral("3"));
  EXPECT_EQ(quick->SelectFile->item(1, 0)->text(), QStringLiteral("Küche"));
  EXPECT_EQ(quick->SelectFile->item(1, 2)->text(), QStringLiteral("1"));

  // Choosing the row opens the document in the frame and selects the
  // keyword there, found in any letter case.
  quick->SelectFile->selectRow(0);
  quick->SelectFileClick();
  const QString selection = QStringLiteral("frames[1].getSelection().toString()");
  ASSERT_TRUE(WaitFor([child, &selection] {
    return child->wb->EvaluateScript(selection).toString() == QLatin1String("Garten");
  }));
  EXPECT_TRUE(child->wb->EvaluateScript(QStringLiteral("frames[1].location.href")).toString().endsWith(
      QLatin1String("teil/garten.htm")));

  // Closing only hides it; the index button follows.
  quick->close();
  EXPECT_FALSE(quick->isVisible());
  EXPECT_FALSE(child->IndexBtn->isChecked());
  form->close();
  WaitFor([&form] { return form->MDITab->count() == 0; });
}

// A cancel keeps the previous index exactly as it was, and the button
// becomes "Schliessen".
TEST(QuickSearchWindow, CancelledBuildKeepsThePreviousIndex) {
  TempFolder folder;
  WriteCollection(folder);
  // Enough documents that the build still runs when the window next lets
  // events in.
  for (int i = 0; i < 2000; ++i)
    folder.Write("viele/d" + std::to_string(i) + ".htm", "<HTML><BODY><P>Wort Wort Wort</P></BODY></HTML>");
  folder.Write("Index/File.iDB", "alt\tAlt\r\n");
  folder.Write("Index/Link.iDB", "Altes\t1\t1\r\n");
  folder.Write("Index/Keyword.iDB", "Altes\r\n");
  TAppSettings settings;
  settings.AppFolder = folder.Path();
  settings.IndexFolder = folder.Path() + "Index";
  settings.MinWordSize = 4;
  TCreateIDXForm dialog(settings);
  // The build runs inside the dialog's handlers and lets timers in: the
  // click comes once the indexing pass is under way.
  QTimer canceller;
  canceller.setInterval(5);
  QObject::connect(&canceller, &QTimer::timeout, [&] {
    if (dialog.ProgressBar->isVisible() && dialog.ProgressBar->value() >= 10) {
      canceller.stop();
      dialog.CancelBtn->click();
    }
  });
  canceller.start();
  dialog.show();
  ASSERT_TRUE(WaitFor([&dialog] {
    return dialog.CancelBtn->text() == QLatin1String("Schliessen") && !dialog.ProgressBar->isVisible();
  }));
  EXPECT_EQ(dialog.StaticAction->text(), QStringLiteral("Abbrechen"));
  EXPECT_EQ(dialog.Outcome().Result, TIndexBuildResult::Cancelled);
  EXPECT_EQ(Slurp(folder, "Index/File.iDB"), "alt\tAlt\r\n");
  EXPECT_EQ(Slurp(folder, "Index/Link.iDB"), "Altes\t1\t1\r\n");
  EXPECT_EQ(Slurp(folder, "Index/Keyword.iDB"), "Altes\r\n");
  dialog.CancelBtn->click();
  EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace folverin::testing

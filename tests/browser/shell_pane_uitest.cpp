// The favourites and history pane of a browser window (offscreen), over a
// data folder of the test's own: the two buttons and the close button, the
// tree as the user meets it, opening an entry, the history the window
// records, adding a favourite, and data that cannot be read or written.
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWebEnginePage>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "browser/add_favorite_dialog.h"
#include "browser/shell_pane.h"
#include "browser/user_data.h"
#include "browser_test_support.h"
#include "qtcommon/qt_text.h"

namespace folverin::testing {
namespace {

namespace fs = std::filesystem;

std::string Shortcut(const std::string& url) { return "[InternetShortcut]\r\nURL=" + url + "\r\n"; }

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The captions of the tree, one line per item, indented by two blanks per level.
QStringList TreeText(const QTreeWidget* tree) {
  QStringList lines;
  std::function<void(const QTreeWidgetItem*, int)> add = [&](const QTreeWidgetItem* item, int depth) {
    lines << QString(depth * 2, QLatin1Char(' ')) + item->text(0);
    for (int i = 0; i < item->childCount(); ++i) add(item->child(i), depth + 1);
  };
  for (int i = 0; i < tree->topLevelItemCount(); ++i) add(tree->topLevelItem(i), 0);
  return lines;
}

QTreeWidgetItem* FindItem(QTreeWidget* tree, const QString& caption) {
  const QList<QTreeWidgetItem*> found = tree->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
  return found.isEmpty() ? nullptr : found.first();
}

// Answers the next message box with the given button and records its text.
class TMessageBoxAnswer {
 public:
  explicit TMessageBoxAnswer(QMessageBox::StandardButton answer) {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this, answer] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible()) return;
      Texts << box->text();
      if (QAbstractButton* button = box->button(answer)) {
        button->click();
      } else {
        box->done(QMessageBox::Ok);
      }
    });
    timer_.start();
  }
  QStringList Texts;

 private:
  QTimer timer_;
};

class ShellPaneTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    collection_ = new TempFolder;
    collection_->Write("folverin.ini", "[Global]\r\nTitle=Bereichstest\r\nDocument=index.htm\r\n");
    collection_->Write("index.htm", "<HTML><HEAD><TITLE>Start</TITLE></HEAD><BODY><P>Start</P></BODY></HTML>");
    collection_->Write("seite.htm", "<HTML><HEAD><TITLE>Seite</TITLE></HEAD><BODY><P>Seite</P></BODY></HTML>");
    collection_->Write("ziel.htm", "<HTML><HEAD><TITLE>Ziel</TITLE></HEAD><BODY><P>Ziel</P></BODY></HTML>");
    collection_->Write("ohne.htm", "<HTML><BODY><P>Ohne Titel</P></BODY></HTML>");
    collection_->Write("rahmen.htm",
                       "<HTML><HEAD><TITLE>Rahmen</TITLE></HEAD><FRAMESET COLS=\"50%,50%\">"
                       "<FRAME NAME=\"Links\" SRC=\"links.htm\"><FRAME NAME=\"Inhalt\" SRC=\"seite.htm\">"
                       "</FRAMESET></HTML>");
    collection_->Write("links.htm",
                       "<HTML><HEAD><TITLE>Verzeichnis</TITLE></HEAD><BODY>"
                       "<A ID=\"ziel\" HREF=\"ziel.htm\" TARGET=\"Inhalt\">Ziel</A></BODY></HTML>");
    data_ = new TempFolder;
    SetUserDataFolder(QString::fromStdString(data_->Path() + "daten"));
    mainForm_ = new TMainForm(collection_->Path() + "folverin");
    mainForm_->show();
    QApplication::setActiveWindow(mainForm_);
    WaitFor([] { return Child() && Child()->windowTitle() == QLatin1String("Start"); });
  }
  static void TearDownTestSuite() {
    mainForm_->close();
    WaitFor([] { return mainForm_->MDITab->count() == 0; });
    delete mainForm_;
    SetUserDataFolder(QString());
    delete data_;
    delete collection_;
  }
  void SetUp() override {
    ASSERT_TRUE(Child());
    // The last document of the test before reports its title late.
    Settle(300);
    std::error_code ignored;
    fs::remove_all(DataPath(""), ignored);
    fs::create_directories(DataPath("Favoriten"));
    SetUserDataFolder(QString::fromStdString(DataPath("")));
    if (Child()->acFav->isChecked() || Child()->acHistory->isChecked() || Child()->ShellPanel->isVisibleTo(Child()))
      Child()->ShellPanel->CloseShellBtn->click();
    Child()->Switches = {};
  }

  static TChildForm* Child() { return mainForm_->BrowserWindows().value(0); }
  static std::string DataPath(const std::string& relative) { return data_->Path() + "daten/" + relative; }
  static std::string Url(const char* file) {
    return QUrl::fromLocalFile(QString::fromStdString(collection_->Path() + file)).toString().toStdString();
  }
  static void Favorite(const std::string& relative, const std::string& bytes) {
    data_->Write("daten/Favoriten/" + relative, bytes);
  }
  static QToolButton* Button(QAction* action) {
    return qobject_cast<QToolButton*>(Child()->ToolBar->widgetForAction(action));
  }
  static bool Shows(const char* file) {
    const QString target = QString::fromStdString(Url(file));
    return WaitFor([target] {
      return Child()->wb->DocumentURL() == target &&
             Child()->wb->EvaluateScript(QStringLiteral("document.readyState")).toString() == "complete";
    });
  }
  static bool Load(const char* file) {
    Child()->wb->Navigate(QString::fromStdString(collection_->Path() + file));
    return Shows(file);
  }
  static void DoubleClick(QTreeWidgetItem* item) {
    QTreeWidget* tree = item->treeWidget();
    tree->scrollToItem(item);
    const QPoint point = tree->visualItemRect(item).center();
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, point);
  }

  static TempFolder* collection_;
  static TempFolder* data_;
  static TMainForm* mainForm_;
};

TempFolder* ShellPaneTest::collection_ = nullptr;
TempFolder* ShellPaneTest::data_ = nullptr;
TMainForm* ShellPaneTest::mainForm_ = nullptr;

TEST_F(ShellPaneTest, TheButtonsShowSwitchAndHideThePane) {
  TChildForm* child = Child();
  TShellPane* pane = child->ShellPanel;
  QToolButton* favBtn = Button(child->acFav);
  QToolButton* histBtn = Button(child->acHistory);
  ASSERT_TRUE(favBtn && histBtn);
  EXPECT_TRUE(favBtn->isCheckable());
  EXPECT_FALSE(pane->isVisibleTo(child));

  // Pressing the favourites button twice shows the pane and hides it again.
  favBtn->click();
  EXPECT_TRUE(pane->isVisibleTo(child));
  EXPECT_EQ(pane->CapShell->text(), QStringLiteral(" Favoriten"));
  EXPECT_TRUE(favBtn->isChecked());
  EXPECT_EQ(pane->width(), 185);
  EXPECT_EQ(pane->CapShell->parentWidget()->height(), 27);
  EXPECT_EQ(pane->CloseShellBtn->size(), QSize(23, 22));
  favBtn->click();
  EXPECT_FALSE(pane->isVisibleTo(child));
  EXPECT_FALSE(favBtn->isChecked());
  EXPECT_FALSE(histBtn->isChecked());

  // From the history to the favourites: the same pane, the history button up.
  histBtn->click();
  EXPECT_TRUE(pane->isVisibleTo(child));
  EXPECT_EQ(pane->CapShell->text(), QStringLiteral(" Verlauf"));
  EXPECT_TRUE(histBtn->isChecked());
  favBtn->click();
  EXPECT_TRUE(pane->isVisibleTo(child));
  EXPECT_EQ(pane->CapShell->text(), QStringLiteral(" Favoriten"));
  EXPECT_TRUE(favBtn->isChecked());
  EXPECT_FALSE(histBtn->isChecked());

  // The tree is read afresh on every switch.
  EXPECT_TRUE(TreeText(pane->ShellTree).isEmpty());
  Favorite("Neu.url", Shortcut(Url("ziel.htm")));
  histBtn->click();
  favBtn->click();
  EXPECT_EQ(TreeText(pane->ShellTree), QStringList{"Neu"});

  // The close button hides the pane and releases both buttons.
  pane->CloseShellBtn->click();
  EXPECT_FALSE(pane->isVisibleTo(child));
  EXPECT_FALSE(favBtn->isChecked());
  EXPECT_FALSE(histBtn->isChecked());
  histBtn->click();
  pane->CloseShellBtn->click();
  EXPECT_FALSE(pane->isVisibleTo(child));
  EXPECT_FALSE(favBtn->isChecked());
  EXPECT_FALSE(histBtn->isChecked());
}

TEST_F(ShellPaneTest, ANewWindowOpensThePaneTheSettingsAskFor) {
  const auto opened = [](bool favorites, bool history) {
    mainForm_->Settings.ShowFavorites = favorites;
    mainForm_->Settings.ShowHistory = history;
    mainForm_->mnuNewClick();
    mainForm_->Settings.ShowFavorites = mainForm_->Settings.ShowHistory = false;
    return mainForm_->BrowserWindows().size() == 2 ? mainForm_->BrowserWindows().last() : nullptr;
  };
  const auto close = [](TChildForm* child) {
    mainForm_->CloseChild(child);
    EXPECT_TRUE(WaitFor([] { return mainForm_->BrowserWindows().size() == 1; }));
  };
  TChildForm* favorites = opened(true, false);
  ASSERT_TRUE(favorites);
  EXPECT_TRUE(favorites->ShellPanel->isVisibleTo(favorites));
  EXPECT_EQ(favorites->ShellPanel->CapShell->text(), QStringLiteral(" Favoriten"));
  EXPECT_TRUE(favorites->acFav->isChecked());
  close(favorites);

  // With both on, the history's action runs last and releases the favourites.
  TChildForm* both = opened(true, true);
  ASSERT_TRUE(both);
  EXPECT_TRUE(both->ShellPanel->isVisibleTo(both));
  EXPECT_EQ(both->ShellPanel->CapShell->text(), QStringLiteral(" Verlauf"));
  EXPECT_TRUE(both->acHistory->isChecked());
  EXPECT_FALSE(both->acFav->isChecked());
  close(both);

  TChildForm* none = opened(false, false);
  ASSERT_TRUE(none);
  EXPECT_FALSE(none->ShellPanel->isVisibleTo(none));
  close(none);
}

TEST_F(ShellPaneTest, TheTreeShowsTheFavouritesAndRefusesRenaming) {
  Favorite("Zebra.url", Shortcut("http://zebra.invalid/"));
  Favorite("apfel & birne (neu).url", Shortcut(Url("ziel.htm")));
  Favorite("Handb\xC3\xBC" "cher/Kapitel 1.url", Shortcut(Url("seite.htm")));
  Favorite("Handb\xC3\xBC" "cher/tief/ganz unten.url", Shortcut(Url("seite.htm")));
  fs::create_directories(DataPath("Favoriten/alt"));
  Favorite("notiz.txt", "keine Verkn\xC3\xBCpfung");
  Favorite(".versteckt.url", Shortcut(Url("ziel.htm")));
  TChildForm* child = Child();
  child->acFav->trigger();
  TShellTree* tree = child->ShellPanel->ShellTree;
  EXPECT_EQ(TreeText(tree), (QStringList{"alt", QStringLiteral("Handbücher"), "  tief", "    ganz unten",
                                         "  Kapitel 1", "apfel & birne (neu)", "Zebra"}));
  EXPECT_FALSE(tree->rootIsDecorated());
  EXPECT_EQ(tree->indentation(), 19);
  const QPalette colours = tree->palette();
  EXPECT_EQ(colours.color(QPalette::Inactive, QPalette::Highlight), colours.color(QPalette::Active, QPalette::Highlight));

  // A right click selects the entry under the mouse.
  QTreeWidgetItem* zebra = FindItem(tree, QStringLiteral("Zebra"));
  ASSERT_TRUE(zebra);
  tree->setCurrentItem(tree->topLevelItem(0));
  QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, tree->visualItemRect(zebra).center());
  EXPECT_EQ(tree->currentItem(), zebra);
  EXPECT_TRUE(zebra->isSelected());

  // Renaming is refused however it is tried.
  tree->editItem(zebra);
  EXPECT_TRUE(tree->findChildren<QLineEdit*>().isEmpty());
  tree->setFocus();
  QTest::keyClick(tree, Qt::Key_F2);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(zebra).center());
  Settle(QApplication::doubleClickInterval() + 100);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(zebra).center());
  EXPECT_TRUE(tree->findChildren<QLineEdit*>().isEmpty());
  EXPECT_EQ(zebra->text(0), QStringLiteral("Zebra"));
  EXPECT_TRUE(fs::exists(DataPath("Favoriten/Zebra.url")));
}

TEST_F(ShellPaneTest, ADoubleClickOpensTheTargetOfAFavouriteThroughThePolicy) {
  Favorite("Ordner/Zum Ziel.url", Shortcut(Url("ziel.htm")));
  Favorite("Im Netz.url", Shortcut("http://example.invalid/seite.htm"));
  Favorite("ohne Adresse.url", "[InternetShortcut]\r\nIconIndex=1\r\n");
  std::string binary(3000, '\0');
  for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 131 % 256);
  Favorite("kaputt.url", binary);
  TChildForm* child = Child();
  ASSERT_TRUE(Load("index.htm"));
  child->acFav->trigger();
  TShellTree* tree = child->ShellPanel->ShellTree;
  EXPECT_EQ(TreeText(tree), (QStringList{"Ordner", "  Zum Ziel", "Im Netz", "kaputt", "ohne Adresse"}));

  // A folder opens and closes; it is no address.
  QTreeWidgetItem* folder = FindItem(tree, QStringLiteral("Ordner"));
  DoubleClick(folder);
  EXPECT_TRUE(folder->isExpanded());
  QTreeWidgetItem* entry = FindItem(tree, QStringLiteral("Zum Ziel"));
  DoubleClick(entry);
  EXPECT_TRUE(Shows("ziel.htm"));
  EXPECT_EQ(child->windowTitle(), QStringLiteral("Ziel"));

  // Shortcuts without an address open nothing.
  for (const char* caption : {"kaputt", "ohne Adresse"}) {
    DoubleClick(FindItem(tree, QString::fromLatin1(caption)));
    Settle(300);
    EXPECT_EQ(child->wb->DocumentURL(), QString::fromStdString(Url("ziel.htm")));
  }

  // An online address meets the policy like any other navigation.
  child->Switches.AllowOnline = false;
  DoubleClick(FindItem(tree, QStringLiteral("Im Netz")));
  Settle(500);
  EXPECT_EQ(child->wb->DocumentURL(), QString::fromStdString(Url("ziel.htm")));

  // Enter chooses the selected entry as well.
  ASSERT_TRUE(Load("index.htm"));
  tree->setCurrentItem(entry);
  tree->setFocus();
  QTest::keyClick(tree, Qt::Key_Return);
  EXPECT_TRUE(Shows("ziel.htm"));
}

TEST_F(ShellPaneTest, TheHistoryShowsWhatTheWindowShowedToday) {
  TChildForm* child = Child();
  ASSERT_TRUE(Load("seite.htm"));
  ASSERT_TRUE(Load("ohne.htm"));
  ASSERT_TRUE(Load("seite.htm"));
  child->wb->Navigate(QString::fromStdString(collection_->Path() + "fehlt.htm"));
  Settle(800);
  child->wb->NavigateBlank();
  // A document a link opens in a frame is shown as well.
  ASSERT_TRUE(Load("rahmen.htm"));
  ASSERT_TRUE(WaitFor([] {
    return Child()->wb->EvaluateScript(QStringLiteral(
        "(function(){var d=frames[0].document; return d.readyState==='complete' && !!d.getElementById('ziel');})()"))
        .toBool();
  }));
  child->wb->EvaluateScript(QStringLiteral("frames[0].document.getElementById('ziel').click(); true"));
  EXPECT_TRUE(WaitFor([] { return ReadFile(DataPath("Verlauf.log")).find("\tZiel\n") != std::string::npos; }));
  const std::string log = ReadFile(DataPath("Verlauf.log"));
  EXPECT_NE(log.find("\t" + Url("ziel.htm") + "\tZiel\n"), std::string::npos) << log;
  EXPECT_NE(log.find("\t" + Url("seite.htm") + "\tSeite\n"), std::string::npos) << log;
  EXPECT_EQ(log.find("fehlt.htm"), std::string::npos) << log;
  EXPECT_EQ(log.find("about:"), std::string::npos) << log;

  // Lines of other runs, some of them no visits, and one cut short.
  std::ofstream(DataPath("Verlauf.log"), std::ios::app)
      << "Unsinn\n\x01\x02\xFF\n2026-13-01 10:00:00\tfile:///x.htm\tX\n"
      << "2001-01-01 10:00:00\tfile:///alt.htm\tAlt\n2099-01-01 10:00:00\tfile:///halb";
  child->acHistory->trigger();
  TShellTree* tree = child->ShellPanel->ShellTree;
  const QString ohne = QString::fromStdString(Url("ohne.htm"));
  EXPECT_EQ(TreeText(tree), (QStringList{"Heute", "  Ziel", "  Rahmen", "  Seite", "  " + ohne}));
  EXPECT_TRUE(tree->topLevelItem(0)->isExpanded());

  DoubleClick(FindItem(tree, ohne));
  EXPECT_TRUE(Shows("ohne.htm"));
  DoubleClick(FindItem(tree, QStringLiteral("Seite")));
  EXPECT_TRUE(Shows("seite.htm"));
}

TEST_F(ShellPaneTest, AddingAFavouriteProposesTheTitleAndAsksBeforeReplacing) {
  TChildForm* child = Child();
  ASSERT_TRUE(Load("seite.htm"));
  child->acFav->trigger();
  EXPECT_TRUE(child->mnuAddToFavorites->isEnabled());

  // Through the context menu's item, with the proposed name.
  QString proposed;
  QTimer::singleShot(200, [&proposed] {
    if (auto* dialog = qobject_cast<TAddFavoriteDialog*>(QApplication::activeModalWidget())) {
      proposed = dialog->NameEdit->text();
      dialog->accept();
    }
  });
  child->mnuAddToFavorites->trigger();
  EXPECT_EQ(proposed, QStringLiteral("Seite"));
  EXPECT_EQ(ReadFile(DataPath("Favoriten/Seite.url")), Shortcut(Url("seite.htm")));
  EXPECT_EQ(TreeText(child->ShellPanel->ShellTree), QStringList{"Seite"});

  // Into a new sub-folder, under a name that has to be made a file name.
  {
    TAddFavoriteDialog dialog(child, QString::fromStdString(Url("ziel.htm")), QStringLiteral("Ziel"));
    ASSERT_TRUE(dialog.MakeFolder(QStringLiteral("Meine: Seiten")));
    dialog.NameEdit->setText(QStringLiteral("Ziel/Teil 2?"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  }
  EXPECT_EQ(ReadFile(DataPath("Favoriten/Meine_ Seiten/Ziel_Teil 2_.url")), Shortcut(Url("ziel.htm")));

  // The same name again: replaced only when the user says so.
  {
    TAddFavoriteDialog dialog(child, QString::fromStdString(Url("ziel.htm")), QStringLiteral("Seite"));
    TMessageBoxAnswer no(QMessageBox::No);
    dialog.accept();
    EXPECT_EQ(no.Texts, QStringList{QStringLiteral("Der Favorit „Seite“ ist bereits vorhanden.\nSoll er ersetzt werden?")});
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(ReadFile(DataPath("Favoriten/Seite.url")), Shortcut(Url("seite.htm")));
  }
  {
    TAddFavoriteDialog dialog(child, QString::fromStdString(Url("ziel.htm")), QStringLiteral("Seite"));
    TMessageBoxAnswer yes(QMessageBox::Yes);
    dialog.accept();
    EXPECT_EQ(yes.Texts.size(), 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(ReadFile(DataPath("Favoriten/Seite.url")), Shortcut(Url("ziel.htm")));
  }
  // A name that leaves nothing is asked for again.
  {
    TAddFavoriteDialog dialog(child, QString::fromStdString(Url("ziel.htm")), QStringLiteral(" ... "));
    TMessageBoxCatcher message;
    dialog.accept();
    EXPECT_EQ(message.Text, QStringLiteral("Bitte geben Sie einen Namen für den Favoriten ein."));
    EXPECT_NE(dialog.result(), QDialog::Accepted);
  }
}

TEST_F(ShellPaneTest, DataThatCannotBeReadOrWrittenShowsWhatThereIs) {
  TChildForm* child = Child();
  // The favourites folder is a file.
  fs::remove_all(DataPath("Favoriten"));
  data_->Write("daten/Favoriten", Shortcut(Url("ziel.htm")));
  child->acFav->trigger();
  EXPECT_TRUE(child->ShellPanel->isVisibleTo(child));
  EXPECT_TRUE(TreeText(child->ShellPanel->ShellTree).isEmpty());
  {
    TAddFavoriteDialog dialog(child, QString::fromStdString(Url("ziel.htm")), QStringLiteral("Ziel"));
    TMessageBoxCatcher message;
    dialog.accept();
    EXPECT_TRUE(message.Text.startsWith(QStringLiteral("Der Favorit kann nicht gespeichert werden"))) << message.Text.toStdString();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
  }

  // A data folder that cannot be made at all (a file stands in its path),
  // as on a home folder that cannot be written.
  const std::string blocked = data_->Write("gesperrt", "x");
  SetUserDataFolder(QString::fromStdString(blocked + "/daten"));
  ASSERT_TRUE(Load("seite.htm"));
  child->acHistory->trigger();
  EXPECT_TRUE(child->ShellPanel->isVisibleTo(child));
  EXPECT_TRUE(TreeText(child->ShellPanel->ShellTree).isEmpty());
  child->acFav->trigger();
  EXPECT_TRUE(TreeText(child->ShellPanel->ShellTree).isEmpty());
  {
    TAddFavoriteDialog dialog(child, QString::fromStdString(Url("ziel.htm")), QStringLiteral("Ziel"));
    TMessageBoxCatcher message;
    EXPECT_FALSE(dialog.MakeFolder(QStringLiteral("Neu")));
    EXPECT_TRUE(message.Text.startsWith(QStringLiteral("Der Ordner „Neu“ kann nicht angelegt werden"))) << message.Text.toStdString();
    dialog.accept();
    EXPECT_EQ(message.Count, 2);
    EXPECT_TRUE(message.Text.startsWith(QStringLiteral("Der Favorit kann nicht gespeichert werden"))) << message.Text.toStdString();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
  }
  EXPECT_EQ(ReadFile(blocked), "x");
}

}  // namespace
}  // namespace folverin::testing

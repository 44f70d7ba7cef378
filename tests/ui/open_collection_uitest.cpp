// Opening a collection: the folder dialog, the list of recent collections in
// the user's settings, the "Datei" menu items that start a new instance, and
// the recently used addresses kept per collection.
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include "app/recent_collections.h"
#include "app/recent_list.h"
#include "browser/browser_test_support.h"
#include "qtcommon/qt_text.h"
#include "test_support/temp_folder.h"
#include "ui/main_form.h"
#include "ui/open_collection.h"

namespace folverin {
namespace {

using testing::TempFolder;

AnsiString Normal(const std::string& folder) { return NormalCollectionFolder(folder, "/"); }

QString WithoutSlash(const std::string& folder) { return QString::fromStdString(folder).chopped(1); }

void ClearUserSettings() {
  QSettings store(QStringLiteral("Brevimar"), QStringLiteral("Folverin"));
  store.remove(QStringLiteral("Collections"));
  store.remove(QStringLiteral("URLs"));
}

// Answers the modal windows that come up, one step each: a folder dialog
// chooses the step's folder (or is cancelled when it is empty), a question
// is answered with the step's button; the questions' texts are kept.
class TModalAnswers {
 public:
  struct TStep {
    QString Folder;
    QMessageBox::StandardButton Answer = QMessageBox::NoButton;
  };
  explicit TModalAnswers(std::vector<TStep> steps) : steps_(std::move(steps)) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { AnswerOne(); });
    timer_.start();
  }
  QStringList Questions;
  bool Done() const { return next_ == steps_.size(); }

 private:
  void AnswerOne() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || Done()) return;
    const TStep& step = steps_[next_];
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      Questions << box->text();
      ++next_;
      box->button(step.Answer)->click();
    } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
      ++next_;
      if (step.Folder.isEmpty()) {
        dialog->reject();
        return;
      }
      dialog->setDirectory(step.Folder);
      static_cast<QDialog*>(dialog)->accept();  // as the "Öffnen" button does
    }
  }

  std::vector<TStep> steps_;
  size_t next_ = 0;
  QTimer timer_;
};

TEST(RecentCollections, TheStoredListIsKeptNewestFirstEachOnceAtMostTen) {
  ClearUserSettings();
  TempFolder root;
  for (int i = 0; i < 12; ++i) RememberCollection(root.Path() + "s" + std::to_string(i));
  RememberCollection(root.Path() + "s5");
  const std::vector<AnsiString> list = ReadRecentCollections();
  ASSERT_EQ(list.size(), 10u);
  EXPECT_EQ(list[0], root.Path() + "s5");
  EXPECT_EQ(list[1], root.Path() + "s11");
  EXPECT_EQ(list[9], root.Path() + "s2");
  // A store edited by hand reads back in shape.
  {
    QSettings store(QStringLiteral("Brevimar"), QStringLiteral("Folverin"));
    store.remove(QStringLiteral("Collections"));
    store.setValue(QStringLiteral("Collections/F0"), QStringLiteral("relativ"));
    store.setValue(QStringLiteral("Collections/F1"), QStringLiteral("/a/b/"));
    store.setValue(QStringLiteral("Collections/F2"), QStringLiteral("/a/b"));
    store.setValue(QStringLiteral("Collections/F10"), QStringLiteral("/c"));
    store.setValue(QStringLiteral("Collections/Fremd"), QStringLiteral("/d"));
  }
  EXPECT_EQ(ReadRecentCollections(), (std::vector<AnsiString>{"/a/b", "/c", "/d"}));
  RememberCollection("/c");
  EXPECT_EQ(ReadRecentCollections(), (std::vector<AnsiString>{"/c", "/a/b", "/d"}));
}

TEST(CollectionDialog, GermanFoldersOnlyAtTheLastCollectionWithTheOthersInTheSideBar) {
  ClearUserSettings();
  TempFolder root;
  const std::string older = root.MakeFolder("Alt");
  const std::string newer = root.MakeFolder("Neu");
  RememberCollection(Normal(older));
  RememberCollection(root.Path() + "Verschwunden");
  RememberCollection(Normal(newer));
  const auto dialog = MakeCollectionDialog(nullptr, QStringLiteral("Sammlung \u00F6ffnen"));
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Sammlung \u00F6ffnen"));
  EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
  EXPECT_TRUE(dialog->testOption(QFileDialog::ShowDirsOnly));
  EXPECT_EQ(dialog->labelText(QFileDialog::Accept), QStringLiteral("\u00D6ffnen"));
  EXPECT_EQ(dialog->labelText(QFileDialog::Reject), QStringLiteral("Abbrechen"));
  EXPECT_EQ(dialog->labelText(QFileDialog::FileName), QStringLiteral("Ordner:"));
  EXPECT_EQ(dialog->directory().absolutePath(), WithoutSlash(newer));
  // A collection that is gone is not offered.
  EXPECT_EQ(dialog->history(), (QStringList{WithoutSlash(newer), WithoutSlash(older)}));
  EXPECT_EQ(dialog->sidebarUrls(),
            (QList<QUrl>{QUrl::fromLocalFile(QDir::homePath()), QUrl::fromLocalFile(WithoutSlash(newer)),
                         QUrl::fromLocalFile(WithoutSlash(older))}));

  ClearUserSettings();
  EXPECT_EQ(MakeCollectionDialog(nullptr, QString())->directory().absolutePath(), QDir::homePath());
}

TEST(CollectionDialog, GivesTheChosenFolderOrNothingWhenCancelled) {
  TempFolder root;
  const std::string folder = root.MakeFolder("Buch");
  root.Write("Buch/folverin.ini", "");
  {
    TModalAnswers answers({{WithoutSlash(folder)}});
    EXPECT_EQ(ChooseCollectionFolder(nullptr, QStringLiteral("Sammlung \u00F6ffnen")), WithoutSlash(folder));
    EXPECT_TRUE(answers.Questions.isEmpty());
  }
  TModalAnswers answers({{QString()}});
  EXPECT_EQ(ChooseCollectionFolder(nullptr, QStringLiteral("Sammlung \u00F6ffnen")), QString());
  EXPECT_TRUE(answers.Done());
}

// A folder without folverin.ini opens only when the user says so; "Nein"
// goes back to the dialog.
TEST(CollectionDialog, AFolderWithoutSettingsIsOpenedOnlyAfterTheQuestion) {
  TempFolder root;
  const QString plain = WithoutSlash(root.MakeFolder("Seiten"));
  const QString collection = WithoutSlash(root.MakeFolder("Buch"));
  root.Write("Buch/FOLVERIN.INI", "");
  {
    TModalAnswers answers({{plain}, {QString(), QMessageBox::No}, {collection}});
    EXPECT_EQ(ChooseCollectionFolder(nullptr, QString()), collection);
    EXPECT_TRUE(answers.Done());
    ASSERT_EQ(answers.Questions.size(), 1);
    EXPECT_EQ(answers.Questions[0],
              QStringLiteral("In ") + plain +
                  QStringLiteral(" liegt keine folverin.ini.\n\nDen Ordner trotzdem als Sammlung \u00F6ffnen?"));
  }
  {
    TModalAnswers answers({{plain}, {QString(), QMessageBox::Yes}});
    EXPECT_EQ(ChooseCollectionFolder(nullptr, QString()), plain);
  }
  TModalAnswers answers({{plain}, {QString(), QMessageBox::No}, {QString()}});
  EXPECT_EQ(ChooseCollectionFolder(nullptr, QString()), QString());
  EXPECT_TRUE(answers.Done());
}

struct TStartRecord {
  QString Program;
  QStringList Arguments;
};

TEST(OpenCollectionItems, BothDateiMenusStartANewInstanceOnTheChosenOrARecentCollection) {
  ClearUserSettings();
  TempFolder current;
  TempFolder other;
  TempFolder third;
  RememberCollection(Normal(third.Path()));
  RememberCollection(Normal(other.Path()));
  RememberCollection(Normal(current.Path()));
  TMainForm form(current.Path() + "folverin");
  TOpenCollectionItems& items = *form.OpenCollection;
  std::vector<TStartRecord> started;
  items.Starter = [&started](const QString& program, const QStringList& arguments, QString*) {
    started.push_back({program, arguments});
    return true;
  };

  // The frame's "Datei" menu: the items stand above "Beenden".
  QMenu* file = form.menuBar()->actions().value(0)->menu();
  ASSERT_NE(file, nullptr);
  const QList<QAction*> actions = file->actions();
  const qsizetype open = actions.indexOf(items.OpenItem());
  ASSERT_GE(open, 0);
  EXPECT_EQ(items.OpenItem()->text(), QStringLiteral("Sammlung \u00F6ffnen..."));
  EXPECT_EQ(actions.value(open + 1), items.RecentMenu()->menuAction());
  EXPECT_TRUE(actions.value(open + 2)->isSeparator());
  EXPECT_EQ(actions.last()->text(), QStringLiteral("Beenden"));

  // The chosen folder opens in a new instance of this program.
  other.Write("folverin.ini", "");
  {
    TModalAnswers answers({{WithoutSlash(other.Path())}});
    items.OpenItem()->trigger();
  }
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].Program, QCoreApplication::applicationFilePath());
  EXPECT_EQ(started[0].Arguments, (QStringList{QStringLiteral("--collection"), WithoutSlash(other.Path())}));
  {
    TModalAnswers answers({{QString()}});
    items.OpenItem()->trigger();
  }
  EXPECT_EQ(started.size(), 1u);

  // The recent collections, without the one this instance shows, newest
  // first; one opened meanwhile by another instance is there too.
  RememberCollection(Normal(third.Path()));
  emit file->aboutToShow();
  const QList<QAction*> recent = items.RecentMenu()->actions();
  ASSERT_EQ(recent.size(), 2);
  EXPECT_EQ(recent[0]->text(), QStringLiteral("&1 ") + WithoutSlash(third.Path()));
  EXPECT_EQ(recent[1]->text(), QStringLiteral("&2 ") + WithoutSlash(other.Path()));
  recent[1]->trigger();
  ASSERT_EQ(started.size(), 2u);
  EXPECT_EQ(started[1].Arguments, (QStringList{QStringLiteral("--collection"), WithoutSlash(other.Path())}));

  // A program that cannot be started says why.
  items.Starter = [](const QString&, const QStringList&, QString* error) {
    *error = QStringLiteral("Keine Berechtigung");
    return false;
  };
  testing::TMessageBoxCatcher catcher;
  items.OpenInNewInstance(WithoutSlash(other.Path()));
  EXPECT_EQ(catcher.Count, 1);
  EXPECT_EQ(catcher.Text, QStringLiteral("Folverin konnte nicht gestartet werden: Keine Berechtigung."));
}

TEST(OpenCollectionItems, WithoutOtherCollectionsTheRecentMenuIsDisabled) {
  ClearUserSettings();
  TempFolder current;
  RememberCollection(Normal(current.Path()));
  TMainForm form(current.Path() + "folverin");
  emit form.menuBar()->actions().value(0)->menu()->aboutToShow();
  EXPECT_TRUE(form.OpenCollection->RecentMenu()->actions().isEmpty());
  EXPECT_FALSE(form.OpenCollection->RecentMenu()->menuAction()->isEnabled());
}

TEST(RecentListPerCollection, EachCollectionKeepsItsOwnAndTakesItsPartOfTheSharedList) {
  ClearUserSettings();
  TempFolder first;
  TempFolder second;
  {
    TMainForm form(first.Path() + "folverin");
    form.AddRecent(first.Path() + "a.htm");
    form.AddRecent("www.example.com");
  }
  {
    TMainForm form(second.Path() + "folverin");
    EXPECT_TRUE(form.RecentList.Entries().empty());
    form.AddRecent(second.Path() + "b.htm");
  }
  {
    TMainForm form(first.Path() + "folverin");
    EXPECT_EQ(form.RecentList.Entries(), (std::vector<AnsiString>{"www.example.com", first.Path() + "a.htm"}));
  }
  {
    TMainForm form(second.Path() + "folverin");
    EXPECT_EQ(form.RecentList.Entries(), (std::vector<AnsiString>{second.Path() + "b.htm"}));
  }

  // The list all collections shared before: a collection without a list of
  // its own takes the documents in its folder from it, nothing else.
  ClearUserSettings();
  {
    QSettings store(QStringLiteral("Brevimar"), QStringLiteral("Folverin"));
    store.beginGroup(QStringLiteral("URLs/MRU Items"));
    store.setValue(QStringLiteral("F0"), FromAnsi(second.Path() + "x.htm"));
    store.setValue(QStringLiteral("F1"), QStringLiteral("www.example.com"));
    store.setValue(QStringLiteral("F2"), FromAnsi("file://" + first.Path() + "y.htm"));
    store.setValue(QStringLiteral("F3"), FromAnsi(first.Path() + "z.htm"));
  }
  {
    TMainForm form(first.Path() + "folverin");
    EXPECT_EQ(form.RecentList.Entries(),
              (std::vector<AnsiString>{"file://" + first.Path() + "y.htm", first.Path() + "z.htm"}));
    form.AddRecent(first.Path() + "neu.htm");
  }
  {
    // From then on its own list counts; the shared one stays as it was.
    QSettings store(QStringLiteral("Brevimar"), QStringLiteral("Folverin"));
    store.setValue(QStringLiteral("URLs/MRU Items/F4"), FromAnsi(first.Path() + "spaeter.htm"));
  }
  TMainForm form(first.Path() + "folverin");
  EXPECT_EQ(form.RecentList.Entries().size(), 3u);
  EXPECT_EQ(form.RecentList.Entries().front(), first.Path() + "neu.htm");
  EXPECT_EQ(QSettings(QStringLiteral("Brevimar"), QStringLiteral("Folverin"))
                .value(QStringLiteral("URLs/MRU Items/F0"))
                .toString(),
            FromAnsi(second.Path() + "x.htm"));
}

}  // namespace
}  // namespace folverin

#include "index/index_builder.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/app_settings.h"
#include "common/file_system.h"
#include "test_support/file_size_limit.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

namespace fs = std::filesystem;

std::string Page(const std::string& title, const std::string& text) {
  return "<html><head><title>" + title + "</title></head><body>" + text + "</body></html>";
}

class IndexBuilderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    settings_.AppFolder = folder_.Path();
    settings_.IndexFolder = folder_.Path() + "Index";
    settings_.MinWordSize = 4;
  }
  void TearDown() override { unsetenv("LC_ALL"); }

  TIndexBuildOutcome Build() {
    TIndexBuilder builder;
    return Build(builder);
  }
  TIndexBuildOutcome Build(TIndexBuilder& builder) {
    builder.Hooks.OnAction = [this](const AnsiString& action) { actions_.push_back(action); };
    return builder.BuildIndex(settings_);
  }
  std::string IndexFile(const char* name) const {
    return ReadWholeFile(settings_.IndexFolder + "/" + name).value_or("<missing>");
  }
  std::string Files() const {
    return IndexFile("File.iDB") + "|" + IndexFile("Link.iDB") + "|" + IndexFile("Keyword.iDB");
  }
  size_t IndexFolderEntries() const {
    const fs::directory_iterator entries(settings_.IndexFolder);
    return static_cast<size_t>(std::distance(entries, fs::directory_iterator()));
  }

  testing::TempFolder folder_;
  TAppSettings settings_;
  std::vector<AnsiString> actions_;
};

TEST_F(IndexBuilderTest, OneDocumentGivesTheThreeDocumentedFiles) {
  folder_.Write("a.htm", Page(" Titel ", "Haus haus Garten "));
  const TIndexBuildOutcome outcome = Build();
  EXPECT_EQ(outcome.Result, TIndexBuildResult::Done);
  EXPECT_EQ(outcome.DocumentCount, 1);
  EXPECT_EQ(IndexFile("File.iDB"), "a.htm\tTitel\r\n");
  EXPECT_EQ(IndexFile("Link.iDB"), "Haus\t1\t2\r\nGarten\t1\t1\r\n");
  EXPECT_EQ(IndexFile("Keyword.iDB"), "Garten\r\nHaus\r\n");
  EXPECT_EQ(actions_, (std::vector<AnsiString>{
                          "Datenvolumen ermitteln...", "Dokument laden...", "Analysiere Tokens...",
                          "Schreibe Tokens...", "Links speichern...",
                          "Schl\xFCsselworte speichern...", "FERTIG"}));
  EXPECT_TRUE(IndexFilesExist(settings_.IndexFolder));
  EXPECT_EQ(IndexFolderEntries(), 3u);  // no temporary file left behind
}

TEST_F(IndexBuilderTest, CaseVariantsInTwoDocumentsAreTwoKeywordsSideBySide) {
  folder_.Write("a.htm", Page("A", "Haus Zebra Apfel "));
  folder_.Write("b.htm", Page("B", "HAUS haus "));
  ASSERT_EQ(Build().Result, TIndexBuildResult::Done);
  EXPECT_EQ(IndexFile("Link.iDB"), "Haus\t1\t1\r\nZebra\t1\t1\r\nApfel\t1\t1\r\nHAUS\t2\t2\r\n");
  EXPECT_EQ(IndexFile("Keyword.iDB"), "Apfel\r\nHaus\r\nHAUS\r\nZebra\r\n");
}

TEST_F(IndexBuilderTest, KeywordsFollowTheLocaleWithUmlautsBesideTheirLetters) {
  folder_.Write("a.htm", Page("", "Zebra \xC4pfel Apfel Birne apfel2 "));
  ASSERT_EQ(Build().Result, TIndexBuildResult::Done);
  EXPECT_EQ(IndexFile("Keyword.iDB"), "Apfel\r\n\xC4pfel\r\napfel2\r\nBirne\r\nZebra\r\n");
}

TEST_F(IndexBuilderTest, DocumentListFollowsTheWalkWithNamesAsOnDisk) {
  folder_.Write("Teil2/b.htm", Page("Zwei", "Text "));
  folder_.Write("A.HTML", Page("  Gro\xDF  ", "Text "));
  folder_.Write("a.hcm", Page("nicht", "Text "));
  folder_.Write("c.htm", "<html><body>ohne Titel </body></html>");
  folder_.MakeFolder("ordner.htm");
  folder_.Write("Teil2/Tief/d.htm", Page("Drei", "Text "));
  ASSERT_EQ(Build().Result, TIndexBuildResult::Done);
  EXPECT_EQ(IndexFile("File.iDB"),
            "A.HTML\tGro\xDF\r\nc.htm\t\r\nTeil2\\b.htm\tZwei\r\nTeil2\\Tief\\d.htm\tDrei\r\n");
}

TEST_F(IndexBuilderTest, OnlyTheStartFolderIsIndexedAndPathsAreRelativeToIt) {
  folder_.Write("draussen.htm", Page("", "Text "));
  folder_.Write("Doku/Teil/a.htm", Page("T", "Wort "));
  settings_.StartFolder = "Doku/";
  ASSERT_EQ(Build().Result, TIndexBuildResult::Done);
  EXPECT_EQ(IndexFile("File.iDB"), "Teil\\a.htm\tT\r\n");
  // The folder is found whatever letter case the settings give it.
  settings_.StartFolder = "DOKU/";
  ASSERT_EQ(Build().Result, TIndexBuildResult::Done);
  EXPECT_EQ(IndexFile("File.iDB"), "Teil\\a.htm\tT\r\n");
}

TEST_F(IndexBuilderTest, WithoutDocumentsTheIndexIsThreeEmptyFiles) {
  ASSERT_EQ(Build().Result, TIndexBuildResult::Done);
  EXPECT_EQ(Files(), "||");
  EXPECT_TRUE(IndexFilesExist(settings_.IndexFolder));
}

TEST_F(IndexBuilderTest, ACancelKeepsThePreviousIndexExactly) {
  folder_.Write("alt.htm", Page("Alt", "Altes Wort "));
  ASSERT_EQ(Build().Result, TIndexBuildResult::Done);
  const std::string previous = Files();
  for (int i = 0; i < 100; ++i)
    folder_.Write("neu" + std::to_string(100 + i) + ".htm", Page("Neu", "Neues Wort "));

  TIndexBuilder builder;
  int indexed = 0;
  builder.Hooks.OnProgress = [&](int position, int maximum) {
    EXPECT_EQ(maximum, 101);
    indexed = position;
    if (position == 10) builder.Cancel();
  };
  const TIndexBuildOutcome outcome = Build(builder);
  EXPECT_EQ(outcome.Result, TIndexBuildResult::Cancelled);
  EXPECT_EQ(outcome.FinalAction, "Abbrechen");
  EXPECT_EQ(indexed, 10);
  EXPECT_EQ(Files(), previous);
  EXPECT_EQ(IndexFolderEntries(), 3u);

  // A cancel while the documents are counted ends the build as well.
  TIndexBuilder counting;
  int progressCalls = 0;
  counting.Hooks.Pump = [&] { counting.Cancel(); };
  counting.Hooks.OnProgress = [&](int, int) { ++progressCalls; };
  EXPECT_EQ(Build(counting).Result, TIndexBuildResult::Cancelled);
  EXPECT_EQ(progressCalls, 0);
  EXPECT_EQ(Files(), previous);
}

TEST_F(IndexBuilderTest, DocumentsThatCannotBeLoadedAreSkippedAndNamed) {
  folder_.Write("a.htm", Page("A", "Anfang "));
  folder_.Write("b#1.htm", Page("B", "Raute "));
  folder_.Write("c\nd.htm", Page("C", "Zeile "));
  folder_.Write("weg.htm", Page("W", "Weg "));
  folder_.Write("z.htm", Page("Z", "Ende "));
  TIndexBuilder builder;
  builder.Hooks.OnDocument = [&](const AnsiString& name) {
    if (name == "weg.htm") fs::remove(folder_.Path() + "weg.htm");  // vanishes meanwhile
  };
  const TIndexBuildOutcome outcome = Build(builder);
  ASSERT_EQ(outcome.Result, TIndexBuildResult::Done);
  EXPECT_EQ(outcome.Skipped, (std::vector<AnsiString>{folder_.Path() + "b#1.htm",
                                                      folder_.Path() + "c\nd.htm",
                                                      folder_.Path() + "weg.htm"}));
  // File numbers stay consecutive: the skipped ones have none.
  EXPECT_EQ(IndexFile("File.iDB"), "a.htm\tA\r\nz.htm\tZ\r\n");
  EXPECT_EQ(IndexFile("Link.iDB"), "Anfang\t1\t1\r\nEnde\t2\t1\r\n");
}

TEST_F(IndexBuilderTest, AnIndexThatCannotBeWrittenEndsTheBuildAndKeepsTheOldOne) {
  folder_.Write("a.htm", Page("A", "Wort "));
  ASSERT_EQ(Build().Result, TIndexBuildResult::Done);
  const std::string previous = Files();
  folder_.Write("b.htm", Page("B", "Neu "));

  // Link.iDB replaced by a folder: nothing of the index changes.
  fs::remove(settings_.IndexFolder + "/Link.iDB");
  folder_.MakeFolder("Index/Link.iDB");
  TIndexBuildOutcome outcome = Build();
  EXPECT_EQ(outcome.Result, TIndexBuildResult::Failed);
  ASSERT_TRUE(outcome.ErrorMessage.has_value());
  EXPECT_NE(outcome.ErrorMessage->find("Der Index kann im Ordner \"" + settings_.IndexFolder + "\""),
            std::string::npos);
  EXPECT_NE(outcome.ErrorMessage->find("Link.iDB"), std::string::npos);
  EXPECT_EQ(IndexFile("File.iDB"), previous.substr(0, previous.find('|')));
  EXPECT_EQ(IndexFolderEntries(), 3u);

  // The index folder is a file.
  settings_.IndexFolder = folder_.Write("Datei", "x");
  outcome = Build();
  EXPECT_EQ(outcome.Result, TIndexBuildResult::Failed);
  EXPECT_EQ(*outcome.ErrorMessage, "Der Index kann im Ordner \"" + settings_.IndexFolder +
                                       "\" nicht geschrieben werden: Dort steht eine Datei, kein Ordner");
  EXPECT_EQ(ReadWholeFile(settings_.IndexFolder), "x");
}

TEST_F(IndexBuilderTest, AWriteThatFailsPartWayKeepsTheOldIndex) {
  folder_.Write("a.htm", Page("A", "Wort "));
  ASSERT_EQ(Build().Result, TIndexBuildResult::Done);
  const std::string previous = Files();
  std::string many;
  for (int i = 0; i < 2000; ++i) many += "Wort" + std::to_string(i) + " ";
  folder_.Write("b.htm", Page("B", many));
  // A file size limit makes the writing fail as a full disk would; it
  // holds for root too.
  TIndexBuildOutcome outcome;
  {
    const testing::TFileSizeLimit limit(4096);
    ASSERT_TRUE(limit.Active());
    outcome = Build();
  }
  EXPECT_EQ(outcome.Result, TIndexBuildResult::Failed);
  EXPECT_EQ(*outcome.ErrorMessage, "Der Index kann im Ordner \"" + settings_.IndexFolder +
                                       "\" nicht geschrieben werden: Die Datei wird zu gro\xDF");
  EXPECT_EQ(outcome.FinalAction, "Links speichern...");
  EXPECT_EQ(Files(), previous);
  EXPECT_EQ(IndexFolderEntries(), 3u);
}

TEST_F(IndexBuilderTest, AFolderWithoutWritePermissionIsNamedWithTheReason) {
  if (geteuid() == 0) GTEST_SKIP() << "root passes every permission check";
  folder_.Write("a.htm", Page("A", "Wort "));
  folder_.MakeFolder("Index");
  fs::permissions(settings_.IndexFolder, fs::perms::owner_read | fs::perms::owner_exec);
  const TIndexBuildOutcome outcome = Build();
  fs::permissions(settings_.IndexFolder, fs::perms::owner_all);
  EXPECT_EQ(outcome.Result, TIndexBuildResult::Failed);
  EXPECT_EQ(*outcome.ErrorMessage, "Der Index kann im Ordner \"" + settings_.IndexFolder +
                                       "\" nicht geschrieben werden: Dateizugriff verweigert");
}

}  // namespace
}  // namespace folverin

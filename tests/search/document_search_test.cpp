#include "search/document_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <random>

#include "app/app_settings.h"
#include "search/search_parser.h"
#include "common/file_system.h"
#include "test_support/deep_folder.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

using TSearchTestFolder = folverin::testing::TempFolder;

class DocumentSearchTest : public ::testing::Test {
 protected:
  DocumentSearchTest() {
    settings_.AppFolder = folder_.Path();
    settings_.SearchBody = "<BODY>";
  }
  TSearchOutcome Search(const std::string& query) { return search_.Run(settings_, parser_, query); }
  std::string At(const std::string& relative) { return folder_.Path() + relative; }

  TSearchTestFolder folder_;
  TAppSettings settings_;
  TSearchCounters counters_;
  TDocumentSearch search_{counters_};
  TParser parser_;
};

TEST_F(DocumentSearchTest, ListsHitsInWalkOrderAndCountsEveryDocument) {
  folder_.Write("b.htm", "<p>Haus</p>");
  folder_.Write("A.HTM", "<p>haus</p>");
  folder_.Write("sub/c.html", "<p>Haus und Garten</p>");
  folder_.Write("c.hcm", "<p>Haus</p>");
  folder_.Write("d.html5", "<p>Haus</p>");
  folder_.Write("e.txt", "<p>Haus</p>");
  folder_.Write("f.HCML", "");
  const TSearchOutcome outcome = Search("  haus  ");
  EXPECT_FALSE(outcome.QueryError);
  EXPECT_FALSE(outcome.Cancelled);
  EXPECT_EQ(outcome.Hits, (std::vector<AnsiString>{At("A.HTM"), At("b.htm"), At("sub/c.html")}));
  EXPECT_EQ(counters_.SearchDocCount, 5);  // .html5 and .txt are not counted
  EXPECT_EQ(counters_.SearchByteTotal, 11u + 11u + 22u + 11u + 0u);
  ASSERT_EQ(outcome.ResultPage.size(), 7u + 9u + 5u);
  EXPECT_EQ(outcome.ResultPage[8], "<A HREF=\"" + At("A.HTM") + "\"> " + At("A.HTM") + "</A>");

  // A NOT query lists the documents without text.
  const TSearchOutcome negated = Search("NOT haus");
  EXPECT_EQ(negated.Hits, (std::vector<AnsiString>{At("c.hcm"), At("f.HCML")}));
}

TEST_F(DocumentSearchTest, LeavesOutTheExcludedFolderByPrefix) {
  folder_.Write("intern/x.htm", "<p>Haus</p>");
  folder_.Write("Internes/y.htm", "<p>Haus</p>");
  folder_.Write("intern2.htm", "<p>Haus</p>");
  folder_.Write("offen/z.htm", "<p>Haus</p>");
  settings_.UseExcludePath = true;
  settings_.ExcludePath = folder_.Path() + "INTERN";
  const TSearchOutcome outcome = Search("haus");
  EXPECT_EQ(outcome.Hits, (std::vector<AnsiString>{At("intern2.htm"), At("offen/z.htm")}));
  EXPECT_EQ(counters_.SearchDocCount, 4);
  EXPECT_EQ(counters_.SearchByteTotal, 44u);
  settings_.UseExcludePath = false;
  EXPECT_EQ(Search("haus").Hits.size(), 4u);
}

TEST_F(DocumentSearchTest, StopsAtAQueryErrorBeforeTheWalk) {
  folder_.Write("a.htm", "<p>Haus</p>");
  counters_.SearchDocCount = 7;
  bool walked = false;
  search_.Hooks.OnDocument = [&](const AnsiString&) { walked = true; };
  const TSearchOutcome outcome = Search("(haus");
  EXPECT_EQ(outcome.QueryError, AnsiString("Fehlende rechte Klammer"));
  EXPECT_FALSE(walked);
  EXPECT_EQ(counters_.SearchDocCount, 7);
  EXPECT_TRUE(outcome.Hits.empty());
}

TEST_F(DocumentSearchTest, CancelEndsTheWalkAndMarksTheOutcome) {
  for (char c = 'a'; c <= 'f'; ++c) folder_.Write(std::string(1, c) + ".htm", "<p>Haus</p>");
  std::vector<AnsiString> shown;
  int pumps = 0;
  search_.Hooks.Pump = [&] { ++pumps; };
  search_.Hooks.OnDocument = [&](const AnsiString& path) {
    shown.push_back(path);
    if (shown.size() == 3) search_.Cancel();
  };
  const TSearchOutcome outcome = Search("haus");
  EXPECT_TRUE(outcome.Cancelled);
  EXPECT_EQ(shown, (std::vector<AnsiString>{At("a.htm"), At("b.htm"), At("c.htm")}));
  EXPECT_GT(pumps, 0);
  // The footer was still added, and the next search runs normally.
  EXPECT_EQ(outcome.ResultPage.back(), "");
  const TSearchOutcome again = Search("haus");
  EXPECT_FALSE(again.Cancelled);
  EXPECT_EQ(again.Hits.size(), 6u);
}

TEST_F(DocumentSearchTest, RefusesASecondSearchFromInsideTheWalk) {
  folder_.Write("a.htm", "<p>Haus</p>");
  folder_.Write("b.htm", "<p>Garten</p>");
  std::optional<TSearchOutcome> nested;
  search_.Hooks.Pump = [&] {
    if (!nested) nested = Search("garten");
  };
  const TSearchOutcome outcome = Search("haus");
  ASSERT_TRUE(nested.has_value());
  EXPECT_TRUE(nested->Cancelled);
  EXPECT_FALSE(outcome.Cancelled);
  EXPECT_EQ(outcome.Hits, std::vector<AnsiString>{At("a.htm")});
  EXPECT_FALSE(search_.Running());
}

TEST_F(DocumentSearchTest, FooterMeasuresTheWalk) {
  folder_.Write("a.htm", std::string(2048, 'x') + "<p>");
  settings_.ShowPerformance = true;
  uint32_t tick = 4294967000u;  // the tick count wraps during the walk
  search_.Hooks.TickCount = [&] { return tick; };
  search_.Hooks.OnDocument = [&](const AnsiString&) { tick += 2296; };
  const TSearchOutcome outcome = Search("x");
  ASSERT_EQ(outcome.ResultPage.size(), 7u + 3u + 6u + 5u);
  EXPECT_EQ(outcome.ResultPage[12], "2 Sekunde(n) f\xFCr 1 HTML-Dokumente.<BR>");
  EXPECT_EQ(outcome.ResultPage[13], "Datenvolumen 2 KByte.<BR>");
  EXPECT_EQ(counters_.SearchStartTick, 4294967000u);
}

TEST_F(DocumentSearchTest, SkipsDocumentsThatCannotBeReadAndGoesOn) {
  folder_.Write("a.htm", "<p>Haus</p>");
  folder_.Write("b.htm", "<p>Haus</p>");
  folder_.Write("c.htm", "<p>Haus</p>");
  // b.htm vanishes while the walk is at a.htm.
  search_.Hooks.OnDocument = [&](const AnsiString& path) {
    if (path == At("a.htm")) std::filesystem::remove(At("b.htm"));
  };
  const TSearchOutcome outcome = Search("haus");
  EXPECT_EQ(outcome.Hits, (std::vector<AnsiString>{At("a.htm"), At("c.htm")}));
  EXPECT_EQ(outcome.Unreadable, std::vector<AnsiString>{At("b.htm")});
  EXPECT_EQ(counters_.SearchDocCount, 3);
}

TEST_F(DocumentSearchTest, FoldersNamedLikeDocumentsAreNoDocuments) {
  folder_.Write("kapitel.htm/seite.htm", "<p>Haus</p>");
  folder_.MakeFolder("leer.HTML");
  folder_.MakeFolder("alt.hcm");
  folder_.Write("b.htm", "<p>Garten</p>");
  std::vector<AnsiString> shown;
  search_.Hooks.OnDocument = [&](const AnsiString& path) { shown.push_back(path); };
  const TSearchOutcome outcome = Search("NOT zaun");
  // The folders are walked, but neither counted, weighed nor read.
  EXPECT_EQ(shown, (std::vector<AnsiString>{At("b.htm"), At("kapitel.htm/seite.htm")}));
  EXPECT_EQ(outcome.Hits, shown);
  EXPECT_TRUE(outcome.Unreadable.empty());
  EXPECT_EQ(counters_.SearchDocCount, 2);
  EXPECT_EQ(counters_.SearchByteTotal, 24u);
}

// A collection deeper than the system's path limit is searched like any
// other; a document beyond the readers' size limit is counted and reported
// as unreadable instead of being taken into memory.
TEST_F(DocumentSearchTest, SearchesCollectionsUnderLongPathsAndSkipsOversizedDocuments) {
  folder_.MakeFolder("tief");
  const std::string deep = testing::MakeDeepFolder(folder_.Path() + "tief", folder_.Path().size() + 4200);
  testing::WriteDeep(deep, "unten.htm", "<p>Haus</p>");
  testing::WriteDeep(deep, "sub/noch.htm", "<p>Haus</p>");
  folder_.Write("riesig.htm", "");
  std::filesystem::resize_file(At("riesig.htm"), kMaxReadSize + 1);
  settings_.AppFolder = folder_.Path();
  const TSearchOutcome outcome = Search("haus");
  EXPECT_EQ(outcome.Hits, (std::vector<AnsiString>{deep + "/unten.htm", deep + "/sub/noch.htm"}));
  EXPECT_EQ(outcome.Unreadable, std::vector<AnsiString>{At("riesig.htm")});
  EXPECT_EQ(counters_.SearchDocCount, 3);
  testing::RemoveDeepAt(AT_FDCWD, folder_.Path() + "tief");
}

TEST_F(DocumentSearchTest, EscapesDocumentPathsInThePage) {
  folder_.Write("a&<b>\".htm", "<p>Haus</p>");
  const TSearchOutcome outcome = Search("haus");
  ASSERT_EQ(outcome.Hits.size(), 1u);
  const AnsiString escaped = folder_.Path() + "a&amp;&lt;b&gt;&quot;.htm";
  EXPECT_EQ(outcome.ResultPage[8], "<A HREF=\"" + escaped + "\"> " + escaped + "</A>");
}

TEST_F(DocumentSearchTest, SurvivesBinaryAndHugeDocuments) {
  std::mt19937 random(7);
  std::string binary(200000, '\0');
  for (char& c : binary) c = static_cast<char>(random());
  folder_.Write("binary.htm", binary);
  folder_.Write("binary2.html", std::string(100000, '<') + std::string(100000, '>'));
  // 200 MB of markup whose only hit is in its very last stretch.
  {
    const std::string chunk = "<p class=\"haus\">Garten und Hof</p>\n";
    std::string block;
    while (block.size() < (1 << 20)) block += chunk;
    std::ofstream huge(At("huge.htm"), std::ios::binary);
    for (int i = 0; i < 200; ++i) huge << block;
    huge << "<p>Haus am Ende</p>";
  }
  const TSearchOutcome outcome = Search("haus AND NOT zaun");
  EXPECT_EQ(outcome.Hits, std::vector<AnsiString>{At("huge.htm")});
  EXPECT_EQ(counters_.SearchDocCount, 3);
}

}  // namespace
}  // namespace folverin

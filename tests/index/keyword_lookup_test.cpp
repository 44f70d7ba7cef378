#include "index/keyword_lookup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/line_ends.h"
#include "index/keyword_list.h"
#include "index/result_columns.h"

namespace folverin {
namespace {

std::vector<TDocumentEntry> Documents(std::string_view fileIndex) {
  std::vector<TDocumentEntry> documents;
  for (const std::string_view line : SplitLines(fileIndex)) documents.push_back(ParseDocumentLine(line));
  return documents;
}

// count TAB path TAB title per row, as folverin-cli lookup prints them.
std::vector<std::string> Rows(const std::vector<TLookupRow>& rows) {
  std::vector<std::string> lines;
  for (const TLookupRow& row : rows) lines.push_back(row.Count + "\t" + row.Path + "\t" + row.Title);
  return lines;
}

const char* const kFileIndex = "a.htm\tEins\r\nTeil2\\b.htm\tZwei\r\nc.htm\t\r\n";

TEST(KeywordLookup, RowsAreTheExactKeywordsDocumentsMostOccurrencesFirst) {
  const char* links =
      "Haus\t1\t2\r\nHAUS\t1\t7\r\nHaus\t2\t10\r\nHausboot\t3\t9\r\nHaus\t3\t5\r\n";
  TLookupResult result = LookupKeyword(links, "Haus", Documents(kFileIndex));
  ASSERT_FALSE(result.Error);
  EXPECT_EQ(Rows(result.Rows), (std::vector<std::string>{"2\ta.htm\tEins", "10\tTeil2/b.htm\tZwei",
                                                         "5\tc.htm\t"}));
  SortRowsByCount(result.Rows);
  EXPECT_EQ(Rows(result.Rows), (std::vector<std::string>{"10\tTeil2/b.htm\tZwei", "5\tc.htm\t",
                                                         "2\ta.htm\tEins"}));
  EXPECT_EQ(Rows(LookupKeyword(links, "HAUS", Documents(kFileIndex)).Rows),
            (std::vector<std::string>{"7\ta.htm\tEins"}));
  EXPECT_TRUE(LookupKeyword(links, "haus", Documents(kFileIndex)).Rows.empty());
  EXPECT_TRUE(LookupKeyword(links, "aus", Documents(kFileIndex)).Rows.empty());
}

TEST(KeywordLookup, EqualCountsEndInTheOrderTheGridsQuicksortLeaves) {
  std::vector<TLookupRow> rows;
  for (const char* count : {"1", "1", "1"}) rows.push_back({"", std::to_string(rows.size()), count});
  SortRowsByCount(rows);
  EXPECT_EQ(rows[0].Path + rows[1].Path + rows[2].Path, "210");

  rows.clear();
  for (const char* count : {"3", "5", "3", "5", "1"}) rows.push_back({"", std::to_string(rows.size()), count});
  SortRowsByCount(rows);
  std::string order;
  for (const TLookupRow& row : rows) order += row.Path;
  EXPECT_EQ(order, "13204");
}

TEST(KeywordLookup, MoreThanSixtyFiveThousandRowsAreSortedWhole) {
  std::vector<TLookupRow> rows;
  for (int i = 0; i < 70000; ++i) rows.push_back({"", "", std::to_string((i * 7919) % 70001)});
  SortRowsByCount(rows);
  for (size_t i = 1; i < rows.size(); ++i)
    ASSERT_GE(std::stoi(rows[i - 1].Count), std::stoi(rows[i].Count)) << "row " << i;
}

TEST(KeywordLookup, BadLinesNeitherCrashNorInventRows) {
  const auto documents = Documents(kFileIndex);
  // Numbers outside the document list, and lines without the right fields.
  const char* links = "\r\n\r\nHaus\r\nHaus\t0\t3\r\nHaus\t4\t3\r\nHaus\t-1\t3\r\nHaus\t2\r\nHaus\t1\tviele\r\n";
  TLookupResult result = LookupKeyword(links, "Haus", documents);
  // The line "Haus" without a TAB does not match the keyword field "Haus"
  // followed by a TAB; a line "Haus\t2" has an empty count.
  ASSERT_FALSE(result.Error);
  SortRowsByCount(result.Rows);
  // Both sort as 0, and two equal rows change places.
  EXPECT_EQ(Rows(result.Rows), (std::vector<std::string>{"viele\ta.htm\tEins", "\tTeil2/b.htm\tZwei"}));

  result = LookupKeyword("Haus\t1\t2\r\nHaus\tzwei\t3\r\nHaus\t3\t1\r\n", "Haus", documents);
  EXPECT_EQ(result.Error, "'zwei' ist kein g\xFCltiger Integerwert");
  EXPECT_EQ(result.Rows.size(), 1u);
  result = LookupKeyword("Haus\t2147483648\t2\r\n", "Haus", documents);
  EXPECT_EQ(result.Error, "'2147483648' ist kein g\xFCltiger Integerwert");
  result = LookupKeyword("Haus\t\t2\r\n", "Haus", documents);
  EXPECT_EQ(result.Error, "'' ist kein g\xFCltiger Integerwert");
}

TEST(KeywordLookup, LargeIndexFilesAreReadWhole) {
  std::string fileIndex;
  for (int i = 1; i <= 200000; ++i) fileIndex += "d" + std::to_string(i) + ".htm\tT\r\n";
  const auto documents = Documents(fileIndex);
  ASSERT_EQ(documents.size(), 200000u);
  const auto result = LookupKeyword("Wort\t200000\t4\r\nWort\t200001\t4\r\n", "Wort", documents);
  EXPECT_EQ(Rows(result.Rows), (std::vector<std::string>{"4\td200000.htm\tT"}));

  const std::string oneLine(10 << 20, 'x');
  const auto lines = KeywordListLines(oneLine, false);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].size(), oneLine.size());
  EXPECT_EQ(FindKeywordByPrefix(lines, "XX"), 0);
}

// Link.iDB is read in blocks: rows on both sides of every block boundary are
// found as in the whole file, for every line-end style and for keywords of
// rare and of common letters.
TEST(KeywordLookup, IndexFileReadInBlocksFindsWhatTheWholeFileHolds) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "folverin-lookup-blocks";
  std::filesystem::create_directories(folder);
  std::string fileIndex;
  for (int i = 1; i <= 50; ++i) fileIndex += "d" + std::to_string(i) + ".htm\tT" + std::to_string(i) + "\r\n";
  const auto documents = Documents(fileIndex);
  for (const char* lineEnd : {"\r\n", "\n", "\r"}) {
    std::string links;
    for (int i = 0; i < 40000; ++i) {
      const char* keyword = i % 97 == 0 ? "Tabelle" : i % 89 == 0 ? "eine" : i % 2 ? "Tabellen" : "Stabelle";
      links += std::string(keyword) + "\t" + std::to_string(i % 50 + 1) + "\t" + std::to_string(i) + lineEnd;
    }
    std::ofstream(folder / "Link.iDB", std::ios::binary | std::ios::trunc) << links;
    for (const char* keyword : {"Tabelle", "eine", "Tabellen", "Stabelle", "abelle", "fehlt"}) {
      const auto fromFile = LookupKeywordInIndex(folder.string(), keyword, documents);
      ASSERT_TRUE(fromFile.has_value());
      EXPECT_EQ(Rows(fromFile->Rows), Rows(LookupKeyword(links, keyword, documents).Rows)) << keyword;
    }
    EXPECT_EQ(LookupKeywordInIndex(folder.string(), "Tabelle", documents)->Rows.size(), 413u);
  }
  std::filesystem::remove_all(folder);
}

TEST(KeywordList, NounFilterAndTypeAheadFollowTheShownLines) {
  const char* keywords = "haus\r\nHaus\r\nHAUS\r\n\r\n\xE4hre\r\n\xC4pfel\r\n\xDC" "bung\r\nzeit\r\n";
  const auto all = KeywordListLines(keywords, false);
  EXPECT_EQ(all.size(), 8u);
  const auto nouns = KeywordListLines(keywords, true);
  EXPECT_EQ(nouns, (std::vector<AnsiString>{"Haus", "HAUS", "\xC4pfel", "\xDC" "bung"}));

  EXPECT_EQ(FindKeywordByPrefix(all, "  HAus "), 0);
  EXPECT_EQ(FindKeywordByPrefix(nouns, "haus"), 0);
  EXPECT_EQ(FindKeywordByPrefix(nouns, "hausboot"), -1);
  // Umlauts are compared exactly: ä does not find Äpfel.
  EXPECT_EQ(FindKeywordByPrefix(nouns, "\xE4"), -1);
  EXPECT_EQ(FindKeywordByPrefix(all, "\xE4"), 4);
  EXPECT_EQ(FindKeywordByPrefix(all, "\xC4p"), 5);
  EXPECT_EQ(FindKeywordByPrefix(all, "z"), 7);
}

TEST(ResultColumns, WidthsArePercentagesOfTheGridCutToPixels) {
  const TResultColumnWidths hidden = ResultColumnWidths(308, true);
  EXPECT_EQ(hidden.Title, 261);
  EXPECT_FALSE(hidden.Document.has_value());
  EXPECT_EQ(hidden.Count, 46);
  const TResultColumnWidths shown = ResultColumnWidths(308, false);
  EXPECT_EQ(shown.Title, 123);
  EXPECT_EQ(shown.Document, 138);
  EXPECT_EQ(shown.Count, 46);
}

}  // namespace
}  // namespace folverin

#include "htmlengine/style/style_sheet_cache.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "htmlengine/style/style_list.h"

namespace folverin {
namespace {

namespace fs = std::filesystem;

class StyleSheetCacheTest : public ::testing::Test {
 protected:
  StyleSheetCacheTest() {
    Folder = fs::temp_directory_path() / ("folverin-sheet-cache-" + std::to_string(::getpid()));
    fs::create_directories(Folder);
    Name = (Folder / "sheet.css").string();
  }
  ~StyleSheetCacheTest() override { fs::remove_all(Folder); }
  void Write(const std::string& text) { std::ofstream(Name, std::ios::binary) << text; }

  fs::path Folder;
  AnsiString Name;
  TStyleSheetCache Cache;
};

// Everything a store holds after a sheet went into it, key by key.
std::vector<std::pair<AnsiString, std::array<TPropValue, kPropertyCount>>> Contents(
    const TStyleList& store) {
  std::vector<std::pair<AnsiString, std::array<TPropValue, kPropertyCount>>> contents;
  for (const auto& [key, rule] : store.Entries()) contents.emplace_back(key, rule.Props);
  return contents;
}

TEST_F(StyleSheetCacheTest, AppliedSheetEqualsOneReadIntoTheStore) {
  const char* sheet =
      "a:link { color: #0066A2 } ul li { margin: 1em 2px } .x, div p.y { font: bold 12pt serif }"
      " h1 b { background: url(pic.gif) }";
  TStyleList read, applied;
  read.Initialize(TStyleDefaults());
  applied.Initialize(TStyleDefaults());
  // A sheet read before takes sequence numbers, which the next must continue.
  ParseStyleSheetText(read, "p em { color: red }", "");
  ParseStyleSheetText(applied, "p em { color: red }", "");
  ParseStyleSheetText(read, sheet, "/base/");
  ApplyStyleSheet(applied, ReadStyleSheetText(sheet, "/base/"));
  EXPECT_EQ(Contents(read), Contents(applied));
  EXPECT_EQ(read.NextSequenceNumber(), applied.NextSequenceNumber());
}

TEST_F(StyleSheetCacheTest, KeepsASheetUntilItsFileChanges) {
  Write("p { color: red }");
  auto first = Cache.Load(Name, "/base/");
  ASSERT_NE(first, nullptr);
  ASSERT_EQ(first->Rules.size(), 1u);
  EXPECT_EQ(Cache.Load(Name, "/base/"), first);  // not read again
  Write("p { color: blue } b { color: red }");
  auto second = Cache.Load(Name, "/base/");
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);
  EXPECT_EQ(second->Rules.size(), 2u);
  // Same size, later modification time.
  const auto stamp = fs::last_write_time(Name);
  Write("i { color: blue } b { color: red }");
  fs::last_write_time(Name, stamp + std::chrono::seconds(2));
  auto third = Cache.Load(Name, "/base/");
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(third->Rules.front().Selectors.front(), "i");
}

TEST_F(StyleSheetCacheTest, MissingOrEmptyFilesGiveNothingAndAreNotKept) {
  EXPECT_EQ(Cache.Load(Name, ""), nullptr);
  Write("");
  EXPECT_EQ(Cache.Load(Name, ""), nullptr);
  Write("p { color: red }");
  EXPECT_NE(Cache.Load(Name, ""), nullptr);
  fs::remove(Name);
  EXPECT_EQ(Cache.Load(Name, ""), nullptr);
}

TEST_F(StyleSheetCacheTest, KeepsABoundedNumberOfSheets) {
  std::vector<std::shared_ptr<const TParsedStyleSheet>> first;
  for (size_t i = 0; i <= TStyleSheetCache::kMaxSheets; ++i) {
    const AnsiString name = (Folder / ("s" + std::to_string(i) + ".css")).string();
    std::ofstream(name) << "p { color: red }";
    first.push_back(Cache.Load(name, ""));
  }
  // The oldest went, the newest stayed.
  EXPECT_NE(Cache.Load((Folder / "s0.css").string(), ""), first.front());
  const AnsiString last = (Folder / ("s" + std::to_string(TStyleSheetCache::kMaxSheets) + ".css")).string();
  EXPECT_EQ(Cache.Load(last, ""), first.back());
}

}  // namespace
}  // namespace folverin

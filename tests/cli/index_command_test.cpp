#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "cli_runner.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

using testing::RunCli;

std::string Page(const std::string& title, const std::string& text) {
  return "<html><head><title>" + title + "</title></head><body>" + text + "</body></html>";
}

class IndexCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.Write("folverin.ini", "[Index]\r\nStartFolder=Doku\r\nFolder=Suchindex\r\nNoNumbers=YES\r\n");
    folder_.Write("Doku/a.htm", Page("Erste Seite", "Haus 2005 Haus Garten "));
    folder_.Write("Doku/Teil2/b.htm", Page("Zweite", "Haus Haus Haus Haus Haus Haus Haus Haus Haus Haus "));
    folder_.Write("Doku/c.htm", Page("Dritte \xDC" "bung", "Haus Haus Haus Haus Haus Garten "));
  }
  std::string IndexFile(const char* name) const {
    std::ifstream in(folder_.Path() + "Suchindex/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  testing::TempFolder folder_;
};

TEST_F(IndexCommandTest, BuildsTheIndexWithTheCollectionsSettingsAndLooksUpInIt) {
  const auto build = RunCli({"index", folder_.Path()});
  ASSERT_EQ(build.ExitCode, 0) << build.Err;
  // Not a terminal: no progress, only the final action.
  EXPECT_EQ(build.Err, "FERTIG\n");
  EXPECT_EQ(build.Out, "");
  EXPECT_EQ(IndexFile("File.iDB"), "a.htm\tErste Seite\r\nc.htm\tDritte \xDC" "bung\r\nTeil2\\b.htm\tZweite\r\n");
  EXPECT_EQ(IndexFile("Keyword.iDB"), "Garten\r\nHaus\r\n");

  // Counts 2, 5 and 10 in walk order; the grid shows 10, 5, 2.
  const auto lookup = RunCli({"lookup", folder_.Path(), "Haus"});
  EXPECT_EQ(lookup.ExitCode, 0) << lookup.Err;
  EXPECT_EQ(lookup.Out, "10\tTeil2/b.htm\tZweite\n5\tc.htm\tDritte \xC3\x9C" "bung\n2\ta.htm\tErste Seite\n");
  const auto other = RunCli({"lookup", folder_.Path(), "HAUS"});
  EXPECT_EQ(other.ExitCode, 0);
  EXPECT_EQ(other.Out, "");
}

TEST_F(IndexCommandTest, FailuresAreOneGermanLineAndExitOne) {
  folder_.Write("Suchindex", "eine Datei");
  const auto build = RunCli({"index", folder_.Path()});
  EXPECT_EQ(build.ExitCode, 1);
  EXPECT_EQ(build.Err, "Der Index kann im Ordner \"" + folder_.Path() +
                           "Suchindex\" nicht geschrieben werden: Dort steht eine Datei, kein Ordner.\n");

  const auto noIndex = RunCli({"lookup", folder_.Path(), "Haus"});
  EXPECT_EQ(noIndex.ExitCode, 1);
  EXPECT_EQ(noIndex.Err, "Kein Index vorhanden: " + folder_.Path() + "Suchindex\n");

  std::filesystem::remove(folder_.Path() + "Suchindex");
  ASSERT_EQ(RunCli({"index", folder_.Path()}).ExitCode, 0);
  folder_.Write("Suchindex/Link.iDB", "Haus\t1\t2\r\nHaus\tx1\t3\r\n");
  const auto badNumber = RunCli({"lookup", folder_.Path(), "Haus"});
  EXPECT_EQ(badNumber.ExitCode, 1);
  EXPECT_EQ(badNumber.Err, "'x1' ist kein g\xC3\xBCltiger Integerwert.\n");

  EXPECT_EQ(RunCli({"lookup", folder_.Path()}).ExitCode, 2);
  EXPECT_EQ(RunCli({"index"}).ExitCode, 2);
}

}  // namespace
}  // namespace folverin

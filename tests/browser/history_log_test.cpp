#include "browser/history_log.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "test_support/bounded_run.h"
#include "test_support/special_files.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

using namespace std::chrono;
using namespace std::string_literals;

TLocalTime At(int y, unsigned m, unsigned d, int hh, int mm, int ss) {
  return local_days(year(y) / m / d) + hours(hh) + minutes(mm) + seconds(ss);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The tree as text: "day: caption <address> | ..." per group.
std::vector<std::string> Tree(const std::vector<THistoryDay>& days) {
  std::vector<std::string> lines;
  for (const THistoryDay& day : days) {
    std::string line = day.Caption + ":";
    for (const THistoryItem& entry : day.Entries) line += " " + entry.Caption + " <" + entry.Address + ">";
    lines.push_back(line);
  }
  return lines;
}

TEST(HistoryLog, GroupsVisitsByDayAndEachAddressOncePerDayNewestFirst) {
  const struct {
    const char* Case;
    TLocalTime Now;
    std::vector<THistoryVisit> Visits;
    std::vector<std::string> Tree;
  } kRows[] = {
      {"shortly after midnight on New Year's Day: day, month and year change between today and yesterday",
       At(2027, 1, 1, 0, 5, 0),
       {{At(2026, 12, 30, 12, 0, 0), "file:///a.htm", "A"},
        {At(2026, 12, 31, 23, 59, 59), "file:///b.htm", "B"},
        {At(2027, 1, 1, 0, 0, 0), "file:///c.htm", "C"},
        {At(2026, 12, 12, 8, 0, 0), "file:///d.htm", "D"}},
       {"Heute: C <file:///c.htm>", "Gestern: B <file:///b.htm>", "Mittwoch, 30.12.2026: A <file:///a.htm>",
        "Samstag, 12.12.2026: D <file:///d.htm>"}},
      {"an address once a day, by its latest title, or by the address without one; in one second the "
       "later line is the later visit",
       At(2026, 12, 10, 18, 0, 0),
       {{At(2026, 12, 9, 10, 0, 0), "file:///a.htm", "Alt"},
        {At(2026, 12, 10, 9, 0, 0), "file:///a.htm", "Erster Titel"},
        {At(2026, 12, 10, 9, 30, 0), "file:///ohne.htm", ""},
        {At(2026, 12, 10, 10, 0, 0), "file:///b.htm", "B"},
        {At(2026, 12, 10, 11, 0, 0), "file:///a.htm", "Neuer Titel"},
        {At(2026, 12, 10, 12, 0, 0), "file:///b.htm", ""},
        {At(2026, 12, 10, 13, 0, 0), "file:///x.htm", "X"},
        {At(2026, 12, 10, 13, 0, 0), "file:///y.htm", "Y"}},
       {"Heute: Y <file:///y.htm> X <file:///x.htm> B <file:///b.htm> Neuer Titel <file:///a.htm> "
        "file:///ohne.htm <file:///ohne.htm>",
        "Gestern: Alt <file:///a.htm>"}},
      {"nothing", At(2026, 12, 10, 18, 0, 0), {}, {}},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.Case);
    EXPECT_EQ(Tree(GroupHistory(row.Visits, row.Now)), row.Tree);
  }
}

TEST(HistoryLog, KeepsTwentyDaysAndIgnoresWhatIsNoVisit) {
  const TLocalTime now = At(2026, 12, 10, 12, 0, 0);
  const std::string log =
      "2026-11-20 11:59:59\tfile:///zu-alt.htm\tZu alt\n"
      "2026-11-20 12:00:00\tfile:///grenze.htm\tGrenze\n"
      "M\xFClltext ohne Tabulator\n"
      "\n"
      "2026-02-30 10:00:00\tfile:///kein-tag.htm\tKein Tag\n"
      "2026-12-10 25:00:00\tfile:///keine-zeit.htm\tKeine Zeit\n"
      "2026-12-10 10:00:00\t\tOhne Adresse\n"
      "2026-12-10 10:00:00\tfile:///a.htm\tZu\tviele\n"
      "2026-12-10 10:00:00\tfile:///windows.htm\tZeilenende\r\n"
      "2026-12-10 10:00:00\tfile:///g%C3%BC.htm\tGem\xC3\xBCse\n"
      "\x00\x01\x02\xFF\xFE\n"
      "2026-12-11 08:00:00\tfile:///zukunft.htm\tUhr verstellt\n"
      "2026-12-10 11:00:00\tfile:///abgeschnitten.htm\tAbgesch"s;
  const std::vector<THistoryVisit> visits = ParseHistoryLog(std::string_view(log.data(), log.size()), now);
  std::vector<std::string> seen;
  for (const THistoryVisit& visit : visits) seen.push_back(visit.Address + " " + visit.Title);
  EXPECT_EQ(seen, (std::vector<std::string>{"file:///grenze.htm Grenze", "file:///windows.htm Zeilenende",
                                            "file:///g%C3%BC.htm Gem\xFCse", "file:///zukunft.htm Uhr verstellt"}));
  EXPECT_EQ(visits[0].Time, At(2026, 11, 20, 12, 0, 0));
}

TEST(HistoryLog, AVisitAppendedIsReadBackWholeEvenAfterACutLine) {
  testing::TempFolder folder;
  const std::string path = folder.Path() + "Verlauf.log";
  const TLocalTime now = At(2026, 12, 10, 12, 0, 0);
  EXPECT_FALSE(AppendHistoryVisit(path, {At(2026, 12, 10, 9, 0, 0), "file:///a.htm", "Tab\there\r\nund Zeile"}));
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_EQ(ReadFile(path), "2026-12-10 09:00:00\tfile:///a.htm\tTab here  und Zeile\n");

  // A run that ended in the middle of a line: the next visit is not glued to it.
  std::ofstream(path, std::ios::app) << "2026-12-10 10:00:00\tfile:///halb";
  EXPECT_FALSE(AppendHistoryVisit(path, {At(2026, 12, 10, 11, 0, 0), "file:///b.htm", "Gem\xFCse"}));
  std::ofstream(path, std::ios::app) << "2026-12-10 11:30:00\tfile:///c.htm\tHalber Tit";
  EXPECT_FALSE(AppendHistoryVisit(path, {At(2026, 12, 10, 11, 40, 0), "file:///d.htm", ""}));
  const std::vector<THistoryVisit> visits = ReadHistoryLog(path, now);
  ASSERT_EQ(visits.size(), 3u);
  EXPECT_EQ(visits[2].Address, "file:///d.htm");
  EXPECT_EQ(visits[0].Title, "Tab here  und Zeile");
  EXPECT_EQ(visits[1].Address, "file:///b.htm");
  EXPECT_EQ(visits[1].Title, "Gem\xFCse");
  EXPECT_NE(ReadFile(path).find("\tGem\xC3\xBCse\n"), std::string::npos);
}

TEST(HistoryLog, ALogThatCannotBeWrittenOrReadIsAnErrorNotAHang) {
  testing::TempFolder folder;
  const THistoryVisit visit{At(2026, 12, 10, 9, 0, 0), "file:///a.htm", "A"};
  EXPECT_TRUE(AppendHistoryVisit(folder.Path() + "fehlt/Verlauf.log", visit));
  const std::string file = folder.Write("datei", "x");
  EXPECT_TRUE(AppendHistoryVisit(file + "/Verlauf.log", visit));
  for (const testing::TSpecialKind kind : testing::AllSpecialKinds()) {
    SCOPED_TRACE(testing::SpecialKindName(kind));
    const std::string path = folder.Path() + testing::SpecialKindName(kind);
    if (!testing::MakeSpecial(kind, path)) continue;
    const auto result = testing::RunBounded([&] {
      const bool refused = AppendHistoryVisit(path, visit).has_value();
      return refused && ReadHistoryLog(path, visit.Time).empty();
    });
    EXPECT_EQ(result, testing::TBoundedResult::Passed);
  }
  EXPECT_TRUE(ReadHistoryLog(folder.Path() + "fehlt.log", visit.Time).empty());
}

TEST(HistoryLog, ALogWithManyStaleLinesIsRewrittenWithTheVisitsKept) {
  testing::TempFolder folder;
  const std::string old = "2026-10-01 10:00:00\tfile:///alt.htm\tAlt\n";
  const std::string recent = "2026-12-09 10:00:00\tfile:///neu.htm\tNeu\n";
  const std::string log = old + old + "Unsinn\n" + recent + old + recent;
  const std::string path = folder.Write("Verlauf.log", log);
  const TLocalTime now = At(2026, 12, 10, 12, 0, 0);
  EXPECT_EQ(ReadHistoryLog(path, now, 4).size(), 2u);
  EXPECT_EQ(ReadFile(path), log);
  EXPECT_EQ(ReadHistoryLog(path, now, 3).size(), 2u);
  EXPECT_EQ(ReadFile(path), recent + recent);
}

TEST(HistoryLog, RecordsDocumentsButNotBlankOrResultPages) {
  const struct {
    const char* Address;
    bool Recorded;
  } kRows[] = {
      {"file:///sammlung/seite.htm", true},
      {"http://example.invalid/", true},
      {"about:blank", false},
      {"ABOUT:version", false},
      {"data:text/html,<p>x", false},
      {"", false},
      {"file:///run/user/0/folverin/@SEARCH@.HTM", false},
      {"file:///run/user/0/folverin/%40SEARCH%40.HTM", false},
      {"file:///run/user/0/folverin/anders.htm", true},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.Address);
    EXPECT_EQ(IsHistoryAddress(row.Address, "/run/user/0/folverin/@SEARCH@.HTM"), row.Recorded);
  }
  EXPECT_TRUE(IsHistoryAddress("file:///a.htm", ""));
}

}  // namespace
}  // namespace folverin

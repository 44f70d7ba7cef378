#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli_runner.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

using testing::RunCli;
using testing::RunCliUnprivileged;

size_t Lines(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

class SearchCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.Write("a.htm", "<HTML><BODY>Der Apfelbaum bl&uuml;ht</BODY></HTML>");
    folder_.Write("b.html", "<HTML><BODY>Birnen und <B>Äpfel</B></BODY></HTML>");
    folder_.Write("teil/c.htm", "<HTML><BODY>Apfel im Keller</BODY></HTML>");
    folder_.Write("teil/d.txt", "Apfel");
  }
  testing::TempFolder folder_;
};

TEST_F(SearchCommandTest, PrintsEveryHitInWalkOrder) {
  const auto run = RunCli({"search", folder_.Path(), "apfel"});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, folder_.Path() + "a.htm\n" + folder_.Path() + "teil/c.htm\n");
  const auto umlaut = RunCli({"search", folder_.Path(), "bl&uuml;ht OR keller"});
  EXPECT_EQ(umlaut.Out, folder_.Path() + "a.htm\n" + folder_.Path() + "teil/c.htm\n");
}

TEST_F(SearchCommandTest, WritesTheResultPageWhenAsked) {
  const std::string page = folder_.Path() + "ergebnis.htm";
  const auto run = RunCli({"search", folder_.Path(), "birnen", "--page", page});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  std::ifstream in(page, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("b.html"), std::string::npos);
  EXPECT_NE(text.str().find("\r\n"), std::string::npos);
}

TEST_F(SearchCommandTest, QueryErrorsAndBadArguments) {
  const auto run = RunCli({"search", folder_.Path(), "a b c"});
  EXPECT_EQ(run.ExitCode, 2);
  EXPECT_EQ(run.Out, "");
  EXPECT_NE(run.Err.find("Syntax-Fehler"), std::string::npos);
  EXPECT_EQ(RunCli({"search", folder_.Path()}).ExitCode, 2);
  EXPECT_EQ(RunCli({"search", folder_.Path(), "x", "--page"}).ExitCode, 2);
  EXPECT_EQ(RunCli({"search", folder_.Path() + "fehlt/", "apfel"}).ExitCode, 1);
}

TEST_F(SearchCommandTest, PrintsOneHitPerLineWhateverTheNamesHold) {
  struct TName {
    std::string OnDisk;  // UTF-8
    std::string Printed;
  };
  const TName names[] = {
      {"neue\nZeile.htm", "neue\\nZeile.htm"},
      {"tab\tund\rcr.htm", "tab\\tund\\rcr.htm"},
      {"esc\x1b[31mrot.htm", "esc\\x1b[31mrot.htm"},
      {"back\\slash.htm", "back\\\\slash.htm"},
      {"del\x7f.htm", "del\\x7f.htm"},
      {"c1\xC2\x9D.htm", "c1\\u009d.htm"},
      {"M\xC3\xBCller \xE2\x82\xAC.htm", "M\xC3\xBCller \xE2\x82\xAC.htm"},
  };
  testing::TempFolder folder;
  for (const TName& name : names) folder.Write(name.OnDisk, "<p>Apfel</p>");
  const auto run = RunCli({"search", folder.Path(), "apfel"});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(Lines(run.Out), std::size(names)) << run.Out;
  for (const TName& name : names) {
    EXPECT_NE(run.Out.find(folder.Path() + name.Printed + "\n"), std::string::npos) << name.Printed;
  }
  EXPECT_EQ(run.Out.find('\x1b'), std::string::npos);

  // --null: every path exactly as on disk, each followed by a byte 0.
  const auto raw = RunCli({"search", "--null", folder.Path(), "apfel"});
  EXPECT_EQ(raw.ExitCode, 0) << raw.Err;
  EXPECT_EQ(std::count(raw.Out.begin(), raw.Out.end(), '\0'), std::ssize(names));
  for (const TName& name : names) {
    EXPECT_NE(raw.Out.find(folder.Path() + name.OnDisk + std::string(1, '\0')), std::string::npos)
        << name.Printed;
  }
}

TEST_F(SearchCommandTest, NamesItSkipsAreEscapedToo) {
  folder_.Write("kaputt\xFF\x1b.htm", "<p>Apfel</p>");
  const auto run = RunCli({"search", folder_.Path(), "apfel"});
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Err, "Name ohne Windows-1252-Form, \xC3\xBC" "bergangen: " + folder_.Path() +
                         "kaputt\\xff\\x1b.htm\n");
}

TEST_F(SearchCommandTest, ReadsAQueryInWindows1252) {
  folder_.Write("e.htm", "<p>&Auml;pfel und Birnen</p>");
  for (const std::string query : {"\xC4pfel", "\xC3\x84pfel"}) {
    const auto run = RunCli({"search", folder_.Path(), query});
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Out, folder_.Path() + "e.htm\n") << query;
  }
}

TEST_F(SearchCommandTest, PageDashWritesOnlyThePageToStandardOutput) {
  ASSERT_FALSE(std::filesystem::exists("-"));
  const auto run = RunCli({"search", folder_.Path(), "apfel", "--page", "-"});
  const bool strayFile = std::filesystem::remove("-");
  EXPECT_FALSE(strayFile);
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out.substr(0, 8), "<HTML>\r\n");
  EXPECT_EQ(run.Out.substr(run.Out.size() - 13), "</HTML>\r\n\r\n\r\n");
  EXPECT_NE(run.Out.find("<A HREF=\"" + folder_.Path() + "teil/c.htm\"> " + folder_.Path() +
                         "teil/c.htm</A>\r\n"),
            std::string::npos);
  // No hit lines mixed into the page.
  EXPECT_EQ(run.Out.find(folder_.Path() + "a.htm\n"), std::string::npos);
  EXPECT_EQ(RunCli({"search", folder_.Path(), "apfel", "--page", "-", "--null"}).ExitCode, 2);
}

TEST_F(SearchCommandTest, ReportsAFolderItCannotRead) {
  // As root the program runs as "nobody", who must be able to reach it.
  if (RunCliUnprivileged({}).ExitCode != 2) GTEST_SKIP() << "program not runnable as nobody here";
  const std::string locked = folder_.Path() + "teil/gesperrt/";
  folder_.Write("teil/gesperrt/x.htm", "<p>Apfel</p>");
  // Readable for the user the program runs as, but for the locked folder.
  chmod(folder_.Path().c_str(), 0755);
  chmod(locked.c_str(), 0);
  const auto run = RunCliUnprivileged({"search", folder_.Path(), "apfel"});
  chmod(locked.c_str(), 0755);
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, folder_.Path() + "a.htm\n" + folder_.Path() + "teil/c.htm\n");
  EXPECT_EQ(run.Err, "Ordner nicht lesbar, \xC3\xBC" "bergangen: " + locked + "\n");
}

TEST_F(SearchCommandTest, AFullOutputIsAFailure) {
  for (const auto& extra : {std::vector<std::string>{}, std::vector<std::string>{"--page", "-"}}) {
    std::vector<std::string> args = {"search", folder_.Path(), "apfel"};
    args.insert(args.end(), extra.begin(), extra.end());
    const auto run = testing::RunCliWritingTo("/dev/full", args);
    EXPECT_EQ(run.ExitCode, 1) << args.size();
    EXPECT_EQ(run.Err, "Ausgabe nicht geschrieben: No space left on device\n");
  }
}

TEST(SearchCommandUsage, ListsEveryOption) {
  for (const auto& args : {std::vector<std::string>{"search"}, std::vector<std::string>{}}) {
    const auto run = RunCli(args);
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_NE(run.Err.find("--page FILE"), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find("--null"), std::string::npos) << run.Err;
  }
}

}  // namespace
}  // namespace folverin

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli_runner.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

using testing::RunCli;

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

}  // namespace
}  // namespace folverin

#include <gtest/gtest.h>

#include <sstream>

#include "cli_runner.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

using testing::RunCli;

TEST(LinksCommand, OneLinePerFindingAndTheExitCodeSaysWhetherAnyWasFound) {
  testing::TempFolder folder;
  folder.Write("seite.htm", "x");
  const std::string a = folder.Write(
      "a.htm", "<A HREF=\"seite.htm\">ok</A>\n<a href=\"fehlt.htm\">x</a> <A HREF=\"http://example.org\">\r\n"
               "<A HREF=\"https://example.org\">");
  const auto run = RunCli({"links", a});
  EXPECT_EQ(run.ExitCode, 1) << run.Err;
  EXPECT_EQ(run.Out, a + "\t2\tmissing\tFEHLT.HTM\n" + a + "\t2\texternal\tHTTP://EXAMPLE.ORG\n" + a +
                         "\t3\tmissing\tHTTPS://EXAMPLE.ORG\n");
  EXPECT_EQ(run.Err, "");

  const auto offline = RunCli({"links", "--offline", a});
  EXPECT_EQ(offline.ExitCode, 1);
  EXPECT_EQ(offline.Out, a + "\t2\tmissing\tFEHLT.HTM\n" + a + "\t3\tmissing\tHTTPS://EXAMPLE.ORG\n");

  const std::string clean = folder.Write("b.htm", "<A HREF=\"SEITE.HTM\"><A HREF=\"www.example.org\">");
  const auto none = RunCli({"links", clean, "--offline"});
  EXPECT_EQ(none.ExitCode, 0) << none.Err;
  EXPECT_EQ(none.Out, "");
}

TEST(LinksCommand, AFolderMeansEveryHtmlDocumentBelowItInWalkOrder) {
  testing::TempFolder folder;
  folder.Write("z.HTML", "<A HREF=\"weg1\">");
  folder.Write("a.htm", "<A HREF=\"weg2\">");
  folder.Write("bild.gif", "<A HREF=\"weg3\">");
  folder.Write("Unter/b.htm", "<A HREF=\"../a.htm\"><A HREF=\"weg4\">");
  folder.MakeFolder("ordner.htm");
  const auto run = RunCli({"links", folder.Path()});
  EXPECT_EQ(run.ExitCode, 1) << run.Err;
  EXPECT_EQ(run.Out, folder.Path() + "a.htm\t1\tmissing\tWEG2\n" + folder.Path() + "z.HTML\t1\tmissing\tWEG1\n" +
                         folder.Path() + "Unter/b.htm\t1\tmissing\tWEG4\n");
}

TEST(LinksCommand, BadArgumentsAndUnreadableDocuments) {
  EXPECT_EQ(RunCli({"links"}).ExitCode, 2);
  EXPECT_EQ(RunCli({"links", "--offline"}).ExitCode, 2);
  EXPECT_EQ(RunCli({"links", "--online", "a.htm"}).ExitCode, 2);
  const auto missing = RunCli({"links", "/nirgends/fehlt.htm"});
  EXPECT_EQ(missing.ExitCode, 1);
  EXPECT_EQ(missing.Err, "Nicht lesbar: /nirgends/fehlt.htm\n");
  EXPECT_EQ(missing.Out, "");
}

TEST(LinksCommand, NamesAndTargetsAreEscapedFieldByField) {
  testing::TempFolder folder;
  const std::string doc = folder.Write("a\tb.htm", "<A HREF=\"x\ty\xE4.htm\">");
  const auto run = RunCli({"links", doc});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Out, folder.Path() + "a\\tb.htm\t1\tmissing\tX\\tY\xC3\xA4.HTM\n");
}

TEST(LinksCommand, BadInputEnds) {
  testing::TempFolder folder;
  std::string many;
  for (int i = 0; i < 100000; ++i) many += "<A HREF=\"a.htm\">x</A>";
  many += std::string("\0<A HREF=\"", 10) + std::string(10 << 20, 'x');
  folder.Write("a.htm", "");
  const auto run = RunCli({"links", folder.Write("viel.htm", many)});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, "");
}

// The sample collection has no broken local link: what it reports are the
// search links and an HTTPS address, which the check counts as local paths.
TEST(LinksCommand, SampleCollection) {
  const auto run = RunCli({"links", FOLVERIN_SAMPLE_COLLECTION});
  EXPECT_EQ(run.ExitCode, 1) << run.Err;
  EXPECT_EQ(run.Err, "");
  std::istringstream lines(run.Out);
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    const size_t kind = line.find("\tmissing\t");
    ASSERT_NE(kind, std::string::npos) << line;
    const std::string target = line.substr(kind + 9);
    EXPECT_TRUE(target.starts_with("SEARCH-INTERNAL:") || target.starts_with("HTTPS:")) << line;
  }
  EXPECT_GT(count, 5);
}

}  // namespace
}  // namespace folverin

#include <gtest/gtest.h>

#include "cli_runner.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

using testing::RunCli;

TEST(TextCommand, TitleThenTheCollectedTextOfEachFile) {
  testing::TempFolder folder;
  const std::string a = folder.Write(
      "a.htm", "<HTML><HEAD><TITLE>Gr&ouml;&szlig;e</TITLE></HEAD><BODY><P>Erster</P><P>Zweiter</P></BODY></HTML>");
  const std::string b = folder.Write("b.htm", "<BODY>nur Text &auml; &#8364; &#x4E2D;</BODY>");
  const auto run = RunCli({"text", a, b});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  // UTF-8 title, a line feed, the text with its CR LF, a final line feed; one
  // block per file in the order given.
  EXPECT_EQ(run.Out.substr(0, 8), "Gr\xC3\xB6\xC3\x9F" "e\n");
  EXPECT_NE(run.Out.find("Erster\r\n"), std::string::npos);
  const size_t second = run.Out.find("\nnur Text \xC3\xA4 \xE2\x82\xAC \xE4\xB8\xAD\n");
  ASSERT_NE(second, std::string::npos);
  EXPECT_LT(run.Out.find("Zweiter"), second);
}

TEST(TextCommand, TextIsWrittenAsValidUtf8) {
  testing::TempFolder folder;
  // A lone surrogate, a surrogate pair and a Windows-1252 letter.
  const std::string a = folder.Write("a.htm", "<BODY>a&#xD800;b &#xD83D;&#xDE00; c\xE4</BODY>");
  const auto run = RunCli({"text", a});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, "\na\xEF\xBF\xBD" "b \xF0\x9F\x98\x80 c\xC3\xA4\n");
}

TEST(TextCommand, LongTextsKeepEveryCharacterAcrossTheWriteBuffer) {
  testing::TempFolder folder;
  // A pair whose halves fall on both sides of 4096 units, then more
  // three-byte characters than one buffer holds.
  std::string html = "<BODY>" + std::string(4095, 'a') + "&#xD83D;&#xDE00;";
  std::string expected = "\n" + std::string(4095, 'a') + "\xF0\x9F\x98\x80";
  for (int i = 0; i < 5000; ++i) {
    html += "&#8364;";
    expected += "\xE2\x82\xAC";
  }
  html += "&#xD800;</BODY>";  // a lone half at the very end
  expected += "\xEF\xBF\xBD\n";
  const auto run = RunCli({"text", folder.Write("a.htm", html)});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out.size(), expected.size());
  EXPECT_TRUE(run.Out == expected);
}

TEST(TextCommand, MissingFilesAndBadArguments) {
  EXPECT_EQ(RunCli({"text"}).ExitCode, 2);
  const auto missing = RunCli({"text", "/nirgends/fehlt.htm"});
  EXPECT_EQ(missing.ExitCode, 1);
  EXPECT_NE(missing.Err, "");
}

TEST(TextCommand, AFailedFileShowsNothingOfThePreviousOne) {
  testing::TempFolder folder;
  const std::string a = folder.Write("a.htm", "<TITLE>A</TITLE>erste Datei");
  const std::string b = folder.Write("b.htm", "zweite Datei");
  const auto run = RunCli({"text", a, folder.Path() + "fehlt.htm", "", b});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Out, "A\nerste Datei\n\nzweite Datei\n");
  EXPECT_EQ(run.Err, "Can't locate file: " + folder.Path() + "fehlt.htm\nCan't locate file: \n");
}

TEST(TextCommand, AWideTableIsNamedOnStderrAndKeepsAllText) {
  testing::TempFolder folder;
  std::string row;
  for (int i = 0; i < 201; ++i) row += "<TD>z";
  const std::string wide = folder.Write(
      "breit.htm", "<TITLE>Breit</TITLE><P>vorher<TABLE><TR><TD COLSPAN=1000>spalten</TABLE>"
                   "<TABLE><TR>" + row + "</TABLE><P>nachher");
  const std::string plain = folder.Write("schmal.htm", "<TITLE>Schmal</TITLE>nur Text");
  const auto run = RunCli({"text", wide, plain});
  // The text is whole: no failure, only a word on stderr, once per file.
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Err, wide + ": Tabelle mit zu vielen Spalten, nur ihr Text wird gelesen\n");
  EXPECT_EQ(run.Out.substr(0, 6 + 2 + 6), "Breit\nvorher\r\n");
  EXPECT_NE(run.Out.find("spalten\r\nz\r\n"), std::string::npos);
  EXPECT_NE(run.Out.find("z\r\nnachher\nSchmal\nnur Text\n"), std::string::npos);
}

}  // namespace
}  // namespace folverin

#include "search/result_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/app_settings.h"
#include "common/windows1252.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

using TSearchTestFolder = folverin::testing::TempFolder;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

const char* const kFuer = " f\xFCr ";

TEST(ResultPagePerformance, FormatsTheTimeAtItsBoundaries) {
  auto timeLine = [](uint32_t ms) { return PerformanceLines(ms, 12, 0)[2]; };
  EXPECT_EQ(timeLine(999), std::string("999 ms") + kFuer + "12 HTML-Dokumente.<BR>");
  EXPECT_EQ(timeLine(1000), std::string("1 Sekunde(n)") + kFuer + "12 HTML-Dokumente.<BR>");
  EXPECT_EQ(timeLine(60000), std::string("60 Sekunde(n)") + kFuer + "12 HTML-Dokumente.<BR>");
  EXPECT_EQ(timeLine(60001), std::string("1 Min 0 Sek") + kFuer + "12 HTML-Dokumente.<BR>");
  EXPECT_EQ(timeLine(125000), std::string("2 Min 5 Sek") + kFuer + "12 HTML-Dokumente.<BR>");
}

TEST(ResultPagePerformance, FormatsVolumeAndThroughput) {
  EXPECT_EQ(PerformanceLines(1, 1, 1048575)[3], "Datenvolumen 1023 KByte.<BR>");
  EXPECT_EQ(PerformanceLines(1, 1, 1048576)[3], "Datenvolumen 1 MByte.<BR>");
  EXPECT_EQ(PerformanceLines(1, 1, 500)[3], "Datenvolumen 0 KByte.<BR>");
  EXPECT_EQ(PerformanceLines(2000, 1, 2048000)[4], "Datendurchsatz 1000 KByte/sec.<BR>");
  // 0 ms counts as 1 ms for the division only.
  const TResultPage instant = PerformanceLines(0, 3, 10240);
  EXPECT_EQ(instant[2], std::string("0 ms") + kFuer + "3 HTML-Dokumente.<BR>");
  EXPECT_EQ(instant[4], "Datendurchsatz 10000 KByte/sec.<BR>");
  // Unsigned 32-bit arithmetic, as the counters are.
  EXPECT_EQ(PerformanceLines(1, 1, 4294967295u)[4],
            "Datendurchsatz " + std::to_string(static_cast<uint32_t>(4294967295u * 1000u) >> 10) +
                " KByte/sec.<BR>");
  const TResultPage lines = PerformanceLines(5, 1, 0);
  EXPECT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "<HR><P><SMALL>");
  EXPECT_EQ(lines[5], "</SMALL></P><HR>");
}

TEST(ResultPageLink, WritesHrefTargetAndText) {
  EXPECT_EQ(ResultLinkLine("/prog/doku/a.htm", "rechts"),
            "<A HREF=\"/prog/doku/a.htm\" TARGET=rechts> /prog/doku/a.htm</A>");
  EXPECT_EQ(ResultLinkLine("/prog/doku/a.htm", ""),
            "<A HREF=\"/prog/doku/a.htm\"> /prog/doku/a.htm</A>");
  // Names on disk may hold markup characters; the page must stay intact.
  EXPECT_EQ(ResultLinkLine("/p/<b>&\"x\".htm", ""),
            "<A HREF=\"/p/&lt;b&gt;&amp;&quot;x&quot;.htm\"> /p/&lt;b&gt;&amp;&quot;x&quot;.htm</A>");
  EXPECT_EQ(ResultLinkLine("/p/a\\b \xFC.htm", ""),
            "<A HREF=\"/p/a%5Cb%20\xFC.htm\"> /p/a\\b \xFC.htm</A>");
}

// What the browser opens for an HREF of the page: the attribute value as
// the page's Windows-1252 text, read by the address parser against the
// page's file address (tabs and line breaks dropped, blanks and controls
// trimmed at the ends, a backslash taken as "/", "?" and "#" ending the
// path, a leading "X|" made a drive letter) and percent-decoded into the
// bytes of a name on disk.
std::string OpenedFile(const std::string& linkLine) {
  const size_t start = linkLine.find("HREF=\"") + 6;
  std::string href = linkLine.substr(start, linkLine.find('"', start) - start);
  for (const auto& [entity, c] : std::vector<std::pair<std::string, char>>{
           {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&amp;", '&'}}) {
    for (size_t at = href.find(entity); at != std::string::npos; at = href.find(entity, at + 1))
      href.replace(at, entity.size(), 1, c);
  }
  std::string address = AnsiToUtf8(href);
  std::erase_if(address, [](char c) { return c == '\t' || c == '\n' || c == '\r'; });
  while (!address.empty() && static_cast<unsigned char>(address.back()) <= 0x20) address.pop_back();
  address = address.substr(0, address.find_first_of("?#"));
  std::replace(address.begin(), address.end(), '\\', '/');
  if (address.size() >= 3 && address[2] == '|' && (address.size() == 3 || address[3] == '/'))
    address[2] = ':';
  std::string file;
  for (size_t i = 0; i < address.size(); ++i) {
    if (address[i] == '%' && i + 2 < address.size() && std::isxdigit(address[i + 1]) &&
        std::isxdigit(address[i + 2])) {
      file += static_cast<char>(std::stoi(address.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      file += address[i];
    }
  }
  return file;
}

TEST(ResultPageLink, HrefOpensTheDocumentWhateverItsName) {
  const std::vector<std::string> paths = {
      "/doku/hash#frag.htm", "/doku/ques?x=1.htm", "/doku/pct%41.htm", "/doku/a%20b.htm",
      "/doku/back\\slash.htm", "/doku/tab\tname.htm", "/doku/new\nline\r.htm",
      "/doku/blank at the end.htm ", "/c|/a.htm", "/doku/&<b>\"'.htm", "/doku/esc\x1b[1m.htm",
      "/doku/del\x7F.htm", "/doku/euro\x80 \x81.htm", "/doku/Stra\xDF" "e \xFC.htm"};
  for (const std::string& path : paths) {
    const AnsiString line = ResultLinkLine(path, "");
    EXPECT_EQ(OpenedFile(line), AnsiToUtf8(path)) << line;
    // The link text shows the name as it is; only markup characters are
    // written as entities there.
    if (path.find_first_of("<>&\"") == std::string::npos) {
      EXPECT_TRUE(line.ends_with("> " + path + "</A>")) << line;
    }
  }
}

TEST(ResultPageLink, OrdinaryNamesKeepTheirBytesInTheHref) {
  for (const std::string path : {"/prog/doku/Kapitel_1-2.HTM", "/home/anna/M\xFCller/\xC4rger.htm",
                                  "/x/A.b.c_d-e/\xDF.html"}) {
    EXPECT_EQ(ResultLinkLine(path, ""), "<A HREF=\"" + path + "\"> " + path + "</A>");
    EXPECT_EQ(OpenedFile(ResultLinkLine(path, "")), AnsiToUtf8(path));
  }
}

TEST(ResultPageLines, FollowTheDocumentedOrder) {
  TAppSettings settings;
  settings.SearchBody = "<BODY BGCOLOR=white>";
  settings.SearchHeader = "<H1>Treffer</H1>";
  settings.SearchFooter = "<P>Ende & <B>";  // templates are written unescaped
  TResultPage page = StartResultPage(settings);
  AppendResultEntry(page, settings, "/c/a.htm");
  AppendResultEntry(page, settings, "/c/b.htm");
  FinishResultPage(page, settings, 5, 2, 100);
  const TResultPage expected = {
      "<HTML>", "<HEAD>", "  <TITLE>Suchergebnisse</TITLE>", "</HEAD>", "",
      "<BODY BGCOLOR=white>", "<H1>Treffer</H1>",
      "", "<A HREF=\"/c/a.htm\"> /c/a.htm</A>", "",
      "", "<A HREF=\"/c/b.htm\"> /c/b.htm</A>", "",
      "<P>Ende & <B>", "</BODY>", "</HTML>", "", ""};
  EXPECT_EQ(page, expected);

  settings.ShowPerformance = true;
  settings.SearchBeginEntry = "<LI>";
  settings.SearchEndEntry = "</LI>";
  TResultPage withFooter = StartResultPage(settings);
  AppendResultEntry(withFooter, settings, "/c/a.htm");
  FinishResultPage(withFooter, settings, 999, 12, 0);
  ASSERT_EQ(withFooter.size(), 7u + 3u + 6u + 5u);
  EXPECT_EQ(withFooter[7], "<LI>");
  EXPECT_EQ(withFooter[9], "</LI>");
  EXPECT_EQ(withFooter[12], std::string("999 ms") + kFuer + "12 HTML-Dokumente.<BR>");
  EXPECT_EQ(withFooter[16], "<P>Ende & <B>");
}

TEST(ResultPageFile, IsWrittenWholeWithCrLfAndReplacesThePreviousOne) {
  TSearchTestFolder folder;
  const std::string previous = folder.Write("old.htm", "old");
  const std::string pageFile = folder.Path() + "@SEARCH@.HTM";
  AnsiString lastResultFile = previous;
  ASSERT_FALSE(SaveResultPage({"<HTML>", "", "f\xFCr"}, pageFile, lastResultFile));
  EXPECT_EQ(ReadFile(pageFile), "<HTML>\r\n\r\nf\xFCr\r\n");
  EXPECT_EQ(lastResultFile, pageFile);
  EXPECT_FALSE(std::filesystem::exists(previous));

  // Written again to the same path: the previous file is the page itself.
  ASSERT_FALSE(SaveResultPage({"x"}, pageFile, lastResultFile));
  EXPECT_EQ(ReadFile(pageFile), "x\r\n");

  // An unwritable place: an error, and nothing else changes.
  AnsiString unchanged = pageFile;
  const auto error = SaveResultPage({"y"}, folder.Path() + "no/such/folder/p.htm", unchanged);
  EXPECT_TRUE(error.has_value());
  EXPECT_EQ(unchanged, pageFile);
}

}  // namespace
}  // namespace folverin

#include "editor/link_check.h"

#include <gtest/gtest.h>

#include "test_support/temp_folder.h"

namespace folverin {
namespace {

// "line kind target" per finding, to compare whole results at once.
std::vector<std::string> Listed(const std::vector<TLinkFinding>& findings) {
  std::vector<std::string> rows;
  for (const TLinkFinding& f : findings)
    rows.push_back(std::to_string(f.Line) + " " + std::string(LinkKindName(f.Kind)) + " " + f.Target);
  return rows;
}

using Rows = std::vector<std::string>;

class LinkCheck : public ::testing::Test {
 protected:
  LinkCheck() {
    folder_.Write("html/seite.htm", "x");
    folder_.Write("html/Gross.HTM", "x");
    folder_.Write("html/m\xC3\xBCller.htm", "x");  // müller.htm on disk (UTF-8)
    folder_.Write("html/bilder/logo.gif", "x");
    folder_.MakeFolder("html/ordner");
    doc_ = folder_.Path() + "html/";
  }
  std::vector<std::string> Check(std::string_view text, bool offlineOnly = false) {
    return Listed(CheckLinks(text, doc_, offlineOnly));
  }

  testing::TempFolder folder_;
  std::string doc_;
};

TEST_F(LinkCheck, ExistingFilesAreInOrderWithoutRegardToCaseAndEntities) {
  EXPECT_EQ(Check("<A HREF=\"seite.htm\">a</A><a href=\"gross.htm\">b</a>"), Rows{});
  EXPECT_EQ(Check("<A HREF=\"m&uuml;ller.htm\">"), Rows{});
  EXPECT_EQ(Check("<A HREF=\"bilder/logo.gif\"><A HREF=\"bilder\\LOGO.GIF\"><A HREF=\"/seite.htm\">"), Rows{});
  // Trimmed as a whole path: a trailing blank goes, a leading one stays.
  EXPECT_EQ(Check("<A HREF=\"seite.htm \"><A HREF=\" seite.htm\">"), Rows{"1 missing  SEITE.HTM"});
  // The folder without a trailing "/" is found the same.
  EXPECT_EQ(Listed(CheckLinks("<A HREF=\"seite.htm\">", folder_.Path() + "html", false)), Rows{});
}

TEST_F(LinkCheck, MissingTargetsAreListedUpperCasedOnTheLineOfTheClosingBracket) {
  EXPECT_EQ(Check("<HTML>\r\n<A HREF=\"fehlt.htm\">x</A>\r\n<a href=\"bilder/weg.gif\"\r\n>"),
            (Rows{"2 missing FEHLT.HTM", "4 missing BILDER/WEG.GIF"}));
  // Any line end counts, as the editor shows the file.
  EXPECT_EQ(Check("a\nb\rc\r\n<A HREF=\"x.htm\">"), Rows{"4 missing X.HTM"});
  // Two on one line: two findings.
  EXPECT_EQ(Check("<A HREF=\"a.htm\">a</A> <A HREF=\"b.htm\">b</A>"),
            (Rows{"1 missing A.HTM", "1 missing B.HTM"}));
  // A folder is no file.
  EXPECT_EQ(Check("<A HREF=\"ordner\"><A HREF=\"ordner/\">"), (Rows{"1 missing ORDNER", "1 missing ORDNER/"}));
  EXPECT_EQ(Check("<A HREF=\"\">"), Rows{"1 missing "});
}

TEST_F(LinkCheck, ExternalAddressesByTheFourPrefixesOnly) {
  EXPECT_EQ(Check("<A HREF=\"http://example.org/\"><A HREF=\"www.example.org\">\r\n"
                  "<A HREF=\"ftp://host/a\"><A HREF=\"mailto:a@b.de\"><A HREF=\"https://example.org/\">"),
            (Rows{"1 external HTTP://EXAMPLE.ORG/", "1 external WWW.EXAMPLE.ORG", "2 external FTP://HOST/A",
                  "2 external MAILTO:A@B.DE", "2 missing HTTPS://EXAMPLE.ORG/"}));
  EXPECT_EQ(Check("<A HREF=\"http://example.org/\"><A HREF=\"javascript:x()\">", true),
            Rows{"1 missing JAVASCRIPT:X()"});
}

TEST_F(LinkCheck, FragmentsAreAlwaysInOrder) {
  EXPECT_EQ(Check("<A HREF=\"fehlt.htm#abschnitt\"><A HREF=\"#oben\"><A HREF=\"http://x/#a\">"), Rows{});
}

TEST_F(LinkCheck, OnlyTagsBeginningWithAHrefAndTheFirstTwoQuotes) {
  EXPECT_EQ(Check("<A NAME=x HREF=\"fehlt.htm\"><A  HREF=\"fehlt.htm\"><A\r\nHREF=\"fehlt.htm\"><AREA HREF=\"x\">"),
            Rows{});
  // Unquoted: the empty target; with a quoted attribute after it, that value.
  EXPECT_EQ(Check("<A HREF=datei.htm>"), Rows{"1 missing "});
  EXPECT_EQ(Check("<A HREF=datei.htm TITLE=\"Titel\">"), Rows{"1 missing TITEL"});
  EXPECT_EQ(Check("<A HREF =\"seite.htm\" TITLE=\"fehlt\">"), Rows{});
  // The first ">" ends the tag, even inside quotes.
  EXPECT_EQ(Check("<A HREF=\"a>b\">"), Rows{"1 missing "});
  // A "<" inside a tag is part of it.
  EXPECT_EQ(Check("<A HREF=\"<x.htm\">"), Rows{"1 missing <X.HTM"});
  EXPECT_EQ(Check("<B <A HREF=\"x.htm\">"), Rows{});
}

TEST_F(LinkCheck, BadInputEndsWithoutHarm) {
  // Unterminated tag and quote: nothing to examine.
  EXPECT_EQ(Check("<A HREF=\"fehlt.htm"), Rows{});
  EXPECT_EQ(Check("<A HREF=\"fehlt.htm>"), Rows{"1 missing "});
  constexpr char kWithNul[] = "<A HREF=\"a\0b.htm\">\0<A HREF=\"\0\">";
  const std::string nul(kWithNul, sizeof kWithNul - 1);
  EXPECT_EQ(Check(nul), (Rows{"1 missing A" + std::string(1, '\0') + "B.HTM", "1 missing " + std::string(1, '\0')}));
  // One line of 10 MB with an unclosed tag at its start and a link at its end.
  std::string line = "<A HREF=\"" + std::string(10 << 20, 'x');
  EXPECT_EQ(Check(line), Rows{});
  line = std::string(10 << 20, 'x') + "<A HREF=\"ende.htm\">";
  EXPECT_EQ(Check(line), Rows{"1 missing ENDE.HTM"});
}

TEST_F(LinkCheck, LinksFarIntoALongTextAreExaminedLikeTheFirst) {
  std::string text = "<A HREF=\"a.htm\">\r\n";
  while (text.size() <= 70000) text += "Text ohne Verweise, Zeile um Zeile.\r\n";
  const int lastLine = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
  text += "<A HREF=\"b.htm\"><A HREF=\"seite.htm\">";
  EXPECT_EQ(Check(text), (Rows{"1 missing A.HTM", std::to_string(lastLine) + " missing B.HTM"}));
}

TEST_F(LinkCheck, HundredThousandAnchorsAreAllListedAndEachTargetIsLookedUpOnce) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "<A HREF=\"fehlt" + std::to_string(i % 10) + ".htm\">x</A>\n";
  int lookups = 0;
  const auto findings = CheckLinks(text, doc_, false, [&lookups](const AnsiString&) {
    ++lookups;
    return false;
  });
  ASSERT_EQ(findings.size(), 100000u);
  EXPECT_EQ(findings.back().Line, 100000);
  EXPECT_EQ(findings.back().Target, "FEHLT9.HTM");
  EXPECT_EQ(lookups, 10);
}

TEST_F(LinkCheck, TheLookupGetsTheDocumentFolderAndTheDecodedTarget) {
  std::vector<AnsiString> asked;
  CheckLinks("<A HREF=\"/Gr&ouml;&szlig;e\\Bild.GIF \">", "/cd/html", false, [&](const AnsiString& path) {
    asked.push_back(path);
    return false;
  });
  EXPECT_EQ(asked, std::vector<AnsiString>{"/cd/html/GR\xF6\xDF" "E/BILD.GIF"});
}

}  // namespace
}  // namespace folverin

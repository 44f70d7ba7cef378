#include "search/search_term.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>

#include "common/path_parts.h"
#include "search/document_text.h"
#include "search/search_parser.h"
#include "search/term_matcher.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

using TSearchTestFolder = folverin::testing::TempFolder;

TEST(PrepareSearchTerm, WritesUmlautsAsUpperCaseEntities) {
  EXPECT_EQ(PrepareSearchTerm("  M\xFCller\t"), "M&UUML;LLER");
  EXPECT_EQ(PrepareSearchTerm("\xC4rger \xD6l \xDC" "ber \xE4 \xF6 \xDF"),
            "&AUML;RGER &OUML;L &UUML;BER &AUML; &OUML; &SZLIG;");
  EXPECT_EQ(PrepareSearchTerm("caf\xE9"), "CAF\xE9");  // other bytes stay
  EXPECT_EQ(PrepareSearchTerm(" \t "), "");
}

class DocumentContainsTermTest : public ::testing::Test {
 protected:
  bool Contains(const std::string& html, const std::string& term, const char* name = "d.htm") {
    return DocumentContainsTerm(folder_.Write(name, html), term);
  }
  TSearchTestFolder folder_;
};

TEST_F(DocumentContainsTermTest, FindsTermsInTextBetweenTags) {
  EXPECT_TRUE(Contains("<p>Haus</p>", "haus"));
  EXPECT_TRUE(Contains("<p>ein GARTEN</p>", "Garten"));
  EXPECT_TRUE(Contains("<p>Haus und Hof</p>", "Haus und Hof"));
  EXPECT_FALSE(Contains("<p>Haus <b>und</b> Hof</p>", "Haus und Hof"));
  // A ">" outside a tag is text.
  EXPECT_TRUE(Contains("<p>a>b</p>", "a>b"));
  EXPECT_TRUE(Contains("text at the start<p>", "start"));
}

TEST_F(DocumentContainsTermTest, NeverSearchesMarkupOrTheLastStretch) {
  EXPECT_FALSE(Contains("<img alt=\"Haus\"><p>x</p>", "haus"));
  EXPECT_FALSE(Contains("<!-- haus --><p>x</p>", "haus"));
  EXPECT_FALSE(Contains("<html><p>Haus", "haus"));   // text after the last tag
  EXPECT_TRUE(Contains("<p>Haus</p", "haus"));       // tested at the "<" of </p
  EXPECT_FALSE(Contains("<p>Haus", "haus"));
  EXPECT_FALSE(Contains("<p>x</p>Haus", "haus"));
  EXPECT_FALSE(Contains("<p>x</p><a title=haus <b", "haus"));  // a tag open to the end
  // A term in a tag before its first real occurrence, and one that crosses a
  // stretch's end, do not hide a later match.
  EXPECT_TRUE(Contains("<a title=haus>x</a><p>Haus</p>", "haus"));
  EXPECT_TRUE(Contains("<p>hau</p>s<p>haus<br>", "haus"));
  EXPECT_FALSE(Contains("<p>hau<b>s</b></p>", "haus"));
}

TEST_F(DocumentContainsTermTest, MatchesUmlautsOnlyAsEntities) {
  EXPECT_TRUE(Contains("<p>M&uuml;ller</p>", "M\xFCller"));
  EXPECT_TRUE(Contains("<p>M&UUML;LLER</p>", "m\xFCller"));
  EXPECT_FALSE(Contains("<p>M\xFCller</p>", "M\xFCller"));
  EXPECT_TRUE(Contains("<p>Stra&szlig;e</p>", "stra\xDF" "e"));
  EXPECT_TRUE(Contains("<p>caf&eacute;</p>", "caf&eacute;"));
}

TEST_F(DocumentContainsTermTest, TestsOnlyHtmlTextUpToTheFirstZeroByte) {
  EXPECT_TRUE(Contains("<p>Haus</p>", "haus", "a.HTM"));
  EXPECT_TRUE(Contains("<p>Haus</p>", "haus", "a.Html"));
  EXPECT_FALSE(Contains("<p>Haus</p>", "haus", "a.hcm"));
  EXPECT_FALSE(Contains("<p>Haus</p>", "haus", "a.hcml"));
  EXPECT_FALSE(Contains(std::string("<p>x\0<p>Haus</p>", 16), "haus"));
  EXPECT_TRUE(Contains(std::string("<p>Haus</p>\0<p>", 15), "haus"));
  EXPECT_FALSE(Contains("<p>Haus</p>", "   "));  // an empty term never matches
  EXPECT_FALSE(Contains("<p>a</p>", "<p"));      // no stretch holds a "<"
}

TEST_F(DocumentContainsTermTest, ReportsUnreadableDocuments) {
  EXPECT_THROW(DocumentContainsTerm(folder_.Path() + "missing.htm", "x"), TDocumentReadError);
  folder_.MakeFolder("dir.htm");
  EXPECT_THROW(DocumentContainsTerm(folder_.Path() + "dir.htm", "x"), TDocumentReadError);
  // A pipe named like a document would block a plain open for ever.
  ASSERT_EQ(mkfifo((folder_.Path() + "pipe.htm").c_str(), 0600), 0);
  EXPECT_THROW(DocumentContainsTerm(folder_.Path() + "pipe.htm", "x"), TDocumentReadError);
  // Files without text are not even opened.
  EXPECT_FALSE(DocumentContainsTerm(folder_.Path() + "missing.hcm", "x"));
}

TEST(TermMatcher, TestsEveryTermInOnePass) {
  TTermMatcher matcher;
  matcher.SetTerms({"haus", "garten", "hof", "M\xFCller", "", "<"});
  const std::vector<bool> results =
      matcher.Match("<HTML><P>HAUS UND GARTEN</P><A HREF=HOF>M&UUML;LLER</A>HOF");
  EXPECT_EQ(results, (std::vector<bool>{true, true, false, true, false, false}));
}

// "AB" repeated, and a long term that agrees with it at every other
// position for all but its last bytes: (AB)^n followed by "AAAB". Each
// candidate position costs a comparison of nearly the whole term unless
// the search stays linear.
std::string AbBlocks(size_t bytes) {
  std::string text;
  text.reserve(bytes);
  while (text.size() < bytes) text += "AB";
  return text;
}

TEST(TermMatcher, LongTermOverRepetitiveTextStaysLinear) {
  const std::string noise = AbBlocks(16 << 20);
  const std::string term = AbBlocks(60000) + "AAAB";
  TTermMatcher matcher;
  matcher.SetTerms({term});
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(matcher.Match(noise + "<"), std::vector<bool>{false});
  EXPECT_EQ(matcher.Match(noise + "<P>" + term + "</P>"), std::vector<bool>{true});
  // A quadratic search compares about 10^11 bytes here (half a minute and
  // more); a linear one reads 32 MB a few times.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8));
}

// Texts on which the search gives up its filter part-way (a long term over
// repetitive text) and carries on with the linear scan: the results must be
// those of the documented term test all the same.
TEST(TermMatcher, LinearScanKeepsTheStretchRules) {
  const std::string noise = AbBlocks(200000);
  const std::string term = AbBlocks(2000) + "AAAB";
  struct TRow {
    const char* Label;
    std::string Text;
    bool Found;
  };
  const TRow rows[] = {
      {"absent", noise + "<", false},
      {"in a stretch", noise + "<P>" + term + "<", true},
      {"starts inside the noise", noise + "AAAB<", true},
      {"ends the noise, no tag after", noise + "AAAB", false},
      {"inside a tag only", noise + "<A TITLE=" + term + ">X<", false},
      {"inside a tag, later in a stretch", noise + "<A " + term + ">X" + term + "<", true},
      {"split by a tag", noise + "<P>" + term.substr(0, 1000) + "<B>" + term.substr(1000) + "<",
       false},
      {"in the last stretch only", noise + "<P>" + term, false},
      {"at the very start", term + noise + "<", true},
  };
  TTermMatcher matcher;
  matcher.SetTerms({term});
  for (const TRow& row : rows) EXPECT_EQ(matcher.Match(row.Text), std::vector<bool>{row.Found}) << row.Label;
}

TEST(UpperCaseInPlace, ChangesOnlyAsciiLettersAtEveryOffset) {
  std::string all;
  for (int round = 0; round < 3; ++round) {
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  }
  for (size_t start = 0; start < 9; ++start) {
    std::string text = all.substr(start);
    UpperCaseInPlace(text.data(), text.size());
    for (size_t i = 0; i < text.size(); ++i) {
      const char c = all[start + i];
      ASSERT_EQ(text[i], (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c) << start << " " << i;
    }
  }
}

TEST(FileExtension, TakesTheLastDotOfTheName) {
  EXPECT_EQ(FileExtension("/a.b/c.htm"), ".htm");
  EXPECT_EQ(FileExtension("/a.b/c"), "");
  EXPECT_EQ(FileExtension("x.tar.html"), ".html");
  EXPECT_TRUE(IsSearchDocument("A.HCML"));
  EXPECT_FALSE(IsSearchDocument("a.html5"));
  EXPECT_FALSE(IsSearchDocument("a.txt"));
  EXPECT_FALSE(IsSearchDocument("htm"));
}

TEST(ParserEvaluate, ReadsEachDocumentForAllTerms) {
  TSearchTestFolder folder;
  const std::string doc = folder.Write("d.htm", "<p>Haus</p><p>Garten</p>");
  const std::string hcm = folder.Write("d.hcm", "<p>Haus</p>");
  TParser parser;
  parser.SetExpression("haus and garten");
  parser.Parse();
  EXPECT_TRUE(parser.Evaluate(doc));
  EXPECT_EQ(parser.MatchResults(), (std::vector<bool>{true, true}));
  EXPECT_FALSE(parser.Evaluate(hcm));
  parser.SetExpression("NOT haus");
  parser.Parse();
  EXPECT_TRUE(parser.Evaluate(hcm));
  EXPECT_FALSE(parser.Evaluate(doc));
  EXPECT_THROW(parser.Evaluate(folder.Path() + "gone.htm"), TDocumentReadError);
}

}  // namespace
}  // namespace folverin

#include "search/hit_highlight.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/result_trail.h"
#include "search/search_parser.h"
#include "search/term_matcher.h"

namespace folverin {
namespace {

std::vector<AnsiString> Positive(const std::string& query) {
  TParser parser;
  parser.SetExpression(query);
  parser.Parse();
  return PositiveTerms(parser);
}

TEST(PositiveTerms, LeaveOutTermsUnderNotAndFollowBrackets) {
  const struct {
    const char* Query;
    std::vector<AnsiString> Terms;
  } rows[] = {
      {"apfel", {"APFEL"}},
      {"Apfel AND NOT Birne", {"APFEL"}},
      {"NOT birne", {}},
      {"NOT NOT apfel", {"APFEL"}},
      {"NOT (apfel OR birne) AND kuchen", {"KUCHEN"}},
      {"(Birne OR Apfel) AND Winter", {"BIRNE", "APFEL", "WINTER"}},
      {"kuchen AND NOT (apfel AND NOT zimt)", {"KUCHEN", "ZIMT"}},
      // Under NOT once and free once: the free one counts.
      {"apfel OR NOT apfel", {"APFEL"}},
      {"'gelbe R\xFC" "ben' AND NOT 'rote Beete'", {"GELBE R\xFC" "BEN"}},
      // A last word after a complete query is not searched, so not shown.
      {"haus garten", {"HAUS"}},
      // Queries the search refuses highlight nothing.
      {"(apfel OR", {}},
      {"apfel AND", {}},
      {"", {}},
  };
  for (const auto& row : rows) EXPECT_EQ(Positive(row.Query), row.Terms) << row.Query;
}

TEST(HighlightKeys, AreThePositiveTermsAsTheBrowserShowsThem) {
  const struct {
    const char* Query;
    std::vector<std::u16string> Keys;
  } rows[] = {
      // Umlauts written as entities in any case, as letters of the code
      // page, or as numbers: all the letter the page shows, folded.
      {"Gem&uuml;se", {u"GEM\u00DCSE"}},
      {"GEM&UUML;SE", {u"GEM\u00DCSE"}},
      {"gem\xFCse", {u"GEM\u00DCSE"}},
      {"gem&#252;se OR gem&#xFC;se", {u"GEM\u00DCSE"}},
      {"Stra&szlig;e", {u"STRA\u00DFE"}},
      {"'gelbe R&uuml;ben'", {u"GELBE R\u00DCBEN"}},
      {"' Haus und Hof '", {u"HAUS UND HOF"}},
      // Other entities stay as written; an unclosed one too.
      {"caf&eacute;", {u"CAF&EACUTE;"}},
      {"a&amp;b", {u"A&B"}},
      {"&uuml", {u"&UUML"}},
      // The same key once; a term with "<" is never found.
      {"Apfel OR apfel OR APFEL", {u"APFEL"}},
      {"'x<y' OR apfel", {u"APFEL"}},
      {"apfel AND NOT birne", {u"APFEL"}},
      {"(apfel OR", {}},
  };
  for (const auto& row : rows) EXPECT_EQ(HighlightKeys(row.Query), row.Keys) << row.Query;
}

TEST(FindHits, MatchesInAnyCaseAndJoinsOnlyOverlaps) {
  using R = std::vector<THitRange>;
  const std::vector<std::u16string> gemuese = {u"GEM\u00DCSE"};
  EXPECT_EQ(FindHits(u"Gem\u00FCse, GEM\u00DCSE und gem\u00DCse", gemuese), (R{{0, 6}, {8, 6}, {19, 6}}));
  // Within a longer word, as the search finds it.
  EXPECT_EQ(FindHits(u"Wintergem\u00FCse", gemuese), (R{{6, 6}}));
  // A phrase only with its blanks as written.
  const std::vector<std::u16string> phrase = {u"GELBE R\u00DCBEN"};
  EXPECT_EQ(FindHits(u"Gelbe\nR\u00FCben", phrase), R{});
  EXPECT_EQ(FindHits(u"gelbe R\u00FCben keimen", phrase), (R{{0, 11}}));
  // Keys that overlap give one range; two that meet stay two.
  const std::vector<std::u16string> apfel = {u"APFEL", u"APFELBAUM", u"BAUM"};
  EXPECT_EQ(FindHits(u"Ein Apfelbaum", apfel), (R{{4, 9}}));
  EXPECT_EQ(FindHits(u"apfelapfel", {u"APFEL"}), (R{{0, 5}, {5, 5}}));
  // The same key does not overlap itself.
  EXPECT_EQ(FindHits(u"aaaa", {u"AA"}), (R{{0, 2}, {2, 2}}));
  EXPECT_EQ(FindHits(u"", apfel), R{});
  EXPECT_EQ(FindHits(u"apfel", {u""}), R{});
}

// What the page shows highlighted agrees with what the search found: for
// one stretch of source between tags and the text the browser shows for it,
// the matcher finds the term exactly when the highlight does.
TEST(FindHits, AgreesWithTheSearchOnOneStretch) {
  const struct {
    const char* Source;  // Windows-1252, between two tags
    std::u16string Shown;
    const char* Query;
  } rows[] = {
      {"Frisches Gem&uuml;se", u"Frisches Gem\u00FCse", "gem\xFCse"},
      {"Frisches GEM&Uuml;SE", u"Frisches GEM\u00DCSE", "Gem&uuml;se"},
      {"gelbe R&uuml;ben", u"gelbe R\u00FCben", "'Gelbe R\xFC" "ben'"},
      {"gelbe\nR&uuml;ben", u"gelbe\nR\u00FCben", "'Gelbe R\xFC" "ben'"},
      {"Haus und Hof", u"Haus und Hof", "'haus und hof'"},
      {"Stra&szlig;e", u"Stra\u00DFe", "strasse"},
      {"Stra&szlig;e", u"Stra\u00DFe", "stra\xDF" "e"},
      {"Kuchen", u"Kuchen", "KUCHEN"},
      {"Kuchen", u"Kuchen", "Torte"},
  };
  for (const auto& row : rows) {
    TParser parser;
    parser.SetExpression(row.Query);
    parser.Parse();
    TTermMatcher matcher;
    matcher.SetTerms(PositiveTerms(parser));
    const bool searchFinds = matcher.Match(UpperCase("<P>" + std::string(row.Source) + "</P>")).front();
    const bool highlighted = !FindHits(row.Shown, HighlightKeys(row.Query)).empty();
    EXPECT_EQ(highlighted, searchFinds) << row.Source << " / " << row.Query;
  }
}

TEST(ResultTrail, LeadsOnlyFromTheResultPageToItsHits) {
  TResultTrail trail;
  EXPECT_EQ(trail.LinkFollowed("/tmp/p/@SEARCH@.HTM", "/c/a.htm"), std::nullopt);  // no search yet
  trail.SearchShown("/tmp/p/@SEARCH@.HTM", "apfel AND NOT birne", {"/c/a.htm", "/c/b.htm"});
  EXPECT_EQ(trail.LinkFollowed("/tmp/p/@SEARCH@.HTM", "/c/b.htm"), AnsiString("apfel AND NOT birne"));
  // Another page, a link of a template, an address that is no file.
  EXPECT_EQ(trail.LinkFollowed("/c/a.htm", "/c/b.htm"), std::nullopt);
  EXPECT_EQ(trail.LinkFollowed("/tmp/p/@SEARCH@.HTM", "/c/suche.htm"), std::nullopt);
  EXPECT_EQ(trail.LinkFollowed("/tmp/p/@SEARCH@.HTM", ""), std::nullopt);
  // A later search replaces the earlier one.
  trail.SearchShown("/tmp/p/@SEARCH@.HTM", "kuchen", {"/c/k.htm"});
  EXPECT_EQ(trail.LinkFollowed("/tmp/p/@SEARCH@.HTM", "/c/a.htm"), std::nullopt);
  EXPECT_EQ(trail.LinkFollowed("/tmp/p/@SEARCH@.HTM", "/c/k.htm"), AnsiString("kuchen"));
}

}  // namespace
}  // namespace folverin

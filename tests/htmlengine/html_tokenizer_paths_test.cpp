// The reader takes plain document bytes, runs of text and quoted values
// straight from the document, and falls back to its byte-by-byte work for
// inserted text. Both ways must read every document alike.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "htmlengine/html_engine_error.h"
#include "htmlengine/html_tokenizer.h"

namespace folverin {
namespace {

// What a symbol means, without the source positions (inserted text has none
// of its own).
struct TSymbolMeaning {
  THtmlSymbol Symbol;
  std::u16string Text;
  int32_t Value;
  std::vector<std::string> Attributes;  // name, value and number of each
  bool operator==(const TSymbolMeaning&) const = default;
};

struct TReading {
  std::vector<TSymbolMeaning> Symbols;
  std::string Error;
};

TReading Read(TParseContext& context) {
  TReading reading;
  try {
    context.BeginReading();
    for (int guard = 0; guard < 100000; ++guard) {
      context.NextSymbol();
      TSymbolMeaning meaning{context.Symbol, context.TextToken.ToText(), context.SymbolValue, {}};
      for (const TAttribute& attribute : context.TagAttributes.Items())
        meaning.Attributes.push_back(attribute.Name + "=" + attribute.Value + "#" +
                                     std::to_string(attribute.Numeric) + "/" +
                                     std::to_string(static_cast<int>(attribute.Symbol)));
      reading.Symbols.push_back(std::move(meaning));
      if (context.Symbol == THtmlSymbol::EndOfDocument) break;
    }
  } catch (const EParseError& error) {
    reading.Error = error.what();
  }
  return reading;
}

TReading ReadDirectly(const std::string& html) {
  TParseContext context;
  context.PrepareSource(html);
  return Read(context);
}

// The same document handed over by an include handler, so that every byte
// goes through the reader's full path.
TReading ReadAsInsertedText(const std::string& html) {
  TParseContext prepared;
  prepared.PrepareSource(html);
  TParseContext context;
  context.PrepareSource("<!--#doc-->");
  bool given = false;
  context.IncludeHandler = [&](const AnsiString&, const std::vector<AnsiString>&,
                               AnsiString& result) {
    if (!given) result = prepared.Source;
    given = true;
  };
  return Read(context);
}

// Pieces that meet the reader's special cases: line ends in every pairing,
// tabs, comments and declarations, entities, quotes of both kinds, numbers,
// bytes above 127 and tags with and without attributes.
const std::vector<std::string> kPieces = {
    "<", ">", "</", "<!", "<!--", "-->", "--", "- ->", "!", "\r", "\n", "\r\n", "\n\r",
    "\t", " ", "   ", "&", "&amp;", "&#65;", "&#x4E", "&lt", "&nbsp;", "&#8364;", "&#3;",
    "=", "\"", "'", "a", "Bc", "p", "td", "TABLE", "h3", "href", "id", "width", "50%", "-3",
    "+7.5", "x-y", "\xE9", "\xC3\xA4", "<p>", "<a href=\"x.html\">", "<a href='q\"r'>",
    "</a>", "<br/>", "<!DOCTYPE html>", "<h2 align=center>", "<td width=50% nowrap>",
    "<img src=a.png alt=\"a &amp; b\">", "<!-- c -- >", "<font size=+1>", "<style>",
    "<div id=\"x\" class=y>", "text with words", "<?xml?>", "<P\tALIGN\r\n=\r\nleft>"};

std::string RandomDocument(std::mt19937& random) {
  std::uniform_int_distribution<size_t> piece(0, kPieces.size() - 1);
  std::uniform_int_distribution<int> length(1, 60);
  std::string html;
  for (int i = length(random); i > 0; --i) html += kPieces[piece(random)];
  return html;
}

TEST(HtmlTokenizerPathsTest, DocumentAndInsertedTextReadAlike) {
  const std::vector<std::string> samples = {
      "<html><head><title>T</title></head><body><p class=x>One\r\ntwo\tthree</p></body>",
      "a  b\n\n c &amp; d&#233;<!-- note --> e<b>f</b>",
      "<table border><tr><td width=\"50%\" id='c1'>x</td></tr></table>",
      "<a href=\"a&lt;b\r\nc\">link</a> < b <3",
      "<!DOCTYPE html><p>unterminated <!-- comment"};
  for (const std::string& html : samples) {
    const TReading direct = ReadDirectly(html);
    EXPECT_EQ(direct.Symbols, ReadAsInsertedText(html).Symbols) << html;
    EXPECT_EQ(direct.Error, ReadAsInsertedText(html).Error) << html;
  }
  std::mt19937 random(20261209);
  for (int round = 0; round < 400; ++round) {
    const std::string html = RandomDocument(random);
    const TReading direct = ReadDirectly(html);
    const TReading inserted = ReadAsInsertedText(html);
    ASSERT_EQ(direct.Symbols, inserted.Symbols) << html;
    ASSERT_EQ(direct.Error, inserted.Error) << html;
  }
}

TEST(HtmlTokenizerPathsTest, RunsKeepTheSourcePositionsOfTheirBytes) {
  // Every character of a run points at its own byte; collapsed blanks at the
  // first of them; a "<" that opens nothing is text at its own place.
  TParseContext context;
  context.PrepareSource("ab c\r\n\t d<p>e < f");
  context.BeginReading();
  context.NextSymbol();
  EXPECT_EQ(context.TextToken.ToText(), u"ab c d");
  EXPECT_EQ(context.TextToken.Positions(), (std::vector<int32_t>{0, 1, 2, 3, 4, 8}));
  context.NextSymbol();
  EXPECT_EQ(context.Symbol, THtmlSymbol::P);
  EXPECT_EQ(context.TagPosition, 9);
  context.NextSymbol();
  EXPECT_EQ(context.TextToken.ToText(), u"e ");
  EXPECT_EQ(context.TextToken.Positions(), (std::vector<int32_t>{12, 13}));
  context.NextSymbol();
  EXPECT_EQ(context.TextToken.ToText(), u"<");
  EXPECT_EQ(context.TextToken.Positions(), std::vector<int32_t>{14});
}

TEST(HtmlTokenizerPathsTest, AttributeStorageDoesNotCarryOverBetweenTags) {
  TParseContext context;
  context.PrepareSource(
      "<a href=\"a-rather-long-address.html\" name=\"n\" title=50><b nowrap><i>"
      "<td width=\"7\" id=x>");
  context.BeginReading();
  context.NextSymbol();
  ASSERT_EQ(context.TagAttributes.Count(), 3);
  EXPECT_EQ(context.TagAttributes.Items()[0].Value, "a-rather-long-address.html");
  context.NextSymbol();
  ASSERT_EQ(context.TagAttributes.Count(), 1);
  const TAttribute& nowrap = context.TagAttributes.Items()[0];
  EXPECT_EQ(nowrap.Name, "NOWRAP");
  EXPECT_EQ(nowrap.Symbol, THtmlAttribute::NoWrap);
  EXPECT_EQ(nowrap.Value, "");
  EXPECT_EQ(nowrap.Numeric, 0);
  EXPECT_EQ(context.TagAttributes.Lookup(THtmlAttribute::Href), nullptr);
  EXPECT_EQ(context.TagAttributes.Lookup(THtmlAttribute::Title), nullptr);
  context.NextSymbol();
  EXPECT_EQ(context.TagAttributes.Count(), 0);
  EXPECT_TRUE(context.TagAttributes.Items().empty());
  EXPECT_EQ(context.TagAttributes.Lookup(THtmlAttribute::NoWrap), nullptr);
  context.NextSymbol();
  ASSERT_EQ(context.TagAttributes.Count(), 2);
  EXPECT_EQ(context.TagAttributes.Items()[0].Numeric, 7);
  EXPECT_EQ(context.TagAttributes.Items()[1].Name, "ID");
  EXPECT_EQ(context.TagAttributes.GetID(), "x");

  // A list taken over keeps the attributes; the one it came from is empty.
  TAttributeList taken = std::move(context.TagAttributes);
  EXPECT_EQ(taken.Count(), 2);
  EXPECT_EQ(taken.GetID(), "x");
  EXPECT_EQ(context.TagAttributes.Count(), 0);
  EXPECT_EQ(context.TagAttributes.Lookup(THtmlAttribute::ID), nullptr);
  context.TagAttributes.Add({THtmlAttribute::Alt, "ALT", "a", 0});
  EXPECT_EQ(context.TagAttributes.Count(), 1);
  EXPECT_EQ(taken.Count(), 2);
}

TEST(HtmlTokenizerPathsTest, AttributeCutShortByAnErrorIsNotListed) {
  TAttributeList list;
  list.Add({THtmlAttribute::Alt, "ALT", "a", 0});
  TAttribute& pending = list.PrepareNext();
  pending.Name = "HREF";
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Lookup(THtmlAttribute::Other), nullptr);
  list.Clear();
  TAttribute& next = list.PrepareNext();
  EXPECT_EQ(next.Name, "");
  EXPECT_EQ(next.Value, "");
  EXPECT_EQ(next.Symbol, THtmlAttribute::Other);
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
}  // namespace folverin

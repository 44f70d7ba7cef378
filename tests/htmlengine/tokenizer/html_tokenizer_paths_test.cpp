// The reader takes plain document bytes, runs of text and quoted values
// straight from the document, and falls back to its byte-by-byte work for
// inserted text. Both ways must read every document alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "htmlengine/random_pieces.h"
#include "htmlengine/support/html_engine_error.h"
#include "htmlengine/tokenizer/html_tokenizer.h"

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
    "<div id=\"x\" class=y>", "text with words", "<?xml?>", "<P\tALIGN\r\n=\r\nleft>",
    "<td id=", "<a name=\"\"", "<p title='\"'", "<b x-1=\"v\"\"", "<i =", " val=", "\"\""};

std::string RandomDocument(std::mt19937& random) {
  std::uniform_int_distribution<int> length(1, 60);
  return test::JoinedPieces(kPieces, length(random), random);
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
  // Names cut by comments, and longer than any name kept.
  for (const std::string& html :
       {std::string("<ta<!-- c -->ble bor<!-- c -->der wi\tdth =1>x</ta<!-- c -->ble>"),
        std::string("</<!-- -->p>"),
        "<" + std::string(300, 'b') + "i>x</" + std::string(300, 'B') + ">"}) {
    EXPECT_EQ(ReadDirectly(html).Symbols, ReadAsInsertedText(html).Symbols) << html;
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

// Long runs of text and quoted values are scanned in blocks of bytes: every
// byte value, alone or after a blank, at every place of a block and at the
// edges between two, must end a run or not exactly as the byte-by-byte
// reader decides.
TEST(HtmlTokenizerPathsTest, EveryByteEndsLongTextRunsAlike) {
  const std::string letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOP";
  for (int byte = 1; byte < 256; ++byte) {
    for (const std::string& inserted : {std::string(1, static_cast<char>(byte)),
                                        " " + std::string(1, static_cast<char>(byte))}) {
      for (size_t at = 0; at <= 36; ++at) {
        std::string html = letters;
        html.insert(at, inserted);
        const TReading direct = ReadDirectly(html);
        ASSERT_EQ(direct.Symbols, ReadAsInsertedText(html).Symbols) << byte << " at " << at;
        ASSERT_EQ(direct.Error, ReadAsInsertedText(html).Error) << byte << " at " << at;
      }
    }
    // The same in tag and attribute names, and right after them.
    for (size_t at = 0; at <= 6; ++at) {
      std::string name = "tablex";
      name.insert(at, 1, static_cast<char>(byte));
      for (const std::string& html : {"<" + name + ">x<p>", "</" + name + ">x",
                                      "<td " + name + "=1 " + name + " x-" + name + ">x"}) {
        const TReading direct = ReadDirectly(html);
        ASSERT_EQ(direct.Symbols, ReadAsInsertedText(html).Symbols) << byte << " at " << at;
        ASSERT_EQ(direct.Error, ReadAsInsertedText(html).Error) << byte << " at " << at;
      }
    }
    // The same inside quoted values of both kinds.
    for (const char quote : {'"', '\''}) {
      for (size_t at = 0; at <= 36; ++at) {
        std::string value = letters;
        value.insert(at, 1, static_cast<char>(byte));
        const std::string html = "<a title=" + std::string(1, quote) + value + quote + ">x";
        const TReading direct = ReadDirectly(html);
        ASSERT_EQ(direct.Symbols, ReadAsInsertedText(html).Symbols) << byte << " at " << at;
        ASSERT_EQ(direct.Error, ReadAsInsertedText(html).Error) << byte << " at " << at;
      }
    }
  }
}

// The reader knows from one comparison whether the next byte comes from the
// document; that must follow every change between inserted text and the
// document, also a rewind in the middle of inserted text.
TEST(HtmlTokenizerPathsTest, DocumentReadingResumesAfterInsertedText) {
  TParseContext context;
  context.PrepareSource("ab<!--#x-->cd ef<p id=q>gh");
  context.IncludeHandler = [](const AnsiString&, const std::vector<AnsiString>&,
                              AnsiString& result) { result = "IN<b>SERT"; };
  context.BeginReading();
  context.NextSymbol();
  EXPECT_EQ(context.TextToken.ToText(), u"abIN");
  context.NextSymbol();
  EXPECT_EQ(context.Symbol, THtmlSymbol::B);
  context.NextSymbol();
  EXPECT_EQ(context.TextToken.ToText(), u"SERTcd ef");
  EXPECT_EQ(context.TextToken.Positions(),
            (std::vector<int32_t>{10, 10, 10, 10, 11, 12, 13, 14, 15}));
  const TReading whole = Read(context);
  // Rewound while the inserted text is still being read: the document is
  // read from its start again, straight from its bytes.
  context.BeginReading();
  context.NextSymbol();
  context.NextSymbol();
  ASSERT_EQ(context.Symbol, THtmlSymbol::B);
  EXPECT_EQ(Read(context).Symbols, whole.Symbols);
  context.BeginReading();
  context.NextSymbol();
  EXPECT_EQ(context.TextToken.Positions(), (std::vector<int32_t>{0, 1, 10, 10}));
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

namespace folverin {
namespace {

// The pre-pass reads tags only; the tags, their attributes and positions,
// and where reading fails must be those of a full reading.
TEST(HtmlTokenizerPathsTest, TagsOnlyReadingFindsTheSameTags) {
  const auto tagsOf = [](const std::string& html, bool tagsOnly) {
    TParseContext context;
    context.PrepareSource(html);
    context.TagsOnly = tagsOnly;
    TReading reading;
    std::vector<int32_t> tagPositions;
    try {
      context.BeginReading();
      for (int guard = 0; guard < 100000; ++guard) {
        context.NextSymbol();
        if (tagsOnly && context.Symbol == THtmlSymbol::Text) {
          EXPECT_EQ(context.TextToken.Count(), 0) << html;
        }
        TSymbolMeaning meaning{context.Symbol, {}, context.SymbolValue, {}};
        for (const TAttribute& attribute : context.TagAttributes.Items())
          meaning.Attributes.push_back(attribute.Name + "=" + attribute.Value + "#" +
                                       std::to_string(attribute.Numeric));
        reading.Symbols.push_back(std::move(meaning));
        tagPositions.push_back(context.Symbol == THtmlSymbol::Text ? -1 : context.TagPosition);
        if (context.Symbol == THtmlSymbol::EndOfDocument) break;
      }
    } catch (const EParseError& error) {
      reading.Error = error.what();
    }
    return std::make_pair(reading, tagPositions);
  };
  std::vector<std::string> samples = {
      "text &amp; more\x01<p>never",      "a &#1; b<b>c</b>\x1A<i>",
      "x &lt<p>&#x41 y<!-- c --> z</p>", "a\r\n\tb &zz; <br> c <!-- open",
      "&", "<p>\x05", "plain"};
  std::mt19937 random(7);
  for (int round = 0; round < 400; ++round) samples.push_back(RandomDocument(random));
  for (const std::string& html : samples) {
    const auto full = tagsOf(html, false);
    const auto skimmed = tagsOf(html, true);
    ASSERT_EQ(full.first.Symbols, skimmed.first.Symbols) << html;
    ASSERT_EQ(full.first.Error, skimmed.first.Error) << html;
    ASSERT_EQ(full.second, skimmed.second) << html;
  }
}

// Runs of text are taken in one go across collapsed blanks where the code
// page gives every byte a character of its own; other code pages hand the
// same pieces to the decoder. For ASCII documents every code page must
// therefore give the same characters at the same positions.
TEST(HtmlTokenizerPathsTest, AsciiTextReadsAlikeInEveryCodePage) {
  struct TPositionedReading {
    std::vector<THtmlSymbol> Symbols;
    std::u16string Text;
    std::vector<int32_t> Positions;
    std::string Error;
    bool operator==(const TPositionedReading&) const = default;
  };
  const auto read = [](const std::string& html, int codePage) {
    TPositionedReading reading;
    TParseContext context;
    context.PrepareSource(html);
    context.DefaultCodePage = codePage;
    try {
      context.BeginReading();
      for (int guard = 0; guard < 100000; ++guard) {
        context.NextSymbol();
        reading.Symbols.push_back(context.Symbol);
        reading.Text += context.TextToken.ToText() + u"|";
        const std::vector<int32_t>& positions = context.TextToken.Positions();
        reading.Positions.insert(reading.Positions.end(), positions.begin(), positions.end());
        if (context.Symbol == THtmlSymbol::EndOfDocument) break;
      }
    } catch (const EParseError& error) {
      reading.Error = error.what();
    }
    return reading;
  };
  std::vector<std::string> asciiPieces;
  for (const std::string& piece : kPieces)
    if (std::all_of(piece.begin(), piece.end(), [](char c) { return c > 0; }))
      asciiPieces.push_back(piece);
  for (const char* blanks : {" ", "\r\n", "\n\t ", "  "}) asciiPieces.push_back(blanks);
  std::vector<std::string> samples = {"one\r\ntwo  three\tfour \n five&amp;six \r\n<b>x",
                                      "a \r\n<!-- c --> \nb  &lt; c\n\n", "x\n\x01 y",
                                      "end with blanks \r\n\t"};
  // More runs of blanks than one run of text takes at once.
  std::string manyLines;
  for (int i = 0; i < 200; ++i) manyLines += i % 3 == 0 ? "w\r\n" : "ord  ";
  samples.push_back(manyLines);
  std::mt19937 random(1209);
  for (int round = 0; round < 400; ++round) samples.push_back(test::JoinedPieces(asciiPieces, 40, random));
  for (const std::string& html : samples) {
    const TPositionedReading decoded = read(html, 1251);
    ASSERT_EQ(read(html, 1252), decoded) << html;
    ASSERT_EQ(read(html, kCodePageUtf8), decoded) << html;
  }
  // Plain words and blanks: every run of blanks is one blank at the place of
  // its first byte, every other byte keeps its own place.
  const std::vector<std::string> wordPieces = {"a", "Bc", "x-y", " ", "  ", "\r\n", "\t", "\n\r"};
  std::uniform_int_distribution<size_t> wordPiece(0, wordPieces.size() - 1);
  for (int round = 0; round < 200; ++round) {
    std::string html;
    for (int i = 0; i < 30; ++i) html += wordPieces[wordPiece(random)];
    TPositionedReading expected{{THtmlSymbol::Text, THtmlSymbol::EndOfDocument}, {}, {}, {}};
    const auto isBlank = [&](size_t i) {
      return std::string_view(" \t\r\n").find(html[i]) != std::string_view::npos;
    };
    for (size_t i = 0; i < html.size(); ++i) {
      if (isBlank(i) && i > 0 && isBlank(i - 1)) continue;
      expected.Text += isBlank(i) ? u' ' : static_cast<char16_t>(html[i]);
      expected.Positions.push_back(static_cast<int32_t>(i));
    }
    expected.Text += u"||";
    for (const int codePage : {1251, 1252, kCodePageUtf8})
      ASSERT_EQ(read(html, codePage), expected) << codePage << " " << html;
  }
  const TPositionedReading sample = read("ab \r\n\tcd e\n<p>", 1252);
  EXPECT_EQ(sample.Text, u"ab cd e |||");
  EXPECT_EQ(sample.Positions, (std::vector<int32_t>{0, 1, 2, 6, 7, 8, 9, 10}));
}

// Text that each byte of gives a character of its own goes into the token
// directly; the rest is decoded run by run. Either way the token must hold
// what decoding the whole run gives, with the first byte's position for
// every character.
TEST(HtmlTokenizerPathsTest, DirectTextAgreesWithDecodingTheWholeRun) {
  const std::vector<std::string> pieces = {"a", "bc", " ", "\xC3", "\xA9", "\xE2\x82\xAC",
                                           "\x80", "\xFF", "\x82\xA0", "\xF0\x9F\x98\x80", "z"};
  std::mt19937 random(31);
  std::uniform_int_distribution<size_t> piece(0, pieces.size() - 1);
  for (const int codePage : {0, 1252, kCodePageUtf8, 1251, 932}) {
    for (int round = 0; round < 200; ++round) {
      std::string text;
      for (int i = 0; i < 12; ++i) {
        const std::string& next = pieces[piece(random)];
        // Runs of blanks collapse; one blank at a time keeps the run whole.
        if (next == " " && (text.empty() || text.back() == ' ')) continue;
        text += next;
      }
      TParseContext context;
      context.PrepareSource(text);
      context.DefaultCodePage = codePage;
      context.BeginReading();
      context.NextSymbol();
      TCharCollection whole;
      whole.AddRun(text, 0);
      TokenObj expected;
      expected.PutBytes(whole, codePage);
      ASSERT_EQ(context.TextToken.ToText(), expected.ToText()) << codePage << " " << text;
      ASSERT_EQ(context.TextToken.Positions(), expected.Positions()) << codePage << " " << text;
    }
  }
  // One sequence above ASCII at every place of a long run: the test for
  // ASCII looks at the run in blocks and words.
  const std::string letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN";
  for (size_t at = 0; at <= letters.size(); ++at) {
    std::string text = letters;
    text.insert(at, "\xC3\xA9");
    TParseContext context;
    context.PrepareSource(text);
    context.DefaultCodePage = kCodePageUtf8;
    context.BeginReading();
    context.NextSymbol();
    std::u16string expected = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN";
    expected.insert(at, 1, u'\u00E9');
    ASSERT_EQ(context.TextToken.ToText(), expected) << at;
  }
  // An entity ends the run before it; what follows it is decoded on its own,
  // and a reference that is not one joins the bytes after it.
  TParseContext context;
  context.PrepareSource("ab&amp;c\xC3\xA9 d&zz\xC3\xA9!");
  context.DefaultCodePage = kCodePageUtf8;
  context.BeginReading();
  context.NextSymbol();
  EXPECT_EQ(context.TextToken.ToText(), u"ab&c\u00E9 d&zz\u00E9!");
  EXPECT_EQ(context.TextToken.Positions(),
            (std::vector<int32_t>{0, 1, 2, 7, 8, 10, 11, 12, 13, 14, 15, 17}));
}

}  // namespace
}  // namespace folverin

namespace folverin {
namespace {

// The pre-pass is left out when the text cannot hold enough HREF names; the
// bound must never be below what reading the text finds.
TEST(HtmlTokenizerPathsTest, HrefNamesNeverExceedTheirBound) {
  const auto hrefLinks = [](const std::string& html) {
    TParseContext context;
    context.PrepareSource(html);
    size_t links = 0;
    try {
      context.BeginReading();
      for (int guard = 0; guard < 100000; ++guard) {
        context.NextSymbol();
        if (context.Symbol == THtmlSymbol::A &&
            context.TagAttributes.Lookup(THtmlAttribute::Href) != nullptr)
          ++links;
        if (context.Symbol == THtmlSymbol::EndOfDocument) break;
      }
    } catch (const EParseError&) {
    }
    return links;
  };
  EXPECT_EQ(MostHrefNames(""), 0u);
  EXPECT_EQ(MostHrefNames("<a hReF=x>HREF href</a> hre"), 3u);
  EXPECT_EQ(MostHrefNames("<a h<!-- -->ref=x>"), 1u);
  std::vector<std::string> samples = {"<a h<!-- -->r<!>ef=x>", "<A HR<!-- -- >EF='1'>",
                                      "<a\thref\r\n=x><a\nhref>", "<a hrefs=1 href>"};
  const std::vector<std::string> linkPieces = {"<a ", "h", "href", "HR", "ef", "<!-- -->",
                                               "<!x>", "=x>", " ", ">", "<A HREF=y>", "<!"};
  std::mt19937 random(99);
  for (int round = 0; round < 400; ++round) {
    samples.push_back(test::JoinedPieces(linkPieces, 30, random));
    samples.push_back(RandomDocument(random));
  }
  for (const std::string& html : samples) {
    EXPECT_LE(hrefLinks(html), MostHrefNames(html)) << html;
  }
  EXPECT_EQ(hrefLinks("<a h<!-- -->r<!>ef=x>"), 1u);
}

}  // namespace
}  // namespace folverin

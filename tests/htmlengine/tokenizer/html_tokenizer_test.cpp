#include "htmlengine/tokenizer/html_tokenizer.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "htmlengine/support/html_charsets.h"
#include "htmlengine/support/html_engine_error.h"

namespace folverin {
namespace {

struct TSymbolRecord {
  THtmlSymbol Symbol;
  std::u16string Text;
  std::vector<int32_t> Positions;
  std::vector<TAttribute> Attributes;
  int32_t Value;
  int32_t TagPosition;
};

struct TTokenized {
  std::vector<TSymbolRecord> Symbols;
  std::string Error;  // message of the EParseError that ended reading
};

TTokenized Tokenize(TParseContext& context) {
  TTokenized result;
  try {
    context.BeginReading();
    for (int guard = 0; guard < 100000; ++guard) {
      context.NextSymbol();
      const auto attributes = context.TagAttributes.Items();
      result.Symbols.push_back({context.Symbol, context.TextToken.ToText(),
                                context.TextToken.Positions(),
                                {attributes.begin(), attributes.end()}, context.SymbolValue,
                                context.TagPosition});
      if (context.Symbol == THtmlSymbol::EndOfDocument) break;
    }
  } catch (const EParseError& error) {
    result.Error = error.what();
  }
  return result;
}

TTokenized Tokenize(const std::string& text) {
  TParseContext context;
  context.PrepareSource(text);
  return Tokenize(context);
}

// The texts of all text symbols, in order.
std::vector<std::u16string> Texts(const TTokenized& tokens) {
  std::vector<std::u16string> texts;
  for (const TSymbolRecord& s : tokens.Symbols)
    if (s.Symbol == THtmlSymbol::Text) texts.push_back(s.Text);
  return texts;
}

std::u16string AllText(const std::string& html) {
  std::u16string all;
  for (const std::u16string& text : Texts(Tokenize(html))) all += text;
  return all;
}

std::vector<THtmlSymbol> SymbolsOf(const TTokenized& tokens) {
  std::vector<THtmlSymbol> symbols;
  for (const TSymbolRecord& s : tokens.Symbols) symbols.push_back(s.Symbol);
  return symbols;
}

const TAttribute& Attr(const TSymbolRecord& record, size_t index) {
  EXPECT_LT(index, record.Attributes.size());
  return record.Attributes.at(index);
}

TEST(HtmlTokenizerTest, LineEndsAndWhitespaceCollapseToOneSpace) {
  EXPECT_EQ(AllText("a\r\n\r\nb"), u"a b");
  EXPECT_EQ(AllText("a\n\rb"), u"a b");
  EXPECT_EQ(AllText("a \t \n b"), u"a b");

  // The reader itself: CR LF, LF CR, CR and LF are one CR each; tabs are spaces.
  TParseContext context;
  context.PrepareSource("1\r\n2\n\r3\r4\n5\r\r6\t");
  std::string read;
  context.RawMode = true;
  for (context.ReadChar(); context.CurrentChar != kEndMarker; context.ReadChar())
    read += context.CurrentChar;
  EXPECT_EQ(read, "1\r2\r3\r4\r5\r\r6 ");
}

TEST(HtmlTokenizerTest, EndMarkerRepeatsAndEndsTheDocument) {
  TParseContext context;
  context.PrepareSource("ab");
  EXPECT_EQ(context.FetchByte(), 'a');
  EXPECT_EQ(context.PeekByte(), 'b');
  EXPECT_EQ(context.FetchByte(), 'b');
  EXPECT_EQ(context.SourcePos, 1);
  EXPECT_EQ(context.FetchByte(), kEndMarker);
  EXPECT_EQ(context.FetchByte(), kEndMarker);
  EXPECT_EQ(context.SourcePos, 1);

  // A byte 26 in the text ends the document quietly.
  const TTokenized tokens = Tokenize("one\x1Atwo");
  EXPECT_EQ(tokens.Error, "");
  EXPECT_EQ(Texts(tokens), std::vector<std::u16string>{u"one"});
  EXPECT_EQ(tokens.Symbols.back().Symbol, THtmlSymbol::EndOfDocument);
  EXPECT_EQ(Tokenize("").Symbols.size(), 1u);
}

TEST(HtmlTokenizerTest, ControlBytesEndTheDocumentAsNotHtml) {
  TTokenized tokens = Tokenize(std::string("<P>some text\x01more", 18));
  EXPECT_EQ(tokens.Error, "Not an HTML or Text document");
  EXPECT_EQ(Texts(tokens), std::vector<std::u16string>{u"some text"});

  // The text is cut after its first byte 0; the 0 itself stays and ends it.
  TParseContext context;
  context.PrepareSource(std::string("ab\0cd", 5));
  EXPECT_EQ(context.Source, std::string("ab\0", 3));
  tokens = Tokenize(context);
  EXPECT_EQ(tokens.Error, "Not an HTML or Text document");
  EXPECT_EQ(Texts(tokens), std::vector<std::u16string>{u"ab"});

  // Bytes 11 and 12 are ordinary characters.
  EXPECT_EQ(AllText("a\x0B\x0C" "b"), u"a\x0B\x0C" u"b");
}

TEST(HtmlTokenizerTest, CommentsAndDeclarationsAreSkipped) {
  EXPECT_EQ(AllText("<!-- a -- b -->x"), u"x");
  EXPECT_EQ(AllText("<!DOCTYPE html>x"), u"x");
  EXPECT_EQ(AllText("<!---->x"), u"x");
  EXPECT_EQ(AllText("a<!-- one --><!-- two --   \r\n>b"), u"ab");
  EXPECT_EQ(AllText("<!-->still comment-->x"), u"x");
  EXPECT_EQ(AllText("<!-x>y"), u"y");  // "<!-" without a second dash is a declaration
  // Inside a tag too.
  const TTokenized tokens = Tokenize("<P<!-- c --> ALIGN=left>");
  ASSERT_EQ(tokens.Symbols.front().Symbol, THtmlSymbol::P);
  EXPECT_EQ(Attr(tokens.Symbols.front(), 0).Value, "left");
}

TEST(HtmlTokenizerTest, UnterminatedCommentsRaise) {
  EXPECT_EQ(Tokenize("<!-->x").Error, "Open Comment at End of HTML File");
  EXPECT_EQ(Tokenize("a<!-- never closed").Error, "Open Comment at End of HTML File");
  EXPECT_EQ(Tokenize("<!DOCTYPE").Error, "Open Comment at End of HTML File");
  EXPECT_EQ(Tokenize("<!").Error, "Open Comment at End of HTML File");
  // Symbols before the comment were delivered.
  EXPECT_EQ(Texts(Tokenize("a<B><!-- never closed")), std::vector<std::u16string>{u"a"});
}

TEST(HtmlTokenizerTest, RawModeKeepsComments) {
  TParseContext context;
  context.PrepareSource("<!-- c -->");
  context.RawMode = true;
  const TTokenized tokens = Tokenize(context);
  EXPECT_EQ(Texts(tokens), (std::vector<std::u16string>{u"<", u"!-- c -->"}));
}

TEST(HtmlTokenizerTest, TagsAndTheirSymbols) {
  const TTokenized tokens = Tokenize("<html><Body></BODY><h1>x</H2><H 3><H7><br/><unknown></li></zz>");
  EXPECT_EQ(SymbolsOf(tokens),
            (std::vector<THtmlSymbol>{THtmlSymbol::Html, THtmlSymbol::Body, THtmlSymbol::BodyEnd,
                                      THtmlSymbol::Heading, THtmlSymbol::Text,
                                      THtmlSymbol::HeadingEnd, THtmlSymbol::Heading,
                                      THtmlSymbol::Heading, THtmlSymbol::BR,
                                      THtmlSymbol::UnknownTag, THtmlSymbol::UnknownTag,
                                      THtmlSymbol::UnknownTag, THtmlSymbol::EndOfDocument}));
  EXPECT_EQ(tokens.Symbols[3].Value, 1);
  EXPECT_EQ(tokens.Symbols[5].Value, 2);
  EXPECT_EQ(tokens.Symbols[6].Value, 3);
  EXPECT_EQ(tokens.Symbols[7].Value, 0);  // <H7>
  EXPECT_TRUE(tokens.Symbols[8].Attributes.empty());
  EXPECT_EQ(tokens.Symbols[3].TagPosition, 19);

  // A name longer than 255 letters is cut and so unknown, but fully read.
  const TTokenized longName = Tokenize("<" + std::string(300, 'B') + ">x");
  EXPECT_EQ(SymbolsOf(longName), (std::vector<THtmlSymbol>{THtmlSymbol::UnknownTag,
                                                           THtmlSymbol::Text,
                                                           THtmlSymbol::EndOfDocument}));
}

TEST(HtmlTokenizerTest, LessThanWithoutNameIsText) {
  TTokenized tokens = Tokenize("a < b");
  EXPECT_EQ(Texts(tokens), (std::vector<std::u16string>{u"a ", u"<", u" b"}));
  EXPECT_EQ(tokens.Symbols[1].Positions, std::vector<int32_t>{2});
  EXPECT_EQ(Texts(Tokenize("<3")), (std::vector<std::u16string>{u"<", u"3"}));
  tokens = Tokenize("x</3>y");
  EXPECT_EQ(SymbolsOf(tokens), (std::vector<THtmlSymbol>{THtmlSymbol::Text,
                                                         THtmlSymbol::UnknownTag,
                                                         THtmlSymbol::Text,
                                                         THtmlSymbol::EndOfDocument}));
  // A lone "<" and a tag that never closes run to the end without an error.
  EXPECT_EQ(Tokenize("<").Error, "");
  EXPECT_EQ(Texts(Tokenize("<")), std::vector<std::u16string>{u"<"});
  tokens = Tokenize("<A HREF='x");
  EXPECT_EQ(tokens.Error, "");
  EXPECT_EQ(Attr(tokens.Symbols[0], 0).Value, "x");
}

TEST(HtmlTokenizerTest, StyleTagStopsAtItsClosingBracket) {
  TParseContext context;
  context.PrepareSource("<STYLE type=x>p{}");
  context.BeginReading();
  context.NextSymbol();
  EXPECT_EQ(context.Symbol, THtmlSymbol::Style);
  EXPECT_EQ(context.CurrentChar, '>');
  context.NextSymbol();  // an ordinary tag is read past its ">"
  EXPECT_EQ(context.Symbol, THtmlSymbol::Text);
}

TEST(HtmlTokenizerTest, AttributeValueKinds) {
  const TTokenized tokens = Tokenize(
      "<TD WIDTH=\"50%\" height=50 % x=100px BORDER Clear=all Href=x/ "
      "a-b1='it' v=\" 2.5 \" w=\"3.5\" n=-2.5 z=yes BORDER=yes>");
  const TSymbolRecord& td = tokens.Symbols.at(0);
  ASSERT_EQ(td.Attributes.size(), 12u);
  EXPECT_EQ(Attr(td, 0).Symbol, THtmlAttribute::Width);
  EXPECT_EQ(Attr(td, 0).Value, "50%");
  EXPECT_EQ(Attr(td, 0).Numeric, 50);
  EXPECT_EQ(Attr(td, 1).Name, "HEIGHT");
  EXPECT_EQ(Attr(td, 1).Value, "50%");
  EXPECT_EQ(Attr(td, 1).Numeric, 50);
  EXPECT_EQ(Attr(td, 2).Value, "100px");
  EXPECT_EQ(Attr(td, 2).Numeric, 0);
  EXPECT_EQ(Attr(td, 3).Symbol, THtmlAttribute::Border);
  EXPECT_EQ(Attr(td, 3).Value, "");
  EXPECT_EQ(Attr(td, 3).Numeric, 1);
  EXPECT_EQ(Attr(td, 4).Name, "CLEAR");
  EXPECT_EQ(Attr(td, 4).Value, "all");
  EXPECT_EQ(Attr(td, 5).Value, "x/");
  EXPECT_EQ(Attr(td, 6).Name, "A-B1");
  EXPECT_EQ(Attr(td, 6).Symbol, THtmlAttribute::Other);
  EXPECT_EQ(Attr(td, 6).Value, "it");
  // A quoted value is kept untrimmed; its number comes from a trimmed copy
  // and is rounded half to even.
  EXPECT_EQ(Attr(td, 7).Value, " 2.5 ");
  EXPECT_EQ(Attr(td, 7).Numeric, 2);
  EXPECT_EQ(Attr(td, 8).Numeric, 4);
  EXPECT_EQ(Attr(td, 9).Numeric, -2);
  EXPECT_EQ(Attr(td, 10).Numeric, 0);
  EXPECT_EQ(Attr(td, 11).Symbol, THtmlAttribute::Border);
  EXPECT_EQ(Attr(td, 11).Numeric, 1);  // unquoted: keeps its start value
}

TEST(HtmlTokenizerTest, AttributeNumbersEdgeCases) {
  const TTokenized tokens = Tokenize(
      "<P a=\"50%%\" b=\"1e2\" c=\"inf\" d=\"+.5\" e=+ f=99999999999 g=\"\" BORDER=\"\" h=\"%5\">");
  const TSymbolRecord& p = tokens.Symbols.at(0);
  ASSERT_EQ(p.Attributes.size(), 9u);
  EXPECT_EQ(Attr(p, 0).Numeric, 0);  // the first "%" is not the last character
  EXPECT_EQ(Attr(p, 1).Numeric, 100);
  EXPECT_EQ(Attr(p, 2).Numeric, 0);
  EXPECT_EQ(Attr(p, 3).Numeric, 0);  // 0.5 rounds to even
  EXPECT_EQ(Attr(p, 4).Numeric, 0);
  EXPECT_EQ(Attr(p, 5).Numeric, 2147483647);
  EXPECT_EQ(Attr(p, 6).Numeric, 0);
  EXPECT_EQ(Attr(p, 7).Numeric, 0);  // a quoted BORDER takes its number from the value
  EXPECT_EQ(Attr(p, 8).Numeric, 0);
}

TEST(HtmlTokenizerTest, QuotedValuesDropLineEndsAndDecodeEntities) {
  const TTokenized tokens = Tokenize("<A TITLE=\"a\r\nb &amp; &#233;&euro;&#9;&bogus; &#x20AC;\">");
  const TSymbolRecord& a = tokens.Symbols.at(0);
  EXPECT_EQ(Attr(a, 0).Symbol, THtmlAttribute::Title);
  EXPECT_EQ(Attr(a, 0).Value, "ab & \xE9\x80?&bogus; \x80");
  // An "&" before the closing quote does not swallow the quote.
  const TTokenized amp = Tokenize("<A TITLE=\"R&\" HREF=x>");
  ASSERT_EQ(amp.Symbols.at(0).Attributes.size(), 2u);
  EXPECT_EQ(Attr(amp.Symbols[0], 0).Value, "R&");
  EXPECT_EQ(Attr(amp.Symbols[0], 1).Value, "x");
  // Unquoted values are taken as written.
  const TTokenized raw = Tokenize("<A HREF=a&amp;b>");
  EXPECT_EQ(Attr(raw.Symbols.at(0), 0).Value, "a&amp;b");
}

TEST(HtmlTokenizerTest, AttributeEntitiesFollowTheCodePage) {
  TParseContext context;
  context.PrepareSource("<A TITLE=\"&euro;&#x416;&#233;\">");
  context.DefaultCodePage = kCodePageUtf8;
  TTokenized tokens = Tokenize(context);
  // 233 stays that byte; the others are encoded for the code page.
  EXPECT_EQ(Attr(tokens.Symbols.at(0), 0).Value, "\xE2\x82\xAC\xD0\x96\xE9");

  context.PrepareSource("<A TITLE=\"&#x416;\">");
  context.DefaultCodePage = 1252;
  tokens = Tokenize(context);
  EXPECT_EQ(Attr(tokens.Symbols.at(0), 0).Value, "?");
}

TEST(HtmlTokenizerTest, IdAttributesAreRegisteredWithTheirPosition) {
  TParseContext context;
  context.PrepareSource("<P ID=Intro>x<A id=\"\"><DIV ID='Two'>");
  std::vector<std::pair<AnsiString, int32_t>> ids;
  context.OnRegisterID = [&](const AnsiString& id, int32_t pos) { ids.emplace_back(id, pos); };
  const TTokenized tokens = Tokenize(context);
  EXPECT_EQ(ids, (std::vector<std::pair<AnsiString, int32_t>>{{"Intro", 11}, {"Two", 35}}));

  // The list's ID is lower case, CLASS too; TITLE stays as written.
  TAttributeList list;
  for (const TAttribute& a : tokens.Symbols.at(0).Attributes) list.Add(a);
  list.Add({THtmlAttribute::Class, "CLASS", "Note", 0});
  list.Add({THtmlAttribute::Title, "TITLE", "Mixed Case", 0});
  EXPECT_EQ(list.GetID(), "intro");
  EXPECT_EQ(list.GetClass(), "note");
  EXPECT_EQ(list.GetTitle(), "Mixed Case");
  EXPECT_EQ(list.GetStyle(), nullptr);
  list.Add({THtmlAttribute::Style, "STYLE", "color: red; text-align: center", 0});
  const TProperties* style = list.GetStyle();
  ASSERT_NE(style, nullptr);
  ASSERT_NE(style->TextOf(Prop::TextAlign), nullptr);
  EXPECT_EQ(*style->TextOf(Prop::TextAlign), "center");
  list.Clear();
  EXPECT_EQ(list.GetID(), "");
  EXPECT_EQ(list.Lookup(THtmlAttribute::Class), nullptr);
}

TEST(HtmlTokenizerTest, TextEntities) {
  EXPECT_EQ(AllText("x &amp; y"), u"x & y");
  EXPECT_EQ(AllText("&AMP;"), u"&AMP;");
  EXPECT_EQ(AllText("&auml"), u"\u00E4");
  EXPECT_EQ(AllText("&Auml;"), u"\u00C4");
  EXPECT_EQ(AllText("&AUML;"), u"&AUML;");
  EXPECT_EQ(AllText("AT&T"), u"AT&T");
  EXPECT_EQ(AllText("&lt;b&gt;"), u"<b>");
  EXPECT_EQ(AllText("&#x41;&#65;&#X41"), u"AAA");
  EXPECT_EQ(AllText("&#8364;"), u"\u20AC");
  EXPECT_EQ(AllText("&#9;"), u"?");
  EXPECT_EQ(AllText("&#150;"), u"\u2013");
  EXPECT_EQ(AllText("&#xZ"), u"&#xZ");
  EXPECT_EQ(AllText("&#XZ"), u"&#XZ");
  EXPECT_EQ(AllText("&#Z"), u"&#Z");
  EXPECT_EQ(AllText("a&"), u"a&");
  EXPECT_EQ(AllText("&bogus;"), u"&bogus;");
  // At most 11 characters make a name; the rest is text.
  EXPECT_EQ(AllText("&abcdefghijklmn"), u"&abcdefghijklmn");
  // Values above 16 bits keep their low 16 bits, control values become "?".
  EXPECT_EQ(AllText("&#x1F600;"), u"\uF600");
  EXPECT_EQ(AllText("&#65540;&#4294967297;"), u"??");
}

TEST(HtmlTokenizerTest, AmpersandBeforeNonNameCharacters) {
  // "&<" leaves the "<" to start a tag; a blank after "&" is still collapsed.
  const TTokenized tokens = Tokenize("a&<B>b & \r\n c&\x01");
  EXPECT_EQ(SymbolsOf(tokens), (std::vector<THtmlSymbol>{THtmlSymbol::Text, THtmlSymbol::B,
                                                         THtmlSymbol::Text}));
  EXPECT_EQ(Texts(tokens), (std::vector<std::u16string>{u"a&", u"b & c&"}));
  EXPECT_EQ(tokens.Error, "Not an HTML or Text document");
}

TEST(HtmlTokenizerTest, NumericEntitiesGoThroughTheCodePage) {
  TParseContext context;
  context.PrepareSource("&#246;&ouml;");
  context.DefaultCodePage = 1251;
  // 246 is a byte of the document's code page (Cyrillic small che), the
  // named reference is the Unicode character.
  EXPECT_EQ(Texts(Tokenize(context)), std::vector<std::u16string>{u"\u0446\u00F6"});
}

TEST(HtmlTokenizerTest, TextPositionsPointIntoTheSource) {
  const TTokenized tokens = Tokenize("<P>a  b&amp;c&#65;&zz</P>");
  ASSERT_EQ(tokens.Symbols.at(1).Symbol, THtmlSymbol::Text);
  EXPECT_EQ(tokens.Symbols[1].Text, u"a b&cA&zz");
  EXPECT_EQ(tokens.Symbols[1].Positions,
            (std::vector<int32_t>{3, 4, 6, 7, 12, 13, 18, 19, 20}));
}

TEST(HtmlTokenizerTest, MultiByteTextKeepsTheFirstBytePosition) {
  TParseContext context;
  context.PrepareSource("x\xC3\xA4\xE2\x82\xAC" "y");
  context.DefaultCodePage = kCodePageUtf8;
  const TTokenized tokens = Tokenize(context);
  EXPECT_EQ(tokens.Symbols.at(0).Text, u"x\u00E4\u20ACy");
  EXPECT_EQ(tokens.Symbols[0].Positions, (std::vector<int32_t>{0, 1, 3, 6}));
}

TEST(HtmlTokenizerTest, TextIsConvertedWithTheCodePageInForceWhenScanned) {
  TParseContext context;
  context.PrepareSource("\xE4<B>\xE4");
  int codePage = 1252;
  context.CodePageSource = [&] { return codePage; };
  context.BeginReading();
  context.NextSymbol();
  EXPECT_EQ(context.TextToken.ToText(), u"\u00E4");
  context.NextSymbol();
  codePage = 1251;
  context.NextSymbol();
  EXPECT_EQ(context.TextToken.ToText(), u"\u0434");
}

TEST(HtmlTokenizerTest, IncludeCommentsInsertTheHandlersText) {
  TParseContext context;
  context.PrepareSource(
      "a<!--#include file=\"x&amp;y.htm\" virtual=v/w  Opt = 'p q'-->b<!--#echo-->c");
  std::vector<std::pair<AnsiString, std::vector<AnsiString>>> calls;
  context.IncludeHandler = [&](const AnsiString& command, const std::vector<AnsiString>& params,
                               AnsiString& result) {
    calls.emplace_back(command, params);
    result = command == "include" ? "<B>in</B>" : "";
  };
  const TTokenized tokens = Tokenize(context);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].first, "include");
  EXPECT_EQ(calls[0].second,
            (std::vector<AnsiString>{"file=x&y.htm", "virtual=v/w", "Opt=p q"}));
  EXPECT_EQ(calls[1].first, "echo");
  EXPECT_TRUE(calls[1].second.empty());
  EXPECT_EQ(SymbolsOf(tokens),
            (std::vector<THtmlSymbol>{THtmlSymbol::Text, THtmlSymbol::B, THtmlSymbol::Text,
                                      THtmlSymbol::BEnd, THtmlSymbol::Text,
                                      THtmlSymbol::EndOfDocument}));
  // Inserted text does not move the source position: "in" sits at the end of
  // the comment, "b" right after it.
  EXPECT_EQ(tokens.Symbols[2].Text, u"in");
  EXPECT_EQ(tokens.Symbols[2].Positions, (std::vector<int32_t>{59, 59}));
  EXPECT_EQ(tokens.Symbols[4].Text, u"bc");
  EXPECT_EQ(tokens.Symbols[4].Positions, (std::vector<int32_t>{60, 73}));
}

TEST(HtmlTokenizerTest, IncludesWithoutHandlerAreCommentsAndNestingIsBounded) {
  EXPECT_EQ(AllText("a<!--#include file=x-->b"), u"ab");

  // Text of an include that includes again is read before the rest of the
  // outer text; a handler that answers itself for ever is cut off.
  TParseContext context;
  context.PrepareSource("<!--#outer-->z");
  context.IncludeHandler = [](const AnsiString& command, const std::vector<AnsiString>&,
                              AnsiString& result) {
    result = command == "outer" ? "x<!--#inner-->y" : "i";
  };
  EXPECT_EQ(Texts(Tokenize(context)), std::vector<std::u16string>{u"xiyz"});

  context.PrepareSource("<!--#again-->end");
  int calls = 0;
  context.IncludeHandler = [&](const AnsiString&, const std::vector<AnsiString>&,
                               AnsiString& result) {
    ++calls;
    result = "<!--#again-->";
  };
  EXPECT_EQ(Texts(Tokenize(context)), std::vector<std::u16string>{u"end"});
  EXPECT_EQ(calls, 10000);
}

TEST(HtmlTokenizerTest, ProgressIsReportedEvery4096Bytes) {
  TParseContext context;
  context.PrepareSource(std::string(10000, 'x'));
  std::vector<int> percents;
  context.OnProgress = [&](int percent) { percents.push_back(percent); };
  Tokenize(context);
  EXPECT_EQ(percents, (std::vector<int>{30, 61}));
}

TEST(HtmlTokenizerTest, EveryProgressStepIsReportedOnceWhateverReadsIt) {
  // Steps are passed by single reads, by runs of text, names and values,
  // and by blanks and comments; each must be reported once and in order.
  const std::vector<std::string> pieces = {
      "word ", "<p>", "</p>", "<a href=\"x.html\" id=y>", "  \r\n\t ", "<!-- c -->",
      "&amp;", "<td width=50%>", "longer text without tags in it ", "x"};
  for (const size_t first : {0u, 3u, 7u}) {
    std::string html;
    for (size_t i = first; html.size() < 20000; ++i) html += pieces[i % pieces.size()];
    TParseContext context;
    context.PrepareSource(html);
    std::vector<int> percents;
    context.OnProgress = [&](int percent) { percents.push_back(percent); };
    Tokenize(context);
    std::vector<int> expected;
    const auto length = static_cast<int64_t>(html.size());
    for (int64_t mark = 4096; mark <= length; mark += 4096)
      expected.push_back(static_cast<int>(75 * mark / length));
    EXPECT_EQ(percents, expected) << first;
  }
}

TEST(HtmlTokenizerTest, RewindReadsTheDocumentAgain) {
  TParseContext context;
  context.PrepareSource("<A HREF=x>one</A>");
  const TTokenized first = Tokenize(context);
  const TTokenized second = Tokenize(context);
  EXPECT_EQ(SymbolsOf(first), SymbolsOf(second));
  EXPECT_EQ(Texts(second), std::vector<std::u16string>{u"one"});
}

TEST(HtmlTokenizerTest, MetaCharsetSwitchesTheCodePage) {
  struct TCase {
    const char* Content;
    bool Found;
    int Charset;
    int CodePage;
  };
  const TCase cases[] = {
      {"text/html; charset=windows-1251", true, 204, 1251},
      {"text/html; charset=iso-8859-15", true, 0, 1252},
      {"text/html; charset=UTF-8", false, 1, 0},
      {"text/html; charset=Shift_JIS", true, 128, 932},
  };
  for (const TCase& c : cases) {
    TParseContext context;
    context.PrepareSource("");
    int charset = kDefaultCharset, codePage = 0, found = 0;
    const bool matched = context.DecodeCharset(c.Content, found);
    EXPECT_EQ(matched, c.Found) << c.Content;
    if (matched) SetCharset(charset, codePage, found);
    EXPECT_EQ(charset, c.Charset) << c.Content;
    EXPECT_EQ(codePage, c.CodePage) << c.Content;
  }
}

TEST(HtmlTokenizerTest, EucJpCharsetReencodesTheRestOfTheDocument) {
  // EUC-JP "あ" (A4 A2) is Shift_JIS 82 A0.
  TParseContext context;
  context.PrepareSource("<META>\xA4\xA2");
  int codePage = 1252;
  context.CodePageSource = [&] { return codePage; };
  context.BeginReading();
  context.NextSymbol();
  int charset = 0;
  ASSERT_TRUE(context.DecodeCharset("text/html; charset=EUC-JP", charset));
  EXPECT_EQ(charset, kShiftJisCharset);
  EXPECT_TRUE(context.JapaneseConverted);
  EXPECT_EQ(context.Source, "<META>\x82\xA0");
  SetCharset(charset, codePage, charset);
  context.NextSymbol();
  EXPECT_EQ(context.TextToken.ToText(), u"\u3042");
  // Never twice.
  ASSERT_TRUE(context.DecodeCharset("euc-jp", charset));
  EXPECT_EQ(context.Source, "<META>\x82\xA0");
}

TEST(HtmlTokenizerTest, Iso2022JpDocumentsAreShiftJisBeforeParsing) {
  TParseContext context;
  context.PrepareSource("a\x1B$B$\"\x1B(Bb");
  EXPECT_TRUE(context.JapaneseConverted);
  EXPECT_EQ(context.Source, "a\x82\xA0" "b");
  int charset = 1, codePage = 0;
  SetCharset(charset, codePage, kShiftJisCharset);
  context.DefaultCodePage = codePage;
  EXPECT_EQ(Texts(Tokenize(context)), std::vector<std::u16string>{u"a\u3042b"});
  // A byte 0 takes precedence: the text is only cut.
  context.PrepareSource(std::string("\x1B$B$\"\0", 6));
  EXPECT_FALSE(context.JapaneseConverted);
}

TEST(HtmlTokenizerTest, TextReadInPlaceStaysTheCallers) {
  // Read in place: no copy, the same symbols as from a copy.
  const std::string html = "<P>one  two<B>three</B>";
  TParseContext context;
  context.PrepareSourceView(html);
  EXPECT_EQ(context.Source.data(), html.data());
  const std::vector<std::u16string> texts = Texts(Tokenize(context));
  context.PrepareSource(html);
  EXPECT_EQ(Texts(Tokenize(context)), texts);
  EXPECT_EQ(texts, (std::vector<std::u16string>{u"one two", u"three"}));

  // Cut after a byte 0 without touching the text.
  const std::string withZero("ab\0cd", 5);
  context.PrepareSourceView(withZero);
  EXPECT_EQ(context.Source, std::string("ab\0", 3));
  EXPECT_EQ(withZero.size(), 5u);

  // Conversions work on a copy; the caller's text is left as it was.
  const std::string iso = "a\x1B$B$\"\x1B(Bb";
  context.PrepareSourceView(iso);
  EXPECT_TRUE(context.JapaneseConverted);
  EXPECT_EQ(context.Source, "a\x82\xA0" "b");
  EXPECT_EQ(iso, "a\x1B$B$\"\x1B(Bb");

  const std::string euc = "<META>\xA4\xA2";
  context.PrepareSourceView(euc);
  context.BeginReading();
  context.NextSymbol();
  int charset = 0;
  ASSERT_TRUE(context.DecodeCharset("euc-jp", charset));
  EXPECT_EQ(context.Source, "<META>\x82\xA0");
  EXPECT_EQ(euc, "<META>\xA4\xA2");

  context.ReleaseSource();
  EXPECT_TRUE(context.Source.empty());
  EXPECT_EQ(Tokenize(context).Symbols.size(), 1u);
}

TEST(HtmlTokenizerTest, OwnedTextSurvivesMovingTheContext) {
  // Short enough to sit inside a string object: a context that kept its
  // copy by value would leave Source pointing into the moved-from one.
  std::optional<TParseContext> first(std::in_place);
  first->PrepareSource("<B>x</B>");
  TParseContext second = std::move(*first);
  first.reset();
  EXPECT_EQ(second.Source, "<B>x</B>");
  EXPECT_EQ(Texts(Tokenize(second)), std::vector<std::u16string>{u"x"});
}

TEST(HtmlTokenizerTest, LargeAndDegenerateDocumentsFinish) {
  // 50 MB of long paragraphs, 4 MB of short ones, one long run of text, and
  // runs of "<" and "&#" are all read in linear time.
  const auto countTexts = [](std::string document) {
    TParseContext context;
    context.PrepareSource(std::move(document));
    context.BeginReading();
    int texts = 0;
    for (context.NextSymbol(); context.Symbol != THtmlSymbol::EndOfDocument;
         context.NextSymbol())
      texts += context.Symbol == THtmlSymbol::Text ? 1 : 0;
    return texts;
  };
  const auto repeat = [](const std::string& part, size_t size) {
    std::string result;
    result.reserve(size);
    while (result.size() + part.size() <= size) result += part;
    return result;
  };
  const std::string longParagraph =
      "<P>" + repeat("Long-words-without-many-blanks-in-between-them&amp;more ", 4000) + "</P>";
  EXPECT_EQ(countTexts(repeat(longParagraph, 50u << 20)),
            static_cast<int>((50u << 20) / longParagraph.size()));
  const std::string paragraph = "<P class=x>Some words &amp; more words</P>\r\n";
  EXPECT_EQ(countTexts(repeat(paragraph, 4u << 20)),
            static_cast<int>(2 * ((4u << 20) / paragraph.size())));

  TParseContext context;
  const size_t runLength = 8u << 20;
  context.PrepareSource(std::string(runLength, 'a'));
  context.BeginReading();
  context.NextSymbol();
  EXPECT_EQ(context.TextToken.Count(), static_cast<int>(runLength));
  EXPECT_EQ(context.TextToken.Positions().back(), static_cast<int32_t>(runLength - 1));

  std::string pattern;
  for (int i = 0; i < 200000; ++i) pattern += "<&#< &x<1";
  context.PrepareSource(pattern);
  context.BeginReading();
  int symbols = 0;
  for (context.NextSymbol(); context.Symbol != THtmlSymbol::EndOfDocument; context.NextSymbol())
    ++symbols;
  EXPECT_GT(symbols, 200000);
}

}  // namespace
}  // namespace folverin

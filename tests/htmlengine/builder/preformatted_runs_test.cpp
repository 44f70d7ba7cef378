// Preformatted text takes the plain bytes that follow a character straight
// from the document; text an include handler inserts goes through the
// reader byte by byte. Both must give the same text, and a run must stop
// at every byte that needs attention and keep its bytes' source positions.
#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>
#include <vector>

#include "common/windows1252.h"
#include "htmlengine/builder/document_builder.h"
#include "htmlengine/document/section_list.h"
#include "htmlengine/random_pieces.h"
#include "htmlengine/tokenizer/html_tokenizer.h"

namespace folverin {
namespace {

AnsiString SelectedText(TSectionList& document) {
  document.Layout();
  document.SelectionEnd = document.TextLength;
  const int n = document.GetSelectedLength();
  std::vector<char16_t> buffer(n + 1);
  document.CopySelectedText(buffer.data(), n + 1);
  return Utf16ToAnsi(std::u16string(buffer.data(), n));
}

AnsiString TextReadDirectly(const std::string& html, bool plain) {
  TSectionList document;
  if (plain) ParsePlainText(html, document);
  else ParseDocument(html, document);
  return SelectedText(document);
}

AnsiString TextReadAsInserted(const std::string& html) {
  TSectionList document;
  ParseDocument("<!--#doc-->", document, {}, {}, {}, {},
                [&](const AnsiString&, const std::vector<AnsiString>&, AnsiString& text) {
                  text = html;
                });
  return SelectedText(document);
}

// What preformatted text treats specially: line ends, tabs, tags,
// entities, comments, control bytes, the end marker, bytes above 127.
const std::vector<std::string> kPieces = {
    "a", "word", "  ", " ", "\r", "\n", "\r\n", "\t", "<b>", "</b>", "<br>", "<p>", "</p>",
    "&amp;", "&", "&lt", "<!-- c -->", "<", ">", "\x03", "\xE9", "x y z", "<font size=2>",
    "</font>", "<a href=\"q\">", "</a>", "long run of text "};

std::string RandomPre(std::mt19937& random) {
  std::uniform_int_distribution<int> length(1, 50);
  return "<pre>" + test::JoinedPieces(kPieces, length(random), random) + "</pre>after";
}

TEST(PreformattedRunsTest, DocumentAndInsertedTextGiveTheSameText) {
  std::mt19937 random(7091226);
  for (int round = 0; round < 300; ++round) {
    const std::string html = RandomPre(random);
    ASSERT_EQ(TextReadDirectly(html, false), TextReadAsInserted(html)) << html;
  }
}

TEST(PreformattedRunsTest, RunsStopAtSpecialBytesAndKeepPositions) {
  TParseContext context;
  context.PrepareSource("ab c\td&e<x>f\x03g\r\nh");
  context.BeginReading();
  TCharCollection pending;
  context.TakePreformattedRun(pending, std::numeric_limits<size_t>::max());
  EXPECT_EQ(pending.Bytes(), "ab c");
  EXPECT_EQ(pending.Positions(), (std::vector<int32_t>{0, 1, 2, 3}));
  EXPECT_EQ(context.CurrentChar, 'c');
  EXPECT_EQ(context.SourcePos, 3);
  context.ReadCharSkippingComments();
  EXPECT_EQ(context.CurrentChar, ' ');  // the tab, as the reader gives it
  context.ReadCharSkippingComments();
  pending.Clear();
  context.TakePreformattedRun(pending, std::numeric_limits<size_t>::max());
  EXPECT_EQ(pending.Bytes(), "d");
  EXPECT_EQ(pending.Positions(), std::vector<int32_t>{5});

  // No further than asked.
  context.BeginReading();
  pending.Clear();
  context.TakePreformattedRun(pending, 1);
  EXPECT_EQ(pending.Bytes(), "ab");
  EXPECT_EQ(context.SourcePos, 1);
  context.ReadCharSkippingComments();
  EXPECT_EQ(context.CurrentChar, ' ');

  // Inserted text is read byte by byte: only the current character.
  context.PrepareSource("<!--#x-->tail");
  context.IncludeHandler = [](const AnsiString&, const std::vector<AnsiString>&,
                              AnsiString& text) { text = "IN"; };
  context.BeginReading();
  pending.Clear();
  context.TakePreformattedRun(pending, std::numeric_limits<size_t>::max());
  EXPECT_EQ(pending.Bytes(), "I");
}

// Plain text goes to the section in runs of a fixed length; taking bytes
// along must neither lose nor double any of them at the run boundaries.
TEST(PreformattedRunsTest, PlainTextRunsKeepEveryByte) {
  std::string line;
  for (int i = 0; i < 900; ++i) line += static_cast<char>('a' + i % 26);
  std::string text = line;
  // Lines ending around the run length, with bytes that stop a run or are
  // no ASCII just before, at and after it.
  for (const size_t length : {198u, 199u, 200u, 201u, 399u, 400u, 401u}) {
    for (const char* special : {"&", "\xE9", "<", " "}) {
      std::string cut = line.substr(0, length);
      cut.insert(cut.size() - 1, special);
      text += "\r\n" + cut;
    }
  }
  EXPECT_EQ(TextReadDirectly(text, true), text);
}

}  // namespace
}  // namespace folverin

#include "htmlengine/tokenizer/token_obj.h"
#include "htmlengine/random_pieces.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/code_page.h"

namespace folverin {
namespace {

TCharCollection CollectionOf(const std::string& bytes, int32_t firstPos) {
  TCharCollection collection;
  collection.AddRun(bytes, firstPos);
  return collection;
}

TEST(TokenObjTest, CharsKeepTheirPositions) {
  TokenObj token;
  token.PutChar(u'A', 7);
  token.PutChar(0x1F600, 9);  // low 16 bits only
  EXPECT_EQ(token.ToText(), u"A\uF600");
  EXPECT_EQ(token.Positions(), (std::vector<int32_t>{7, 9}));
  token.Clear();
  EXPECT_EQ(token.Count(), 0);
  EXPECT_EQ(token.ToText(), u"");
}

TEST(TokenObjTest, PutBytesMapsEveryCharacterToItsFirstByte) {
  TokenObj token;
  token.PutBytes(CollectionOf("\xE4\x80", 10), 1252);
  EXPECT_EQ(token.ToText(), u"\u00E4\u20AC");
  EXPECT_EQ(token.Positions(), (std::vector<int32_t>{10, 11}));

  // Shift_JIS: a double-byte character between single bytes.
  token.Clear();
  token.PutBytes(CollectionOf("a\x82\xA0" "b", 20), 932);
  EXPECT_EQ(token.ToText(), u"a\u3042b");
  EXPECT_EQ(token.Positions(), (std::vector<int32_t>{20, 21, 23}));

  // UTF-8 with a character outside the 16-bit range (two units, one start).
  token.Clear();
  token.PutBytes(CollectionOf("\xF0\x9F\x98\x80x", 0), kCodePageUtf8);
  EXPECT_EQ(token.ToText(), u"\U0001F600x");
  EXPECT_EQ(token.Positions(), (std::vector<int32_t>{0, 0, 4}));

  // Positions need not be contiguous (collapsed blanks, entities).
  TCharCollection gaps;
  gaps.Add('\xC3', 5);
  gaps.Add('\xA4', 9);
  token.Clear();
  token.PutBytes(gaps, kCodePageUtf8);
  EXPECT_EQ(token.Positions(), std::vector<int32_t>{5});

  // A code page nobody can convert falls back to the system ANSI one.
  token.Clear();
  token.PutBytes(CollectionOf("\xE4", 0), 12345);
  EXPECT_EQ(token.ToText(), u"\u00E4");
}

// Windows-1252 and ASCII UTF-8 text is widened without the general decoder;
// it must give what the decoder gives, for every byte.
TEST(TokenObjTest, SingleByteTextDecodesAsTheCodePageDoes) {
  std::string allBytes;
  for (int byte = 1; byte < 256; ++byte) allBytes += static_cast<char>(byte);
  std::string ascii;
  for (int byte = 1; byte < 128; ++byte) ascii += static_cast<char>(byte);
  const std::string mixed = ascii + "\xC3\xA4" + ascii;
  const struct {
    int CodePage;
    std::string Bytes;
  } cases[] = {{0, allBytes},         {1252, allBytes}, {kCodePageUtf8, ascii},
               {kCodePageUtf8, mixed}, {1250, allBytes}, {1, allBytes}};
  for (const auto& c : cases) {
    TokenObj token;
    token.PutChar(u'x', 1);
    token.PutBytes(CollectionOf(c.Bytes, 100), c.CodePage);
    EXPECT_EQ(token.ToText(), u"x" + MultiByteToWide(c.CodePage, c.Bytes)) << c.CodePage;
    ASSERT_EQ(token.Positions().size(), token.ToText().size()) << c.CodePage;
    EXPECT_EQ(token.Positions()[0], 1);
    EXPECT_EQ(token.Positions()[1], 100);
    EXPECT_EQ(token.Positions().back(), 100 + static_cast<int32_t>(c.Bytes.size()) - 1);
  }
  TokenObj empty;
  empty.PutBytes(TCharCollection(), kCodePageUtf8);
  EXPECT_EQ(empty.Count(), 0);
  EXPECT_TRUE(empty.Positions().empty());
}

// A collapsed run must give what putting its pieces one by one gives: the
// bytes between blanks as they are, one space for each run of blanks.
TEST(TokenObjTest, CollapsedRunsAgreeWithTheirPieces) {
  const std::vector<std::string> pieces = {"a", "Bc", " ", "  ", "\t", "\r\n", "\n", "\x0B",
                                           "\x80", "\xE9", "\xFF", "&", "x y"};
  std::mt19937 random(4);
  const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  for (const int codePage : {0, 1252, kCodePageUtf8, 1251}) {
    for (int round = 0; round < 300; ++round) {
      const std::string bytes = test::JoinedPieces(pieces, 10, random);
      TokenObj expected;
      expected.PutChar(u'x', 3);
      bool direct = true;
      std::vector<TokenObj::TBlankRun> blanks;
      for (size_t i = 0; i < bytes.size();) {
        size_t end = i;
        if (isBlank(bytes[i])) {
          while (end < bytes.size() && isBlank(bytes[end])) ++end;
          blanks.push_back({static_cast<int32_t>(i), static_cast<int32_t>(end)});
          direct = direct && expected.PutSingleByteRun(" ", 50 + static_cast<int32_t>(i), codePage);
        } else {
          while (end < bytes.size() && !isBlank(bytes[end])) ++end;
          direct = direct && expected.PutSingleByteRun(bytes.substr(i, end - i),
                                                       50 + static_cast<int32_t>(i), codePage);
        }
        i = end;
      }
      TokenObj collapsed;
      collapsed.PutChar(u'x', 3);
      const bool put = collapsed.PutCollapsedRun(bytes, blanks, 50, codePage);
      if (!direct) {
        EXPECT_FALSE(put) << codePage << " " << bytes;
        EXPECT_EQ(collapsed.ToText(), u"x") << codePage << " " << bytes;
        EXPECT_EQ(collapsed.Positions(), std::vector<int32_t>{3});
        continue;
      }
      ASSERT_TRUE(put) << codePage << " " << bytes;
      ASSERT_EQ(collapsed.ToText(), expected.ToText()) << codePage << " " << bytes;
      ASSERT_EQ(collapsed.Positions(), expected.Positions()) << codePage << " " << bytes;
    }
  }
  // A single space left out of the blank runs stays as it is.
  TokenObj token;
  const std::vector<TokenObj::TBlankRun> blanks = {{1, 5}};
  ASSERT_TRUE(token.PutCollapsedRun("a \r\n\tb\x80 c", blanks, 10, 1252));
  EXPECT_EQ(token.ToText(), u"a b\u20AC c");
  EXPECT_EQ(token.Positions(), (std::vector<int32_t>{10, 11, 15, 16, 17, 18}));
  // Blank runs out of order or beyond the bytes put nothing.
  for (const auto& wrong : {std::vector<TokenObj::TBlankRun>{{3, 4}, {1, 2}},
                            std::vector<TokenObj::TBlankRun>{{2, 2}},
                            std::vector<TokenObj::TBlankRun>{{5, 9}}}) {
    TokenObj refused;
    EXPECT_FALSE(refused.PutCollapsedRun("ab  cd", wrong, 0, 1252));
    EXPECT_EQ(refused.Count(), 0);
  }
}

TEST(TokenObjTest, CharCollectionAppends) {
  TCharCollection a = CollectionOf("ab", 3);
  TCharCollection b;
  b.Add('c', 40);
  a.Append(b);
  EXPECT_EQ(a.ToText(), "abc");
  EXPECT_EQ(a.Positions(), (std::vector<int32_t>{3, 4, 40}));
  EXPECT_EQ(a.Count(), 3);
  a.Clear();
  EXPECT_EQ(a.Count(), 0);
}

}  // namespace
}  // namespace folverin

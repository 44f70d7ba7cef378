#include "htmlengine/token_obj.h"

#include <gtest/gtest.h>

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

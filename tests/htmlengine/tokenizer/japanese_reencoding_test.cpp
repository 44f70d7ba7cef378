#include "htmlengine/tokenizer/japanese_reencoding.h"

#include <gtest/gtest.h>

#include "common/code_page.h"

namespace folverin {
namespace {

TEST(JapaneseReencodingTest, JisPairsBecomeShiftJis) {
  unsigned char s1, s2;
  JisToShiftJis(0x24, 0x22, s1, s2);  // あ
  EXPECT_EQ(s1, 0x82);
  EXPECT_EQ(s2, 0xA0);
  JisToShiftJis(0x30, 0x21, s1, s2);  // 亜: first row of level 1 kanji
  EXPECT_EQ(s1, 0x88);
  EXPECT_EQ(s2, 0x9F);
  JisToShiftJis(0x21, 0x60, s1, s2);  // odd row, second byte 96 and above: one more
  EXPECT_EQ(s1, 0x81);
  EXPECT_EQ(s2, 0x80);
  JisToShiftJis(0x5F, 0x21, s1, s2);  // row 95: the upper lead-byte range
  EXPECT_EQ(s1, 0xE0);
  EXPECT_EQ(s2, 0x40);
}

TEST(JapaneseReencodingTest, EucJpKeepsLengthAndSingleBytes) {
  // "aあ亜b" in EUC-JP, with a lone byte of 161 up before an ASCII byte.
  std::string text = "a\xA4\xA2\xB0\xA1" "b\xA4" "c";
  EucJpToShiftJis(text);
  EXPECT_EQ(text, "a\x82\xA0\x88\x9F" "b\xA4" "c");
  EXPECT_EQ(MultiByteToWide(932, text.substr(0, 6)), u"a\u3042\u4E9Cb");
}

TEST(JapaneseReencodingTest, Iso2022JpDropsEscapesAndConvertsPairs) {
  std::string text = "<P>\x1B$B$\"0!\x1B(Bx\x1B$@$\"\x1B(Jy";
  ASSERT_TRUE(ContainsIso2022JpEscape(text));
  Iso2022JpToShiftJis(text);
  EXPECT_EQ(text, "<P>\x82\xA0\x88\x9F" "x\x82\xA0" "y");
  EXPECT_EQ(MultiByteToWide(932, text), u"<P>\u3042\u4E9Cx\u3042y");
  // High bits are removed everywhere; an unknown escape is copied.
  text = "\xC1\x1B(Z";
  Iso2022JpToShiftJis(text);
  EXPECT_EQ(text, "A\x1B(Z");
  // An odd byte left in double-byte mode stays.
  text = "\x1B$B$";
  Iso2022JpToShiftJis(text);
  EXPECT_EQ(text, "$");
  EXPECT_FALSE(ContainsIso2022JpEscape("\x1B(B only"));
  EXPECT_FALSE(ContainsIso2022JpEscape("\x1B$"));
}

}  // namespace
}  // namespace folverin

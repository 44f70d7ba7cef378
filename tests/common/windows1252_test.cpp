#include "common/windows1252.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

std::string AllBytes() {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  return all;
}

TEST(Windows1252, EveryByteSurvivesUtf8AndUtf16RoundTrips) {
  const std::string all = AllBytes();
  EXPECT_EQ(Utf8ToAnsiExact(AnsiToUtf8(all)), all);
  EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
  EXPECT_EQ(Utf16ToAnsi(AnsiToUtf16(all)), all);
}

TEST(Windows1252, HighBytesMapToTheirUnicodeCharacters) {
  EXPECT_EQ(AnsiToUtf8("\xC4\xD6\xDC\xDF\xE4\xF6\xFC"), "ÄÖÜßäöü");
  EXPECT_EQ(AnsiToUtf8("\x80\x84\x96\x9F"), "€„–Ÿ");
  EXPECT_EQ(Windows1252ToUnicode(0x80), u'\u20AC');
  EXPECT_EQ(Windows1252ToUnicode(0xA0), u'\u00A0');
  // The five bytes the code page leaves undefined stand for the C1 controls.
  for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_EQ(Windows1252ToUnicode(b), static_cast<char16_t>(b));
    EXPECT_EQ(UnicodeToWindows1252(b), b);
  }
  // The other C1 controls have no byte: 0x80 is the euro sign.
  EXPECT_EQ(UnicodeToWindows1252(0x80), std::nullopt);
  EXPECT_EQ(UnicodeToWindows1252(0x96), std::nullopt);
  EXPECT_EQ(UnicodeToWindows1252(0x2013), 0x96);
  EXPECT_EQ(UnicodeToWindows1252(0x100), std::nullopt);
}

TEST(Windows1252, LossyConversionsWriteOneQuestionMarkPerCharacter) {
  EXPECT_EQ(Utf8ToAnsi("a中b"), "a?b");
  EXPECT_EQ(Utf8ToAnsi("x😀y"), "x?y");
  EXPECT_EQ(Utf16ToAnsi(u"x\U0001F600y"), "x?y");
  EXPECT_EQ(Utf16ToAnsi(u"\xD800z"), "?z");  // a lone surrogate
  EXPECT_EQ(Utf8ToAnsi("a\xC3"), "a?");      // cut-off sequence
  EXPECT_EQ(Utf8ToAnsi("\xFFok"), "?ok");
}

TEST(Windows1252, ExactConversionRefusesWhatCannotBeANameInTheCodePage) {
  EXPECT_EQ(Utf8ToAnsiExact("Größe.htm"), "Gr\xF6\xDF" "e.htm");
  EXPECT_EQ(Utf8ToAnsiExact("\xE2\x82\xAC"), "\x80");
  EXPECT_EQ(Utf8ToAnsiExact("日本.htm"), std::nullopt);
  EXPECT_EQ(Utf8ToAnsiExact("a\xC3"), std::nullopt);
  EXPECT_EQ(Utf8ToAnsiExact("\xC0\xAF"), std::nullopt);          // overlong "/"
  EXPECT_EQ(Utf8ToAnsiExact("\xED\xA0\x80"), std::nullopt);      // surrogate
  EXPECT_EQ(Utf8ToAnsiExact("\xF4\x90\x80\x80"), std::nullopt);  // above U+10FFFF
  EXPECT_EQ(Utf8ToAnsiExact(""), "");
}

}  // namespace
}  // namespace folverin

#include "common/johab.h"

#include <gtest/gtest.h>

#include "common/code_page.h"

namespace folverin {
namespace {

TEST(Johab, HangulSymbolsAndHanjaRoundTrip) {
  const struct {
    std::string bytes;
    char16_t ch;
  } samples[] = {
      {"\x88\x61", u'\uAC00'},  // first syllable
      {"\xD3\xBD", u'\uD7A3'},  // last syllable
      {"\x88\x41", u'\u3131'},  // lone initial
      {"\x84\x61", u'\u314F'},  // lone medial
      {"\x84\x44", u'\u3133'},  // a cluster exists only as a final
      {"\xBC\x41", u'\u3149'},  {"\xD9\x31", u'\u3000'}, {"\xD9\x68", u'\u203B'},
      {"\xDA\x51", u'\uFF21'},  {"\xDA\xD4", u'\u3164'}, {"\xED\x3C", u'\u4E9E'},
      {"\xF2\xCB", u'\u4E01'},
  };
  for (const auto& sample : samples) {
    SCOPED_TRACE(sample.bytes);
    EXPECT_EQ(JohabToUtf16(sample.bytes), std::u16string(1, sample.ch));
    EXPECT_EQ(Utf16ToJohab(std::u16string(1, sample.ch)), sample.bytes);
    EXPECT_EQ(MultiByteToWide(kCodePageJohab, sample.bytes), std::u16string(1, sample.ch));
    EXPECT_EQ(WideToMultiByte(kCodePageJohab, std::u16string(1, sample.ch)), sample.bytes);
  }
}

TEST(Johab, EverySyllableRoundTrips) {
  std::u16string all;
  for (char16_t ch = 0xAC00; ch <= 0xD7A3; ++ch) all += ch;
  const std::string bytes = Utf16ToJohab(all);
  ASSERT_EQ(bytes.size(), all.size() * 2);
  EXPECT_EQ(JohabToUtf16(bytes), all);
}

TEST(Johab, ByteIndexAndMalformedInput) {
  std::vector<uint32_t> index;
  EXPECT_EQ(MultiByteToWide(kCodePageJohab, "a\x88\x61\xED\x3C" "b", &index), u"a\uAC00\u4E9Eb");
  EXPECT_EQ(index, (std::vector<uint32_t>{0, 1, 3, 5}));
  // A lead byte at the end, a lead with an ASCII byte that cannot follow it,
  // and fields that form no letter.
  EXPECT_EQ(JohabToUtf16("x\x88"), u"x\uFFFD");
  EXPECT_EQ(JohabToUtf16("\x88\x20y"), u"\uFFFD y");
  EXPECT_EQ(JohabToUtf16("\x88\x44"), u"\uFFFD");
  EXPECT_EQ(JohabToUtf16("\x84\x41"), u"\u3000");
  EXPECT_EQ(Utf16ToJohab(u"a\u00E4\U0001F600\u20AC"), "a??\xD9\xE6");
}

}  // namespace
}  // namespace folverin

#include "common/code_page.h"

#include <gtest/gtest.h>

#include <vector>

namespace folverin {
namespace {

struct Sample {
  int codePage;
  std::string bytes;
  std::u16string text;
};

TEST(CodePage, EachCodePageDecodesItsOwnLetters) {
  const std::vector<Sample> samples = {
      {1250, "\x9A\xE8", u"\u0161\u010D"}, {1251, "\xE4\xC6", u"\u0434\u0416"},
      {1252, "\xE4\x80", u"\u00E4\u20AC"}, {1253, "\xE4\xC4", u"\u03B4\u0394"},
      {1254, "\xF0\xFE", u"\u011F\u015F"}, {1255, "\xE4\xF9", u"\u05D4\u05E9"},
      {1256, "\xC7\xE4", u"\u0627\u0646"}, {1257, "\xE8\xF0", u"\u010D\u0161"},
      {1258, "\xD2\xDE", u"\u0309\u0303"}, {874, "\xA1\xE0", u"\u0E01\u0E40"},
      {932, "\x93\xFA", u"\u65E5"},        {936, "\xD6\xD0", u"\u4E2D"},
      {949, "\xB0\xA1", u"\uAC00"},        {950, "\xA4\xA4", u"\u4E2D"},
      {65001, "\xC3\xA4", u"\u00E4"},      {0, "\xE4\x80", u"\u00E4\u20AC"},
      {1, "\x84\x81", u"\u00E4\u00FC"},    {2, "\x8A\x9F", u"\u00E4\u00FC"},
  };
  for (const Sample& sample : samples) {
    SCOPED_TRACE(sample.codePage);
    EXPECT_EQ(MultiByteToWide(sample.codePage, sample.bytes), sample.text);
    EXPECT_EQ(WideToMultiByte(sample.codePage, sample.text), sample.bytes);
  }
}

TEST(CodePage, UnknownCodePagesFallBackToWindows1252) {
  for (int codePage : {4711, -5, 1200}) {
    SCOPED_TRACE(codePage);
    std::vector<uint32_t> index;
    EXPECT_EQ(MultiByteToWide(codePage, "\xE4\x80z", &index), u"\u00E4\u20ACz");
    EXPECT_EQ(index, (std::vector<uint32_t>{0, 1, 2}));
    EXPECT_EQ(WideToMultiByte(codePage, u"\u00FC\u20AC"), "\xFC\x80");
  }
  EXPECT_EQ(IcuNameOfCodePage(4711), nullptr);
}

TEST(CodePage, ShiftJisRoundTripAndByteIndex) {
  const std::string bytes = "a\x93\xFA\x96\x7B-\x83\x65\x83\x4C\x83\x58\x83\x67";  // a日本-テキスト
  std::vector<uint32_t> index;
  const std::u16string text = MultiByteToWide(932, bytes, &index);
  EXPECT_EQ(text, u"a\u65E5\u672C-\u30C6\u30AD\u30B9\u30C8");
  EXPECT_EQ(index, (std::vector<uint32_t>{0, 1, 3, 5, 6, 8, 10, 12}));
  EXPECT_EQ(WideToMultiByte(932, text), bytes);
  // Microsoft's variant: 0x5C is the backslash, not the yen sign.
  EXPECT_EQ(MultiByteToWide(932, "C:\\"), u"C:\\");
}

TEST(CodePage, GbkRoundTripAndByteIndex) {
  const std::string bytes = "x\xD6\xD0\xCE\xC4 y";  // x中文 y
  std::vector<uint32_t> index;
  const std::u16string text = MultiByteToWide(936, bytes, &index);
  EXPECT_EQ(text, u"x\u4E2D\u6587 y");
  EXPECT_EQ(index, (std::vector<uint32_t>{0, 1, 3, 5, 6}));
  EXPECT_EQ(WideToMultiByte(936, text), bytes);
}

TEST(CodePage, Utf8RoundTripAndByteIndexIncludingSurrogatePairs) {
  const std::string bytes = "a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80z";  // aä€😀z
  std::vector<uint32_t> index;
  const std::u16string text = MultiByteToWide(kCodePageUtf8, bytes, &index);
  EXPECT_EQ(text, u"a\u00E4\u20AC\U0001F600z");
  // Both halves of the surrogate pair point at the first byte of the sequence.
  EXPECT_EQ(index, (std::vector<uint32_t>{0, 1, 3, 6, 6, 10}));
  EXPECT_EQ(WideToMultiByte(kCodePageUtf8, text), bytes);
}

TEST(CodePage, EqualCountsMapUnitToByteOneToOne) {
  std::vector<uint32_t> index;
  EXPECT_EQ(MultiByteToWide(1251, "\xCF\xF0\xE8", &index), u"\u041F\u0440\u0438");
  EXPECT_EQ(index, (std::vector<uint32_t>{0, 1, 2}));
  // A broken UTF-8 byte still yields one unit, so the mapping stays one to one.
  EXPECT_EQ(MultiByteToWide(kCodePageUtf8, "a\xFF" "b", &index).size(), 3u);
  EXPECT_EQ(index, (std::vector<uint32_t>{0, 1, 2}));
}

TEST(CodePage, AsciiUtf8DecodesByteForByte) {
  std::vector<uint32_t> index{7, 7};
  const std::string bytes = std::string("plain <text>\t\r\n", 15) + std::string(1, '\0') + "\x7F";
  const std::u16string text = MultiByteToWide(kCodePageUtf8, bytes, &index);
  ASSERT_EQ(text.size(), bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    EXPECT_EQ(text[i], static_cast<char16_t>(bytes[i]));
    EXPECT_EQ(index[i], i);
  }
  // One byte above ASCII takes the decoder again.
  EXPECT_EQ(MultiByteToWide(kCodePageUtf8, "ab\xC3\xA4", &index), u"ab\u00E4");
  EXPECT_EQ(index, (std::vector<uint32_t>{0, 1, 2}));
}

TEST(CodePage, EmptyInputGivesEmptyOutput) {
  std::vector<uint32_t> index = {7, 8};
  EXPECT_EQ(MultiByteToWide(932, "", &index), u"");
  EXPECT_TRUE(index.empty());
  EXPECT_EQ(WideToMultiByte(932, u""), "");
  EXPECT_EQ(WideToMultiByte(1252, u""), "");
}

TEST(CodePage, MissingCharactersBecomeTheDefaultCharacter) {
  EXPECT_EQ(WideToMultiByte(1252, u"a\u4E2Db"), "a?b");
  EXPECT_EQ(WideToMultiByte(1251, u"\u00E4\u0434"), "?\xE4");
  EXPECT_EQ(WideToMultiByte(932, u"a\u00E4"), "a?");
  EXPECT_EQ(WideToMultiByte(936, u"\u05D4"), "?");
  EXPECT_EQ(WideToMultiByte(1253, u"\U0001F600"), "?");
}

TEST(CodePage, Windows1252KeepsEveryByteThroughARoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::u16string text = MultiByteToWide(1252, all);
  ASSERT_EQ(text.size(), 256u);
  for (unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
    EXPECT_EQ(text[undefined], static_cast<char16_t>(undefined));
  EXPECT_EQ(WideToMultiByte(1252, text), all);
  EXPECT_EQ(WideToMultiByte(0, text), all);
}

TEST(CodePage, RepeatedCallsDoNotCarryStateOver) {
  // A lead byte cut off at the end of one run must not swallow the next run.
  MultiByteToWide(932, "\x93");
  EXPECT_EQ(MultiByteToWide(932, "AB"), u"AB");
  MultiByteToWide(kCodePageUtf8, "\xE2\x82");
  EXPECT_EQ(MultiByteToWide(kCodePageUtf8, "\xAC"), u"\uFFFD");
}

}  // namespace
}  // namespace folverin

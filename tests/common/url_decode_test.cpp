#include "common/url_decode.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

using namespace std::string_literals;

TEST(HexToInt64, ReadsDigitsWithOptionalTrailingH) {
  EXPECT_EQ(HexToInt64("1A"), 26);
  EXPECT_EQ(HexToInt64("1a"), 26);
  EXPECT_EQ(HexToInt64("1Ah"), 26);
  EXPECT_EQ(HexToInt64("FFH"), 255);
  EXPECT_EQ(HexToInt64("G1"), 0);
  EXPECT_EQ(HexToInt64("1G"), 0);
  EXPECT_EQ(HexToInt64(""), 0);
  EXPECT_EQ(HexToInt64("H"), 0);
  EXPECT_EQ(HexToInt64("1HH"), 0);  // only one H is dropped
  EXPECT_EQ(HexToInt64(" 1"), 0);
  EXPECT_EQ(HexToInt64("7FFFFFFFFFFFFFFF"), INT64_MAX);
  EXPECT_EQ(HexToInt64("FFFFFFFFFFFFFFFF"), -1);
  EXPECT_EQ(HexToInt64("10000000000000001"), 1);  // wraps instead of overflowing
}

TEST(DecodeURL, DecodesPercentEscapesOnly) {
  EXPECT_EQ(DecodeURL("a%20b+c"), "a b+c");
  EXPECT_EQ(DecodeURL("%41%42"), "AB");
  EXPECT_EQ(DecodeURL("%e4%C4"), "\xE4\xC4");
  EXPECT_EQ(DecodeURL("%zz"), "\0"s);
  EXPECT_EQ(DecodeURL("%4h"), "\x04"s);
  EXPECT_EQ(DecodeURL("100%"), "100\0"s);
  EXPECT_EQ(DecodeURL("%4"), "\0"s);          // missing second digit
  EXPECT_EQ(DecodeURL("a%4"), "a\0"s);
  EXPECT_EQ(DecodeURL("%2541"), "%41");        // decoded once, not again
  EXPECT_EQ(DecodeURL(""), "");
  EXPECT_EQ(DecodeURL("no escapes"), "no escapes");
}

}  // namespace
}  // namespace folverin

#include "common/ansi_string.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

TEST(AnsiString, TrimRemovesBlanksAndControlsOnly) {
  EXPECT_EQ(Trim(" \t\r\n a b \x01\x1F "), "a b");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim(""), "");
  // Bytes above 127 (non-breaking space, umlauts) are text, not blanks.
  EXPECT_EQ(Trim("\xA0\xE4\xA0"), "\xA0\xE4\xA0");
  EXPECT_EQ(Trim(std::string("\0x\0", 3)), "x");
}

TEST(AnsiString, CaseMappingIsAsciiOnly) {
  EXPECT_EQ(UpperCase("abz\xE4\xF6\xFC\xDF-"), "ABZ\xE4\xF6\xFC\xDF-");
  EXPECT_EQ(LowerCase("ABZ\xC4\xD6\xDC@["), "abz\xC4\xD6\xDC@[");
  EXPECT_EQ(AsciiUpper('`'), '`');
  EXPECT_EQ(AsciiUpper('{'), '{');
}

TEST(AnsiString, SameTextIgnoresAsciiCaseOnly) {
  EXPECT_TRUE(SameText("Link.iDB", "LINK.IDB"));
  EXPECT_TRUE(SameText("", ""));
  EXPECT_FALSE(SameText("\xE4", "\xC4"));  // ä and Ä differ
  EXPECT_FALSE(SameText("abc", "abcd"));
  EXPECT_FALSE(SameText("@", "`"));
}

TEST(AnsiString, CompareTextOrdersUpperCasedBytes) {
  EXPECT_EQ(CompareText("abc", "ABC"), 0);
  EXPECT_LT(CompareText("a", "B"), 0);
  EXPECT_GT(CompareText("b", "A"), 0);
  // Letters are compared upper-cased, so "_" (0x5F) sorts after them.
  EXPECT_LT(CompareText("z", "_"), 0);
  EXPECT_LT(CompareText("ab", "abc"), 0);
  EXPECT_GT(CompareText("abc", "AB"), 0);
  // Bytes above 127 sort after ASCII.
  EXPECT_LT(CompareText("z", "\xE4"), 0);
}

}  // namespace
}  // namespace folverin

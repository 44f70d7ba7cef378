#include "common/separators.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

// The text after an in-place conversion.
AnsiString Converted(void (*convert)(AnsiString&), AnsiString text) {
  convert(text);
  return text;
}

TEST(Separators, BackslashToSlashChangesOnlyBackslashes) {
  EXPECT_EQ(Converted(BackslashToSlash, "..\\Bilder\\a.gif"), "../Bilder/a.gif");
  EXPECT_EQ(Converted(BackslashToSlash, ""), "");
  EXPECT_EQ(Converted(BackslashToSlash, "plain/text.htm"), "plain/text.htm");
  EXPECT_EQ(Converted(BackslashToSlash, "\\\\server\\gr\xF6\xDF" "e\\"), "//server/gr\xF6\xDF" "e/");
}

TEST(Separators, SlashToBackslashChangesOnlySlashes) {
  EXPECT_EQ(Converted(SlashToBackslash, "../Bilder/a.gif"), "..\\Bilder\\a.gif");
  EXPECT_EQ(Converted(SlashToBackslash, ""), "");
  EXPECT_EQ(Converted(SlashToBackslash, "a\\b"), "a\\b");
  EXPECT_EQ(Converted(SlashToBackslash, "//x/"), "\\\\x\\");
}

}  // namespace
}  // namespace folverin

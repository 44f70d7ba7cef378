#include "common/umlaut_entities.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

TEST(EntitiesToUmlauts, DecodesTheFourEntitiesInAnyCaseToLowerCaseLetters) {
  EXPECT_EQ(EntitiesToUmlauts("  Gr&ouml;&szlig;e.htm  "), "Gr\xF6\xDF" "e.htm");
  EXPECT_EQ(EntitiesToUmlauts("&Auml;rger"), "\xE4rger");
  EXPECT_EQ(EntitiesToUmlauts("M&UUML;LLER.HTM"), "M\xFCLLER.HTM");
  EXPECT_EQ(EntitiesToUmlauts("&auml;&Uuml;&OUML;&SzLiG;"), "\xE4\xFC\xF6\xDF");
}

TEST(EntitiesToUmlauts, LeavesEverythingElseAlone) {
  EXPECT_EQ(EntitiesToUmlauts("&auml"), "&auml");
  EXPECT_EQ(EntitiesToUmlauts("&Eacute;"), "&Eacute;");
  EXPECT_EQ(EntitiesToUmlauts("&amp;auml;"), "&amp;auml;");
  EXPECT_EQ(EntitiesToUmlauts("   "), "");
  EXPECT_EQ(EntitiesToUmlauts(""), "");
  EXPECT_EQ(EntitiesToUmlauts("\t a b \r\n"), "a b");
  // A decoded letter never combines with its neighbours into a new entity.
  EXPECT_EQ(EntitiesToUmlauts("&&auml;uml;"), "&\xE4uml;");
}

}  // namespace
}  // namespace folverin

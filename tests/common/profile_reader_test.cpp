#include "common/profile_reader.h"

#include <gtest/gtest.h>

#include "test_support/temp_folder.h"

namespace folverin {
namespace {

TEST(ProfileReader, NamesIgnoreCaseAndValuesAreTrimmedAndUnquoted) {
  const TProfile p = TProfile::FromText(
      "[Global]\r\n"
      "  Title  =   \"  Mein Titel  \"  \r\n"
      "folder=Docs\r\n"
      "[layout]\r\n"
      "ShowURLs='yes'\r\n"
      "Quote=\"nur links\r\n"
      "Inner=a \"b\" c\r\n");
  EXPECT_EQ(p.Find("GLOBAL", "title"), "  Mein Titel  ");
  EXPECT_EQ(p.Find("global", "FOLDER"), "Docs");
  EXPECT_EQ(p.Find("Layout", "showurls"), "yes");
  EXPECT_EQ(p.Find("Layout", "Quote"), "\"nur links");
  EXPECT_EQ(p.Find("Layout", "Inner"), "a \"b\" c");
}

TEST(ProfileReader, PresentEmptyValueIsNotMissing) {
  const TProfile p = TProfile::FromText("[S]\nEmpty=\nBlank=   \nQuotes=\"\"\n");
  EXPECT_EQ(p.Find("S", "Empty"), "");
  EXPECT_EQ(p.Find("S", "Blank"), "");
  EXPECT_EQ(p.Find("S", "Quotes"), "");
  EXPECT_EQ(p.Find("S", "Missing"), std::nullopt);
  EXPECT_EQ(p.Find("Other", "Empty"), std::nullopt);
  EXPECT_EQ(p.ReadString("S", "Empty", "default"), "");
  EXPECT_EQ(p.ReadString("S", "Missing", "default"), "default");
}

TEST(ProfileReader, FirstKeyAndFirstSectionWin) {
  const TProfile p = TProfile::FromText("[S]\nK=1\nk=2\n[T]\nX=t\n[s]\nK=3\nL=4\n");
  EXPECT_EQ(p.Find("S", "K"), "1");
  // Keys of a later section with the same name are not seen.
  EXPECT_EQ(p.Find("S", "L"), std::nullopt);
  EXPECT_EQ(p.Find("T", "X"), "t");
}

TEST(ProfileReader, CommentsLinesWithoutEqualsAndKeysBeforeAnySectionAreIgnored) {
  const TProfile p = TProfile::FromText(
      "Orphan=1\n[S]\n; K=comment\nno equals sign here\n  ;also=comment\nK=v\n=nameless\n");
  EXPECT_EQ(p.Find("S", "K"), "v");
  EXPECT_EQ(p.Find("S", "Orphan"), std::nullopt);
  EXPECT_EQ(p.Find("S", "also"), std::nullopt);
  EXPECT_EQ(p.Find("S", ""), "nameless");
}

TEST(ProfileReader, ValueIsCutTo2047Characters) {
  const std::string longValue(100000, 'x');
  const TProfile p = TProfile::FromText("[S]\nK=" + longValue + "\nL=after\n");
  ASSERT_TRUE(p.Find("S", "K"));
  EXPECT_EQ(p.Find("S", "K")->size(), 2047u);
  EXPECT_EQ(p.Find("S", "L"), "after");
  const std::string exact(2047, 'y');
  EXPECT_EQ(p.Find("S", "K")->substr(0, 10), "xxxxxxxxxx");
  EXPECT_EQ(TProfile::FromText("[S]\nK=" + exact).Find("S", "K"), exact);
}

TEST(ProfileReader, LineEndsOfEveryKindAndNoFinalNewline) {
  const TProfile crOnly = TProfile::FromText("[S]\rA=1\rB=2");
  EXPECT_EQ(crOnly.Find("S", "A"), "1");
  EXPECT_EQ(crOnly.Find("S", "B"), "2");
  const TProfile mixed = TProfile::FromText("[S]\nA=1\r\nB=2\rC=3");
  EXPECT_EQ(mixed.Find("S", "A"), "1");
  EXPECT_EQ(mixed.Find("S", "B"), "2");
  EXPECT_EQ(mixed.Find("S", "C"), "3");
}

TEST(ProfileReader, BinaryBytesDoNotBreakTheReading) {
  std::string text = "[S]\nA=\x01\x02\xFF\xFE";
  text += '\0';
  text += "z\nB=\xE4\xF6\xFC\n";
  text += std::string("\0\0[T]\nC=c\n", 11);
  const TProfile p = TProfile::FromText(text);
  EXPECT_EQ(p.Find("S", "B"), "\xE4\xF6\xFC");
  EXPECT_EQ(p.Find("T", "C"), "c");
}

TEST(ProfileReader, MissingFileGivesEveryDefault) {
  testing::TempFolder folder;
  const TProfile p = TProfile::FromFile(folder.Path() + "nichts.ini");
  EXPECT_EQ(p.ReadString("Global", "Title", "Folverin"), "Folverin");
  folder.Write("a.ini", "[Global]\nTitle=Da\n");
  EXPECT_EQ(TProfile::FromFile(folder.Path() + "a.ini").Find("Global", "Title"), "Da");
}

// Settings files come from editors of every kind: a byte order mark at the
// start would otherwise make the first section name "\xEF\xBB\xBF[Global]".
TEST(ProfileReader, FileInUtf8OrWithAByteOrderMarkReadsLikeWindows1252) {
  struct Row {
    const char* Bytes;
    const char* Title;
  };
  const Row rows[] = {
      {"[Global]\r\nTitle=Gr\xF6\xDF" "e\r\n", "Gr\xF6\xDF" "e"},                  // Windows-1252
      {"\xEF\xBB\xBF[Global]\r\nTitle=Gr\xC3\xB6\xC3\x9F" "e\r\n", "Gr\xF6\xDF" "e"},  // UTF-8 with mark
      {"[Global]\r\nTitle=Gr\xC3\xB6\xC3\x9F" "e\r\n", "Gr\xF6\xDF" "e"},            // UTF-8 without
      {"\xEF\xBB\xBF[Global]\r\nTitle=Plain\r\n", "Plain"},                           // ASCII with mark
      {"\xEF\xBB\xBF[Global]\r\nTitle=\xC4pfel\r\n", "\xC4pfel"},                    // mark, then 1252
      {"[Global]\r\nTitle=\xE2\x82\xAC \xE2\x98\x83\r\n", "\x80 ?"},                 // no 1252 form: "?"
  };
  testing::TempFolder folder;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Bytes);
    folder.Write("folverin.ini", row.Bytes);
    EXPECT_EQ(TProfile::FromFile(folder.Path() + "folverin.ini").Find("Global", "Title"), row.Title);
  }
}

}  // namespace
}  // namespace folverin

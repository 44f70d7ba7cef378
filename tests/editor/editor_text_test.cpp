#include "editor/editor_text.h"

#include <gtest/gtest.h>

#include "test_support/every_byte.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

TEST(EditorSaveBytes, UmlautsBecomeEntitiesAndStayOnTheSecondSave) {
  const std::string once = EditorTextToFileBytes("Gr\xF6\xDF" "e");
  EXPECT_EQ(once, "Gr&ouml;&szlig;e");
  // Reopened, the file shows the entities; saved again it is the same.
  EXPECT_EQ(EditorTextToFileBytes(EditorTextFromBytes(once)), once);
  EXPECT_EQ(EditorTextToFileBytes("\xC4\xD6\xDC\xDF\xE4\xF6\xFC"),
            "&Auml;&Ouml;&Uuml;&szlig;&auml;&ouml;&uuml;");
}

TEST(EditorSaveBytes, EveryOtherByteSurvivesLoadAndSave) {
  const std::string all = testing::EveryByteValue();
  const std::string saved = EditorTextToFileBytes(EditorTextFromBytes(all));
  EXPECT_EQ(saved, testing::EveryByteAsSaved());
  // The five bytes Windows-1252 leaves undefined in particular.
  EXPECT_EQ(EditorTextToFileBytes(std::string("\x81\x8D\x8F\x90\x9D\x00x", 7)),
            std::string("\x81\x8D\x8F\x90\x9D\x00x", 7));
}

TEST(EditorSaveBytes, LineEndsAreWrittenAsCrLfAndTheLastOneIsKeptOrNot) {
  EXPECT_EQ(EditorTextToFileBytes("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(EditorTextToFileBytes("a\n"), "a\r\n");
  EXPECT_EQ(EditorTextToFileBytes("a"), "a");
  EXPECT_EQ(EditorTextToFileBytes("\n\n"), "\r\n\r\n");
  // CR CR LF is a lone CR and then a CR LF.
  EXPECT_EQ(EditorTextToFileBytes("a\r\r\nb"), "a\r\n\r\nb");
}

TEST(EditorLoad, LinesEndAtCrLfLoneCrAndLoneLf) {
  EXPECT_EQ(EditorTextFromBytes("a\nb\rc\r\nd\n"), "a\r\nb\r\nc\r\nd\r\n");
  EXPECT_EQ(EditorTextFromBytes(""), "");
  EXPECT_EQ(EditorTextFromBytes(std::string("x\0y", 3)), std::string("x\0y", 3));
}

TEST(EditorLoad, FileIsReadAsItsBytesOrNamedInTheMessage) {
  testing::TempFolder folder;
  const std::string file = folder.Write("seite.htm", "<P>Gr\xF6\xDF" "e\nzwei");
  const TEditorLoadResult loaded = LoadEditorText(file);
  EXPECT_FALSE(loaded.Error);
  EXPECT_EQ(loaded.Text, "<P>Gr\xF6\xDF" "e\r\nzwei");

  const TEditorLoadResult missing = LoadEditorText(folder.Path() + "fehlt.htm");
  ASSERT_TRUE(missing.Error);
  EXPECT_EQ(*missing.Error, "Datei " + folder.Path() + "fehlt.htm kann nicht ge\xF6" "ffnet werden. " +
                                "Datei oder Ordner nicht gefunden");
  EXPECT_EQ(missing.Text, "");
  const TEditorLoadResult aFolder = LoadEditorText(folder.Path());
  EXPECT_TRUE(aFolder.Error);
}

// "ü" in UTF-8 is C3 BC and the other German letters are C3 xx too: none of
// the seven umlaut bytes. But C4, D6, DC, DF and E4 do lead UTF-8 sequences
// ("č" is C4 8D, "中" E4 B8 AD); an entity there would destroy the letter,
// so a text that is UTF-8 as a whole is written back byte for byte.
TEST(EditorSaveBytes, AUtf8DocumentIsWrittenBackByteForByte) {
  testing::TempFolder folder;
  const std::string utf8 =
      "<HTML><HEAD><META CHARSET=\"utf-8\"><TITLE>Gr\xC3\xB6\xC3\x9F" "e</TITLE></HEAD>\r\n"
      "<BODY>\xC3\x84rger \xC3\x96l \xC3\x9C" "ber \xC3\xA4 \xC3\xB6 \xC3\xBC \xE2\x82\xAC\r\n"
      "\xC4\x8D" "e\xC5\xA1tina \xE4\xB8\xAD\xE6\x96\x87 \xD6\x80 \xDC\x90 \xDF\x80 \xF0\x9F\x98\x80</BODY>\r\n";
  const std::string file = folder.Write("utf8.htm", utf8);
  const TEditorLoadResult loaded = LoadEditorText(file);
  ASSERT_FALSE(loaded.Error);
  // Shown as Windows-1252: "ü" is two characters, C3 and BC.
  EXPECT_NE(loaded.Text.find("\xC3\xBC"), std::string::npos);
  EXPECT_EQ(EditorTextToFileBytes(loaded.Text), utf8);
  // An umlaut typed into it as a Windows-1252 byte makes the text no UTF-8
  // any more: then the documented substitution applies to every umlaut byte.
  EXPECT_EQ(EditorTextToFileBytes("\xC3\xBC \xE4"), "\xC3\xBC &auml;");
}

TEST(EditorStatus, CharacterCountCountsLineBreaksAsTwo) {
  EXPECT_EQ(EditorCharacterCount("ab\r\nc"), 5u);
  EXPECT_EQ(EditorCharacterCount("ab\nc"), 5u);
  EXPECT_EQ(EditorCharacterCount("ab\r\nc\r\n"), 7u);
  EXPECT_EQ(EditorCharacterCount(""), 0u);
  EXPECT_EQ(EditorCharacterCount("\xE4\xF6"), 2u);
}

TEST(EditorNewFile, TemplateHasSixteenLines) {
  const AnsiString text = NewFileTemplate();
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  lines.push_back(text.substr(start));
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[0], "<HTML>");
  EXPECT_EQ(lines[3], "Brevimar Products");
  EXPECT_EQ(lines[4].rfind("eMail: ", 0), 0u);
  EXPECT_EQ(lines[7], "<TITLE> </TITLE>");
  EXPECT_EQ(lines[10], "");
  EXPECT_EQ(lines[11], "<P>");
  EXPECT_EQ(lines[14], "</HTML>");
  EXPECT_EQ(lines[15], "");
}

}  // namespace
}  // namespace folverin

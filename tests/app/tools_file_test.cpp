#include "app/tools_file.h"

#include <gtest/gtest.h>

#include "test_support/temp_folder.h"

namespace folverin {
namespace {

TEST(ToolsFile, EmptyLineEndsTheList) {
  const auto entries = ParseToolsFile("Rechner|Taschenrechner\r\n\r\nNotiz|Notizen\r\n");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Program, "Rechner");
  EXPECT_EQ(entries[0].Caption, "Taschenrechner");
  EXPECT_EQ(entries[0].Options, "");
  // A line of blanks only is empty once stripped.
  EXPECT_EQ(ParseToolsFile("A|a\n   \t\nB|b\n").size(), 1u);
  EXPECT_TRUE(ParseToolsFile("\r\nRechner|Taschenrechner\r\n").empty());
  EXPECT_TRUE(ParseToolsFile("").empty());
}

TEST(ToolsFile, ThirdFieldIsUpperCasedAndKept) {
  const TToolEntry entry = SplitToolLine("Editor|&Editor|x");
  EXPECT_EQ(entry.Program, "Editor");
  EXPECT_EQ(entry.Caption, "&Editor");
  EXPECT_EQ(entry.Options, "X");
  // Everything after the second "|" is the third field, more "|" included.
  EXPECT_EQ(SplitToolLine("a|b|c|d").Options, "C|D");
}

TEST(ToolsFile, LinesAreStrippedButBlanksNextToBarsStay) {
  const auto entries = ParseToolsFile("  Rechner|Taschenrechner  \n\tEditor | Ed |x\n");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Program, "Rechner");
  EXPECT_EQ(entries[0].Caption, "Taschenrechner");
  EXPECT_EQ(entries[1].Program, "Editor ");
  EXPECT_EQ(entries[1].Caption, " Ed ");
  EXPECT_EQ(entries[1].Options, "X");
}

TEST(ToolsFile, LineWithoutBarIsAllCaptionWithoutProgram) {
  const auto entries = ParseToolsFile("Nur Text\r\nA|");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Program, "");
  EXPECT_EQ(entries[0].Caption, "Nur Text");
  EXPECT_EQ(entries[1].Program, "A");
  EXPECT_EQ(entries[1].Caption, "");
}

TEST(ToolsFile, LineEndsOfEveryKindAndBinaryBytes) {
  // CR alone, LF alone and CR LF all end a line; a last line without end counts.
  EXPECT_EQ(ParseToolsFile("a|1\rb|2\nc|3\r\nd|4").size(), 4u);
  // NUL and bytes above 127 inside a line are kept; control codes at the
  // ends are stripped.
  const std::string binary("\x01P\x00q|\xE4\x81\xFF|\x7F\x02", 12);
  const auto entries = ParseToolsFile(binary);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Program, std::string("P\x00q", 3));
  EXPECT_EQ(entries[0].Caption, "\xE4\x81\xFF");
  EXPECT_EQ(entries[0].Options, "\x7F");
}

TEST(ToolsFile, ReadsTenThousandLinesFromDisk) {
  testing::TempFolder folder;
  std::string text;
  for (int i = 0; i < 10000; ++i) text += "P" + std::to_string(i) + "|Eintrag " + std::to_string(i) + "\r\n";
  const std::string path = folder.Write("PLUGIN32/PLUGIN32.TXT", text);
  const auto entries = ReadToolsFile(path);
  ASSERT_EQ(entries.size(), 10000u);
  EXPECT_EQ(entries[9999].Program, "P9999");
  EXPECT_EQ(entries[9999].Caption, "Eintrag 9999");
  EXPECT_TRUE(ReadToolsFile(folder.Path() + "fehlt.txt").empty());
}

TEST(ToolsFile, CommandNamesTheProgramInItsOwnFolder) {
  EXPECT_EQ(ToolCommand("/cd/", "Rechner"), "/cd/PLUGIN32/Rechner/Rechner");
  // Without a program the command names the PLUGIN32 folder itself.
  EXPECT_EQ(ToolCommand("/cd/", ""), "/cd/PLUGIN32//");
  EXPECT_EQ(ToolCommand("/cd/", "Werk\\zeug"), "/cd/PLUGIN32/Werk/zeug/Werk/zeug");
}

}  // namespace
}  // namespace folverin

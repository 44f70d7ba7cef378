#include "app/tools_menu.h"

#include <gtest/gtest.h>

#include "test_support/temp_folder.h"

namespace folverin {
namespace {

TSettingsOutcome OutcomeWithToolsFile(const std::string& path, bool present) {
  TSettingsOutcome outcome;
  outcome.ToolsFile = path;
  outcome.ToolsFilePresent = present;
  return outcome;
}

TEST(ToolsMenu, ShowsOnlyWhenTheToolsFileGaveEntries) {
  testing::TempFolder folder;
  const std::string tools = folder.Write("PLUGIN32/PLUGIN32.TXT",
                                         "Rechner|Taschenrechner\r\nEditor|&Editor|x\r\n\r\nNotiz|Notizen\r\n");
  const TToolsMenu menu = ReadToolsMenu(OutcomeWithToolsFile(tools, true));
  EXPECT_TRUE(menu.Visible);
  ASSERT_EQ(menu.Entries.size(), 2u);
  EXPECT_EQ(menu.Entries[0].Caption, "Taschenrechner");
  EXPECT_EQ(menu.Entries[1].Program, "Editor");
  EXPECT_EQ(menu.Entries[1].Options, "X");

  // A file whose first line is empty gives no entries and no menu.
  const std::string emptyFirst = folder.Write("leer/PLUGIN32.TXT", "\r\nRechner|Taschenrechner\r\n");
  const TToolsMenu none = ReadToolsMenu(OutcomeWithToolsFile(emptyFirst, true));
  EXPECT_FALSE(none.Visible);
  EXPECT_TRUE(none.Entries.empty());
}

TEST(ToolsMenu, StaysHiddenAndReadsNothingWithoutTheFile) {
  testing::TempFolder folder;
  // The reading ended before the Tools step, or found no file: whatever
  // lies at the path is not read.
  const std::string tools = folder.Write("PLUGIN32/PLUGIN32.TXT", "Rechner|Taschenrechner\r\n");
  const TToolsMenu notReached = ReadToolsMenu(OutcomeWithToolsFile(tools, false));
  EXPECT_FALSE(notReached.Visible);
  EXPECT_TRUE(notReached.Entries.empty());
  // A file gone between the reading and the menu.
  const TToolsMenu gone = ReadToolsMenu(OutcomeWithToolsFile(folder.Path() + "fehlt.txt", true));
  EXPECT_FALSE(gone.Visible);
  EXPECT_TRUE(gone.Entries.empty());
}

TEST(ToolsMenu, OnlyLinesWithAProgramStartSomething) {
  const struct {
    const char* Line;
    std::optional<AnsiString> Command;
  } kRows[] = {
      {"Rechner|Taschenrechner", "/cd/PLUGIN32/Rechner/Rechner"},
      {"Editor|&Editor|x", "/cd/PLUGIN32/Editor/Editor"},
      {"nur eine Beschriftung", std::nullopt},
      {"|ohne Programm", std::nullopt},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.Line);
    EXPECT_EQ(ToolStartCommand("/cd/", SplitToolLine(row.Line)), row.Command);
  }
}

}  // namespace
}  // namespace folverin

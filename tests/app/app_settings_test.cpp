#include "app/app_settings.h"

#include <gtest/gtest.h>

#include "app/settings_listing.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

class AppSettingsTest : public ::testing::Test {
 protected:
  TSettingsResult Read(std::string_view ini, int screenWidth = 1280, int screenHeight = 1024) {
    if (!ini.empty()) folder_.Write("folverin.ini", ini);
    TSettingsEnvironment env;
    env.ProgramFile = folder_.Path() + "folverin";
    env.TempDir = "/tmp/";
    env.DesignedWidth = 632;
    env.DesignedHeight = 426;
    env.ScreenWidth = screenWidth;
    env.ScreenHeight = screenHeight;
    env.LoadIcon = loadIcon_;
    env.TestMenuFiles = testMenuFiles_;
    return ReadAppSettings(env);
  }
  std::string App() const { return folder_.Path(); }

  testing::TempFolder folder_;
  std::function<std::optional<AnsiString>(const AnsiString&)> loadIcon_;
  bool testMenuFiles_ = true;
};

TEST_F(AppSettingsTest, NoSettingsFileGivesEveryDefault) {
  const auto [s, out] = Read("");
  EXPECT_EQ(s.AppFolder, App());
  EXPECT_EQ(s.SettingsFile, App() + "folverin.ini");
  EXPECT_EQ(s.Title, "Folverin");
  EXPECT_EQ(out.Caption, "Folverin");
  EXPECT_EQ(s.DocFolder, App());
  EXPECT_EQ(s.StartDocument, App());
  EXPECT_EQ(s.SearchPage, "/tmp/@SEARCH@.HTM");
  EXPECT_TRUE(s.ShowToolbar);
  EXPECT_FALSE(s.ShowURLs);
  EXPECT_FALSE(s.ShowFavorites);
  EXPECT_FALSE(s.ShowHistory);
  EXPECT_EQ(HostUIOptionsText(s.HostUIOptions), "NO3DBORDER+NO3DOUTERBORDER");
  EXPECT_TRUE(s.AllowNewWindow);
  EXPECT_TRUE(s.ShowIEPopup);
  EXPECT_TRUE(s.AllowOnline);
  EXPECT_EQ(s.SearchBody, "<BODY>");
  EXPECT_EQ(s.SearchHeader, "");
  EXPECT_FALSE(s.ShowPerformance);
  EXPECT_FALSE(s.UseExcludePath);
  EXPECT_EQ(s.Target, "_parent");
  EXPECT_EQ(s.MinWordSize, 4);
  EXPECT_EQ(s.IndexFolder, App() + "Index");
  EXPECT_EQ(s.StartFolder, "");
  EXPECT_TRUE(s.ImmediateUpdate);
  EXPECT_FALSE(s.NoNumbers);
  EXPECT_FALSE(s.IndexAvailable);
  EXPECT_FALSE(s.ReadOnlyMedium);
  EXPECT_FALSE(out.ErrorMessage);
  EXPECT_FALSE(out.EnterFullScreen);
  EXPECT_EQ(out.Width, 632);
  EXPECT_EQ(out.Height, 426);
  EXPECT_EQ(out.ToolsMenuVisible, false);
  EXPECT_EQ(out.HelpIndexVisible, false);
  EXPECT_EQ(out.CreateIndexVisible, true);
  EXPECT_FALSE(out.WindowSizeVisible);  // keeps its designed visibility
  EXPECT_FALSE(out.IndexSearchVisible);
}

TEST_F(AppSettingsTest, DocumentFolderPathRuleA) {
  EXPECT_EQ(Read("[Global]\nFolder=\\Docs\n").Settings.DocFolder, App() + "Docs/");
  EXPECT_EQ(Read("[Global]\nFolder=Docs\\\n").Settings.DocFolder, App() + "Docs/");
  EXPECT_EQ(Read("[Global]\nFolder=\\\n").Settings.DocFolder, App());
  EXPECT_EQ(Read("[Global]\nFolder=/Docs/Teil\n").Settings.DocFolder, App() + "Docs/Teil/");
  EXPECT_EQ(Read("[Global]\nFolder=Docs\\Teil\n").Settings.DocFolder, App() + "Docs/Teil/");
  // Only one leading separator is removed.
  EXPECT_EQ(Read("[Global]\nFolder=\\\\Docs\n").Settings.DocFolder, App() + "/Docs/");
}

TEST_F(AppSettingsTest, StartDocumentIsOnlyTrimmed) {
  EXPECT_EQ(Read("[Global]\nFolder=Docs\nDocument=  start.htm \n").Settings.StartDocument,
            App() + "Docs/start.htm");
  EXPECT_EQ(Read("[Global]\nFolder=Docs\nDocument=\\start.htm\n").Settings.StartDocument,
            App() + "Docs//start.htm");
}

TEST_F(AppSettingsTest, SwitchRules) {
  EXPECT_TRUE(Read("[Layout]\nShowToolbar=yes\n").Settings.ShowToolbar);
  EXPECT_FALSE(Read("[Layout]\nShowToolbar=Ja\n").Settings.ShowToolbar);
  EXPECT_FALSE(Read("[Layout]\nShowToolbar=\n").Settings.ShowToolbar);
  EXPECT_TRUE(Read("[Layout]\nShowURLs=YeS\n").Settings.ShowURLs);
  // Only "NO" removes the borders; an empty value gives borders.
  EXPECT_EQ(Read("[Layout]\nShowBorder=\n").Settings.HostUIOptions, 0u);
  EXPECT_EQ(Read("[Layout]\nShowBorder=no\n").Settings.HostUIOptions,
            DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_NO3DOUTERBORDER);
  EXPECT_EQ(Read("[Layout]\nShowBorder=YES\n").Settings.HostUIOptions, 0u);
  // ShowPerformance: exactly "1".
  EXPECT_FALSE(Read("[SearchEngine]\nShowPerformance=YES\n").Settings.ShowPerformance);
  EXPECT_TRUE(Read("[SearchEngine]\nShowPerformance=1\n").Settings.ShowPerformance);
  EXPECT_FALSE(Read("[SearchEngine]\nShowPerformance=01\n").Settings.ShowPerformance);
  EXPECT_FALSE(Read("[IE]\nAllowOnline=NO\n").Settings.AllowOnline);
  // HighlightHits: on unless switched off.
  EXPECT_TRUE(Read("").Settings.HighlightHits);
  EXPECT_TRUE(Read("[SearchEngine]\nHighlightHits=yes\n").Settings.HighlightHits);
  EXPECT_FALSE(Read("[SearchEngine]\nHighlightHits=NO\n").Settings.HighlightHits);
  EXPECT_FALSE(Read("[SearchEngine]\nHighlightHits=0\n").Settings.HighlightHits);
}

TEST_F(AppSettingsTest, FullScreenClearsTheToolbar) {
  const auto [s, out] = Read("[Layout]\nShowToolbar=YES\nShowFullScreen=YES\n");
  EXPECT_TRUE(out.EnterFullScreen);
  EXPECT_FALSE(s.ShowToolbar);
}

TEST_F(AppSettingsTest, WindowSizeRule) {
  auto full = Read("[Global]\nWidth=1280\nHeight=1024\n", 1280, 1024).Outcome;
  EXPECT_EQ(full.Width, 640);
  EXPECT_EQ(full.Height, 480);
  auto partial = Read("[Global]\nWidth=1280\nHeight=900\n", 1280, 1024).Outcome;
  EXPECT_EQ(partial.Width, 1280);
  EXPECT_EQ(partial.Height, 900);
  auto designed = Read("[Global]\nWidth=-1\nHeight=-1\n", 1280, 1024).Outcome;
  EXPECT_EQ(designed.Width, 632);
  EXPECT_EQ(designed.Height, 426);
  auto hex = Read("[Global]\nWidth=$400\nHeight=$300\n", 1280, 1024).Outcome;
  EXPECT_EQ(hex.Width, 1024);
  EXPECT_EQ(hex.Height, 768);
}

TEST_F(AppSettingsTest, ConversionErrorEndsTheReadingAtThatKey) {
  const auto [s, out] = Read(
      "[Global]\nTitle=Lexikon\nWidth=abc\nHeight=600\n"
      "[Layout]\nShowURLs=YES\nShowToolbar=YES\n"
      "[IE]\nAllowOnline=YES\nAllowNewWindow=YES\n"
      "[SearchEngine]\nbody=<BODY BGCOLOR=white>\n[Index]\nTarget=Inhalt\n");
  ASSERT_TRUE(out.ErrorMessage);
  EXPECT_EQ(*out.ErrorMessage, "'abc' ist kein g\xFCltiger Integerwert");
  // Read before Width:
  EXPECT_EQ(s.Title, "Lexikon");
  EXPECT_EQ(out.Caption, "Lexikon");
  EXPECT_TRUE(s.ShowURLs);
  EXPECT_TRUE(s.ShowToolbar);
  EXPECT_EQ(s.StartDocument, App());
  // Everything after it keeps its initial value.
  EXPECT_FALSE(s.AllowOnline);
  EXPECT_FALSE(s.AllowNewWindow);
  EXPECT_EQ(s.SearchBody, "");
  EXPECT_EQ(s.Target, "");
  EXPECT_EQ(s.MinWordSize, 0);
  EXPECT_FALSE(s.ReadOnlyMedium);
  EXPECT_EQ(out.Width, 632);
  EXPECT_FALSE(out.ToolsMenuVisible);
  EXPECT_FALSE(out.CreateIndexVisible);
}

TEST_F(AppSettingsTest, IntegerForms) {
  EXPECT_EQ(*Read("[Global]\nWindow=\n").Outcome.ErrorMessage, "'' ist kein g\xFCltiger Integerwert");
  EXPECT_EQ(*Read("[Index]\nMinWordSize=4.5\n").Outcome.ErrorMessage,
            "'4.5' ist kein g\xFCltiger Integerwert");
  EXPECT_TRUE(Read("[Index]\nMinWordSize=99999999999\n").Outcome.ErrorMessage);
  EXPECT_TRUE(Read("[Index]\nMinWordSize=$\n").Outcome.ErrorMessage);
  EXPECT_EQ(Read("[Index]\nMinWordSize=+7\n").Settings.MinWordSize, 7);
  EXPECT_EQ(Read("[Index]\nMinWordSize=$A\n").Settings.MinWordSize, 10);
  EXPECT_EQ(Read("[Index]\nMinWordSize=\"6\"\n").Settings.MinWordSize, 6);
  // Below 1 is taken as 1.
  EXPECT_EQ(Read("[Index]\nMinWordSize=0\n").Settings.MinWordSize, 1);
  EXPECT_EQ(Read("[Index]\nMinWordSize=-3\n").Settings.MinWordSize, 1);
  // An error in the Index section leaves the fields before it read.
  const auto late = Read("[IE]\nAllowOnline=NO\n[Index]\nTarget=Inhalt\nMinWordSize=x\nFolder=Idx\n");
  EXPECT_FALSE(late.Settings.AllowOnline);
  EXPECT_EQ(late.Settings.Target, "Inhalt");
  EXPECT_EQ(late.Settings.IndexFolder, "");
}

TEST_F(AppSettingsTest, ExcludePathRuleB) {
  folder_.MakeFolder("intern");
  const auto with = Read("[SearchEngine]\nExcludePath=\\intern\n").Settings;
  EXPECT_TRUE(with.UseExcludePath);
  EXPECT_EQ(with.ExcludePath, App() + "INTERN");
  const auto without = Read("[SearchEngine]\nExcludePath=\\extern\n").Settings;
  EXPECT_FALSE(without.UseExcludePath);
  EXPECT_EQ(without.ExcludePath, "");
  EXPECT_FALSE(Read("[SearchEngine]\nExcludePath=   \n").Settings.UseExcludePath);
}

TEST_F(AppSettingsTest, IndexAvailability) {
  folder_.Write("Index/Link.iDB", "");
  folder_.Write("Index/Keyword.iDB", "");
  auto two = Read("[Index]\nHideDocumentColumn=YES\n");
  EXPECT_FALSE(two.Settings.IndexAvailable);
  EXPECT_TRUE(two.Settings.HideDocumentColumn);
  EXPECT_FALSE(two.Outcome.IndexSearchVisible);
  folder_.Write("Index/File.iDB", "");
  auto three = Read("[Index]\nHideDocumentColumn=YES\n");
  EXPECT_TRUE(three.Settings.IndexAvailable);
  EXPECT_EQ(three.Outcome.IndexSearchVisible, true);
  // HideDocumentColumn is read only when the index folder exists.
  auto missing = Read("[Index]\nFolder=Nirgends\nHideDocumentColumn=YES\n");
  EXPECT_FALSE(missing.Settings.HideDocumentColumn);
  EXPECT_FALSE(missing.Settings.IndexAvailable);
}

TEST_F(AppSettingsTest, IndexKeys) {
  const auto s = Read("[Index]\nStartFolder=Docs\\Teil\nFolder=Idx\\\nTarget=Inhalt\n").Settings;
  EXPECT_EQ(s.StartFolder, "Docs/Teil/");
  // The index folder never gets a separator added.
  EXPECT_EQ(s.IndexFolder, App() + "Idx/");
  EXPECT_EQ(s.Target, "Inhalt");
  EXPECT_EQ(Read("[Index]\nStartFolder=Docs/\n").Settings.StartFolder, "Docs/");
}

TEST_F(AppSettingsTest, HelpIconAndToolsFile) {
  folder_.Write("hilfe.htm", "x");
  folder_.Write("PLUGIN32/PLUGIN32.TXT", "Editor|/bin/true\r\n");
  folder_.Write("bild.ico", "keine Ikone");
  loadIcon_ = [](const AnsiString& file) -> std::optional<AnsiString> {
    return "Bad icon " + file;
  };
  const auto [s, out] =
      Read("[Global]\nHelp=hilfe.htm\nIcon=bild.ico\n[Index]\nTarget=Inhalt\n");
  EXPECT_EQ(s.HelpFile, App() + "hilfe.htm");
  EXPECT_EQ(out.HelpIndexVisible, true);
  EXPECT_TRUE(out.LoadIcon);
  // An icon that cannot be loaded ends the reading like a conversion error.
  ASSERT_TRUE(out.ErrorMessage);
  EXPECT_EQ(*out.ErrorMessage, "Bad icon " + App() + "bild.ico");
  EXPECT_EQ(s.Target, "");
  EXPECT_FALSE(out.ToolsFilePresent);

  loadIcon_ = nullptr;
  const auto fine = Read("[Global]\nHelp=fehlt.htm\n");
  EXPECT_EQ(fine.Outcome.HelpIndexVisible, false);
  EXPECT_TRUE(fine.Outcome.ToolsFilePresent);
  EXPECT_FALSE(fine.Outcome.ToolsMenuVisible);  // shown once it has entries

  // A reader without menus gets the same settings and leaves the menu
  // items alone: not even a bad icon ends its reading.
  testMenuFiles_ = false;
  loadIcon_ = [](const AnsiString&) -> std::optional<AnsiString> { return "Bad icon"; };
  const auto [plain, plainOut] = Read("[Global]\nHelp=hilfe.htm\nIcon=bild.ico\n[Index]\nTarget=Inhalt\n");
  EXPECT_EQ(plain.HelpFile, App() + "hilfe.htm");
  EXPECT_EQ(plain.IconFile, App() + "bild.ico");
  EXPECT_EQ(plain.Target, "Inhalt");
  EXPECT_FALSE(plainOut.ErrorMessage);
  EXPECT_FALSE(plainOut.HelpIndexVisible);
  EXPECT_FALSE(plainOut.ToolsMenuVisible);
  EXPECT_FALSE(plainOut.ToolsFilePresent);
  EXPECT_FALSE(plainOut.LoadIcon);
}

TEST_F(AppSettingsTest, NamesFoundWithoutRegardToCase) {
  folder_.Write("FOLVERIN.INI", "[GLOBAL]\nTITLE=Gross\n");
  folder_.Write("intern/x", "");
  folder_.Write("plugin32/plugin32.txt", "a|b\r\n");
  folder_.Write("index/link.idb", "");
  folder_.Write("index/keyword.idb", "");
  folder_.Write("index/file.idb", "");
  const auto [s, out] = Read("");
  EXPECT_EQ(s.Title, "Gross");
  EXPECT_TRUE(out.ToolsFilePresent);
  EXPECT_TRUE(s.IndexAvailable);
}

TEST_F(AppSettingsTest, ReadOnlyProgramFileHidesIndexBuildingAndWindowSizes) {
  const std::string program = folder_.Write("folverin", "#!/bin/true\n");
  auto writable = Read("");
  EXPECT_FALSE(writable.Settings.ReadOnlyMedium);
  EXPECT_EQ(writable.Outcome.CreateIndexVisible, true);
  EXPECT_FALSE(writable.Outcome.WindowSizeVisible);
  std::filesystem::permissions(program, std::filesystem::perms::owner_write |
                                            std::filesystem::perms::group_write |
                                            std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  auto readOnly = Read("");
  EXPECT_TRUE(readOnly.Settings.ReadOnlyMedium);
  EXPECT_EQ(readOnly.Outcome.CreateIndexVisible, false);
  EXPECT_EQ(readOnly.Outcome.WindowSizeVisible, false);
}

TEST_F(AppSettingsTest, BadSettingsFilesDoNotCrash) {
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 7919) & 0xFF);
  EXPECT_EQ(Read(binary).Settings.Title, "Folverin");
  const auto longLine = Read("[Global]\rTitle=" + std::string(100000, 'T') + "\rWidth=12");
  EXPECT_EQ(longLine.Settings.Title.size(), 2047u);
  EXPECT_EQ(longLine.Outcome.Width, 12);
}

}  // namespace
}  // namespace folverin

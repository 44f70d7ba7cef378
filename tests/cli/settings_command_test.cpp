#include <gtest/gtest.h>

#include "cli_runner.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

using testing::RunCli;

TEST(SettingsCommand, FolderWithoutSettingsFilePrintsEveryDefault) {
  testing::TempFolder folder;
  const auto run = RunCli({"settings", folder.Path()});
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Err, "");
  const std::string app = folder.Path();
  // Every field, in the record's order, switches as YES/NO.
  const std::string expectedStart =
      "AppFolder=" + app + "\nSettingsFile=" + app + "folverin.ini\nTitle=Folverin\nDocFolder=" + app +
      "\nStartDocument=" + app + "\nSearchPage=";
  EXPECT_EQ(run.Out.substr(0, expectedStart.size()), expectedStart);
  const std::string expectedEnd =
      "ShowToolbar=YES\nShowURLs=NO\nShowFavorites=NO\nShowHistory=NO\n"
      "HostUIOptions=NO3DBORDER+NO3DOUTERBORDER\nAllowNewWindow=YES\nShowIEPopup=YES\n"
      "AllowOnline=YES\nSearchHeader=\nSearchFooter=\nSearchBody=<BODY>\nSearchBeginEntry=\n"
      "SearchEndEntry=\nSearchTargetWindow=\nShowPerformance=NO\nHighlightHits=YES\nUseExcludePath=NO\nExcludePath=\n"
      "HelpFile=" + app + "\nIconFile=" + app + "\nStartFolder=\nTarget=_parent\nMinWordSize=4\n"
      "IndexFolder=" + app + "Index\nImmediateUpdate=YES\nNoNumbers=NO\nHideDocumentColumn=NO\n"
      "IndexAvailable=NO\nReadOnlyMedium=NO\n";
  ASSERT_GE(run.Out.size(), expectedEnd.size());
  EXPECT_EQ(run.Out.substr(run.Out.size() - expectedEnd.size()), expectedEnd);
  EXPECT_NE(run.Out.find("@SEARCH@.HTM\n"), std::string::npos);
}

TEST(SettingsCommand, ConversionErrorPrintsWhatWasReadAndTheGermanMessage) {
  testing::TempFolder folder;
  folder.Write("folverin.ini", "[Global]\r\nTitle=Gr\xF6\xDF" "e\r\nWidth=abc\r\n[IE]\r\nAllowOnline=YES\r\n");
  const auto run = RunCli({"settings", folder.Path()});
  EXPECT_EQ(run.ExitCode, 1);
  // The title is printed in UTF-8; the German message too.
  EXPECT_NE(run.Out.find("Title=Gr\xC3\xB6\xC3\x9F" "e\n"), std::string::npos);
  EXPECT_NE(run.Out.find("AllowOnline=NO\n"), std::string::npos);
  EXPECT_NE(run.Out.find("Target=\n"), std::string::npos);
  EXPECT_EQ(run.Err, "'abc' ist kein g\xC3\xBCltiger Integerwert.\n");
}

TEST(SettingsCommand, MissingFolderFailsLikeTheSearch) {
  testing::TempFolder folder;
  const std::string missing = folder.Path() + "fehlt";
  folder.Write("datei", "");
  for (const std::string& dir : {missing, folder.Path() + "datei"}) {
    for (const char* command : {"settings", "search"}) {
      std::vector<std::string> args = {command, dir};
      if (args[0] == "search") args.push_back("x");
      const auto run = RunCli(args);
      EXPECT_EQ(run.ExitCode, 1) << command << " " << dir;
      EXPECT_EQ(run.Out, "") << command;
      EXPECT_EQ(run.Err, "Kein Ordner: " + dir + "\n") << command;
    }
  }
}

// A collection's settings file names the collection as its folder does, for
// the commands that read it and for the search; any other file does not.
TEST(SettingsCommand, TheSettingsFileStandsForItsFolder) {
  testing::TempFolder folder;
  folder.Write("folverin.ini", "[Global]\r\nTitle=Buch\r\n");
  folder.Write("a.htm", "<html><body>Apfelbaum steht hier</body></html>");
  folder.Write("notiz.ini", "");
  const auto byFolder = RunCli({"settings", folder.Path()});
  const auto byFile = RunCli({"settings", folder.Path() + "folverin.ini"});
  EXPECT_EQ(byFile.ExitCode, 0) << byFile.Err;
  EXPECT_NE(byFile.Out.find("Title=Buch\n"), std::string::npos);
  EXPECT_EQ(byFile.Out, byFolder.Out);
  const auto found = RunCli({"search", folder.Path() + "folverin.ini", "apfelbaum"});
  EXPECT_EQ(found.ExitCode, 0) << found.Err;
  EXPECT_EQ(found.Out, folder.Path() + "a.htm\n");
  const auto other = RunCli({"settings", folder.Path() + "notiz.ini"});
  EXPECT_EQ(other.ExitCode, 1);
  EXPECT_EQ(other.Err, "Kein Ordner: " + folder.Path() + "notiz.ini\n");
}

TEST(SettingsCommand, EscapeSequencesInValuesReachNoTerminal) {
  testing::TempFolder folder;
  folder.Write("folverin.ini", "[Global]\r\nTitle=Rot\x1b[31m\\En\x07" "de\r\n");
  const auto run = RunCli({"settings", folder.Path()});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_NE(run.Out.find("Title=Rot\\x1b[31m\\\\En\\x07de\n"), std::string::npos) << run.Out;
  EXPECT_EQ(run.Out.find('\x1b'), std::string::npos);
  EXPECT_EQ(run.Out.find('\x07'), std::string::npos);
}

TEST(SettingsCommand, BadArgumentsPrintUsage) {
  EXPECT_EQ(RunCli({}).ExitCode, 2);
  EXPECT_EQ(RunCli({"settings"}).ExitCode, 2);
  EXPECT_EQ(RunCli({"settings", "a", "b"}).ExitCode, 2);
  EXPECT_EQ(RunCli({"unbekannt"}).ExitCode, 2);
  EXPECT_NE(RunCli({"settings"}).Err.find("settings DIR"), std::string::npos);
}

}  // namespace
}  // namespace folverin

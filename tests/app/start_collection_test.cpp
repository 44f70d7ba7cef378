#include "app/start_collection.h"

#include <gtest/gtest.h>

#include "test_support/temp_folder.h"

namespace folverin {
namespace {

using testing::TempFolder;

TEST(FolderOfSettingsFileName, OnlyTheCollectionSettingsNameInAnyCase) {
  EXPECT_EQ(FolderOfSettingsFileName("/a/b/folverin.ini"), "/a/b");
  EXPECT_EQ(FolderOfSettingsFileName("/a/b/FOLVERIN.INI"), "/a/b");
  EXPECT_EQ(FolderOfSettingsFileName("b/Folverin.ini"), "b");
  EXPECT_EQ(FolderOfSettingsFileName("folverin.ini"), ".");
  EXPECT_EQ(FolderOfSettingsFileName("/folverin.ini"), "/");
  EXPECT_EQ(FolderOfSettingsFileName("/a/other.ini"), std::nullopt);
  EXPECT_EQ(FolderOfSettingsFileName("/a/folverin.ini.bak"), std::nullopt);
  EXPECT_EQ(FolderOfSettingsFileName("/a/folverin"), std::nullopt);
  EXPECT_EQ(FolderOfSettingsFileName("/a/folverin.ini/"), std::nullopt);
}

// A collection folder beside an installed program folder without settings.
struct StartCollection : ::testing::Test {
  TempFolder root;
  std::string collection = root.MakeFolder("Sammlung");  // ends in "/"
  std::string folder = collection.substr(0, collection.size() - 1);
  std::string program = root.MakeFolder("bin") + "folverin";

  void SetUp() override {
    root.Write("Sammlung/folverin.ini", "[Global]\r\nTitle=Buch\r\n");
    root.Write("bin/folverin", "");
    root.Write("Sammlung/liesmich.txt", "");
  }

  TStartCollection Start(std::optional<AnsiString> option, std::vector<AnsiString> positional,
                         AnsiString current = "/") const {
    return ChooseStartCollection({std::move(option), std::move(positional), program, std::move(current)});
  }
};

TEST_F(StartCollection, FolderSettingsFileAndOptionOpenTheSameCollection) {
  for (const TStartCollection& start :
       {Start(folder, {}), Start(std::nullopt, {folder}), Start(std::nullopt, {collection}),
        Start(std::nullopt, {collection + "folverin.ini"}), Start(std::nullopt, {collection + "FOLVERIN.INI"}),
        Start(std::nullopt, {"Sammlung"}, root.Path()), Start(std::nullopt, {"folverin.ini"}, collection),
        Start(std::nullopt, {"../Sammlung/./folverin.ini"}, root.Path() + "bin"),
        Start(".", {}, folder)}) {
    EXPECT_EQ(start.Source, TStartSource::Arguments);
    EXPECT_EQ(start.Folder, folder);
    EXPECT_EQ(start.ProgramFile, collection + "folverin");
    EXPECT_EQ(start.Error, "");
  }
}

TEST_F(StartCollection, WithoutArgumentsTheProgramsOwnSettingsOrTheFolderDialog) {
  // No folverin.ini beside the program (an installed one): ask.
  TStartCollection start = Start(std::nullopt, {});
  EXPECT_EQ(start.Source, TStartSource::AskForFolder);
  EXPECT_EQ(start.Folder, "");
  EXPECT_EQ(start.Error, "");
  // A folder named folverin.ini does not count as the settings file.
  root.MakeFolder("bin/folverin.ini");
  EXPECT_EQ(Start(std::nullopt, {}).Source, TStartSource::AskForFolder);

  // A program copied into a collection finds its settings, in any case.
  const std::string copied = collection + "folverin";
  root.Write("Sammlung/folverin", "");
  start = ChooseStartCollection({std::nullopt, {}, copied, "/"});
  EXPECT_EQ(start.Source, TStartSource::BesideProgram);
  EXPECT_EQ(start.ProgramFile, copied);
  EXPECT_EQ(start.Folder, folder);
  TempFolder upper;
  upper.Write("FOLVERIN.INI", "");
  EXPECT_EQ(ChooseStartCollection({std::nullopt, {}, upper.Path() + "folverin", "/"}).Source,
            TStartSource::BesideProgram);
}

TEST(HasCollectionSettings, TheSettingsFileInAnyCaseButNoFolderOfItsName) {
  TempFolder root;
  EXPECT_FALSE(HasCollectionSettings(root.Path()));
  root.MakeFolder("folverin.ini");
  EXPECT_FALSE(HasCollectionSettings(root.Path()));
  TempFolder upper;
  upper.Write("Folverin.INI", "");
  EXPECT_TRUE(HasCollectionSettings(upper.Path()));
  EXPECT_TRUE(HasCollectionSettings(upper.Path().substr(0, upper.Path().size() - 1)));
}

TEST_F(StartCollection, ArgumentsThatNameNoCollectionAreRefusedWithTheReason) {
  TStartCollection start = Start(std::nullopt, {collection + "fehlt"});
  EXPECT_EQ(start.Source, TStartSource::Refused);
  EXPECT_EQ(start.Error, "Kein Ordner: " + collection + "fehlt");
  EXPECT_EQ(start.ProgramFile, "");
  // --collection with a missing folder is refused the same way.
  EXPECT_EQ(Start(collection + "fehlt", {}).Error, "Kein Ordner: " + collection + "fehlt");
  EXPECT_EQ(Start(std::nullopt, {""}).Source, TStartSource::Refused);

  start = Start(std::nullopt, {collection + "liesmich.txt"});
  EXPECT_EQ(start.Source, TStartSource::Refused);
  EXPECT_EQ(start.Error,
            "Keine Sammlung: " + collection + "liesmich.txt ist weder ein Ordner noch eine folverin.ini");

  start = Start(folder, {folder});
  EXPECT_EQ(start.Source, TStartSource::Refused);
  EXPECT_EQ(start.Error, "Die Sammlung ist doppelt angegeben: mit --collection und als Argument");
  start = Start(std::nullopt, {folder, folder + "/folverin.ini"});
  EXPECT_EQ(start.Source, TStartSource::Refused);
  EXPECT_EQ(start.Error, "Nur eine Sammlung kann ge\xF6" "ffnet werden, angegeben sind 2");
}

}  // namespace
}  // namespace folverin

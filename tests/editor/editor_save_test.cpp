#include "editor/editor_save.h"

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "test_support/file_size_limit.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

// Names in the folder besides the given ones: a temporary file left behind
// would show here.
std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A trash as the window's QFile::moveToTrash fills one: Trash/files/NAME
// with a note in Trash/info/NAME.trashinfo, numbered when the name is taken.
struct TFakeTrash {
  explicit TFakeTrash(const std::string& root) : Root(root) {
    fs::create_directories(Root + "files");
    fs::create_directories(Root + "info");
  }
  TTrashHook Hook() {
    return [this](const std::string& path, std::string& inTrash) {
      ++Calls;
      std::string name = fs::path(path).filename().string() + "." + std::to_string(Calls);
      inTrash = Root + "files/" + name;
      std::ofstream(Root + "info/" + name + ".trashinfo") << "[Trash Info]\n";
      fs::rename(path, inTrash);
      if (AfterMove) AfterMove(path);
      return true;
    };
  }
  std::string Root;
  int Calls = 0;
  std::function<void(const std::string& path)> AfterMove;
};

TEST(EditorSave, WritesEntitiesAndCrLfAndPutsEachOldVersionIntoTheTrash) {
  testing::TempFolder folder;
  const std::string file = folder.Write("html/seite.htm", "alt\n");
  TFakeTrash trash(folder.Path() + "Trash/");
  TSaveResult first = SaveEditorText(file, "Gr\xF6\xDF" "e\nzwei", trash.Hook());
  EXPECT_EQ(first.Outcome, TSaveOutcome::Saved) << first.Message;
  EXPECT_EQ(ReadFile(file), "Gr&ouml;&szlig;e\r\nzwei");
  TSaveResult second = SaveEditorText(file, "drei", trash.Hook());
  EXPECT_EQ(second.Outcome, TSaveOutcome::Saved) << second.Message;
  EXPECT_EQ(ReadFile(file), "drei");
  // Two saves, two earlier versions in the trash.
  EXPECT_EQ(ReadFile(trash.Root + "files/seite.htm.1"), "alt\n");
  EXPECT_EQ(ReadFile(trash.Root + "files/seite.htm.2"), "Gr&ouml;&szlig;e\r\nzwei");
  EXPECT_EQ(Names(folder.Path() + "html"), std::vector<std::string>{"seite.htm"});
}

TEST(EditorSave, WithoutTrashTheOldFileIsReplacedAndANewFileIsCreated) {
  testing::TempFolder folder;
  const std::string file = folder.Write("seite.htm", "alt");
  EXPECT_EQ(SaveEditorText(file, "neu", nullptr).Outcome, TSaveOutcome::Saved);
  EXPECT_EQ(ReadFile(file), "neu");
  const TTrashHook noTrash = [](const std::string&, std::string&) { return false; };
  EXPECT_EQ(SaveEditorText(file, "neuer", noTrash).Outcome, TSaveOutcome::Saved);
  EXPECT_EQ(ReadFile(file), "neuer");
  // "Speichern unter" a new name: nothing goes to the trash.
  TFakeTrash trash(folder.Path() + "Trash/");
  EXPECT_EQ(SaveEditorText(folder.Path() + "neu.htm", "x", trash.Hook()).Outcome, TSaveOutcome::Saved);
  EXPECT_EQ(trash.Calls, 0);
  EXPECT_EQ(ReadFile(folder.Path() + "neu.htm"), "x");
}

TEST(EditorSave, TheEmptyTextIsNotSaved) {
  testing::TempFolder folder;
  const std::string file = folder.Write("seite.htm", "bleibt");
  TFakeTrash trash(folder.Path() + "Trash/");
  EXPECT_EQ(SaveEditorText(file, "", trash.Hook()).Outcome, TSaveOutcome::NothingToSave);
  EXPECT_EQ(ReadFile(file), "bleibt");
  EXPECT_EQ(trash.Calls, 0);
}

TEST(EditorSaveFaults, AFullDiskLeavesTheFileAndTheTrashAlone) {
  testing::TempFolder folder;
  const std::string file = folder.Write("seite.htm", "alt");
  TFakeTrash trash(folder.Path() + "Trash/");
  TSaveResult result;
  {
    testing::TFileSizeLimit limit(1000);
    ASSERT_TRUE(limit.Active());
    result = SaveEditorText(file, std::string(100000, 'x'), trash.Hook());
  }
  EXPECT_EQ(result.Outcome, TSaveOutcome::Failed);
  EXPECT_EQ(result.Message, "Datei " + file + " kann nicht gespeichert werden. Die Datei wird zu gro\xDF");
  EXPECT_EQ(ReadFile(file), "alt");
  EXPECT_EQ(trash.Calls, 0);
  EXPECT_EQ(Names(folder.Path()), (std::vector<std::string>{"Trash", "seite.htm"}));
}

TEST(EditorSaveFaults, AVanishedFolderOrAFolderInThePlaceOfTheFileIsNamed) {
  testing::TempFolder folder;
  const std::string gone = folder.Path() + "weg/seite.htm";
  const TSaveResult vanished = SaveEditorText(gone, "x", nullptr);
  EXPECT_EQ(vanished.Outcome, TSaveOutcome::Failed);
  EXPECT_EQ(vanished.Message, "Datei " + gone + " kann nicht gespeichert werden. Datei oder Ordner nicht gefunden");
  EXPECT_FALSE(fs::exists(folder.Path() + "weg"));

  const std::string aFolder = folder.MakeFolder("ordner.htm");
  folder.Write("ordner.htm/inhalt", "x");
  const TSaveResult refused = SaveEditorText(aFolder.substr(0, aFolder.size() - 1), "x", nullptr);
  EXPECT_EQ(refused.Outcome, TSaveOutcome::Failed);
  EXPECT_NE(refused.Message.find("kann nicht gespeichert werden"), std::string::npos);
  EXPECT_NE(refused.Message.find("keine gew\xF6hnliche Datei"), std::string::npos);
  EXPECT_EQ(ReadFile(aFolder + "inhalt"), "x");
}

TEST(EditorSaveFaults, AReadOnlyFolderIsNamedAndLeftAsItWas) {
  testing::TempFolder folder;
  const std::string sub = folder.MakeFolder("cd");
  const std::string file = folder.Write("cd/seite.htm", "alt");
  fs::permissions(folder.Path(), fs::perms::others_exec, fs::perm_options::add);
  fs::permissions(sub, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                           fs::perms::others_exec);
  fs::permissions(file, fs::perms::owner_read | fs::perms::others_read);
  // Root writes anywhere: the save runs as "nobody" then, in a child.
  const pid_t pid = fork();
  if (pid == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
    const TSaveResult result = SaveEditorText(file, "neu", nullptr);
    const bool named = result.Message == "Datei " + file + " kann nicht gespeichert werden. Dateizugriff verweigert";
    _exit(result.Outcome == TSaveOutcome::Failed && named ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadFile(file), "alt");
  EXPECT_EQ(Names(sub), std::vector<std::string>{"seite.htm"});
}

TEST(EditorSaveFaults, WhenTheOldFileCannotComeBackTheMessageSaysItIsInTheTrash) {
  testing::TempFolder folder;
  const std::string file = folder.Write("seite.htm", "alt");
  TFakeTrash trash(folder.Path() + "Trash/");
  // Something takes the name while the old file is in the trash, so that the
  // rename fails: a folder with content.
  trash.AfterMove = [](const std::string& path) {
    fs::create_directory(path);
    std::ofstream(path + "/x") << "x";
  };
  const TSaveResult blocked = SaveEditorText(file, "neu", trash.Hook());
  EXPECT_EQ(blocked.Outcome, TSaveOutcome::Failed);
  // Taking it back fails too here; the message says where the old file is.
  EXPECT_NE(blocked.Message.find("Die vorige Fassung liegt im Papierkorb"), std::string::npos) << blocked.Message;
  EXPECT_EQ(ReadFile(trash.Root + "files/seite.htm.1"), "alt");
}

TEST(EditorSaveFaults, WhenTheNewFileCannotTakeItsPlaceTheOldOneComesBackFromTheTrash) {
  testing::TempFolder folder;
  const std::string file = folder.Write("seite.htm", "alt");
  TFakeTrash trash(folder.Path() + "Trash/");
  // The written temporary file disappears while the old one is in the
  // trash, so that the last rename fails.
  trash.AfterMove = [&](const std::string&) {
    for (const auto& entry : fs::directory_iterator(folder.Path()))
      if (entry.path().filename().string().starts_with(".folverin-")) fs::remove(entry.path());
  };
  const TSaveResult result = SaveEditorText(file, "neu", trash.Hook());
  EXPECT_EQ(result.Outcome, TSaveOutcome::Failed);
  EXPECT_EQ(result.Message, "Datei " + file + " kann nicht gespeichert werden. Datei oder Ordner nicht gefunden");
  EXPECT_EQ(ReadFile(file), "alt");
  EXPECT_TRUE(fs::is_empty(trash.Root + "files"));
  EXPECT_TRUE(fs::is_empty(trash.Root + "info"));
}

}  // namespace
}  // namespace folverin

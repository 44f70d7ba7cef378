// The reasons that messages about failed reads and writes give, as real
// file operations produce them.
#include "common/file_error_text.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "common/file_system.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

std::string StagedReason(const std::string& path) {
  TStagedFile file;
  if (file.Begin(path) && file.Write("x") && file.Finish() && file.Commit()) return "geschrieben";
  return FileErrorText(file);
}

TEST(FileErrorText, NamesWhatIsWrongWithThePath) {
  testing::TempFolder folder;
  EXPECT_EQ(StagedReason(folder.Path() + "weg/seite.htm"), "Datei oder Ordner nicht gefunden");
  const std::string file = folder.Write("datei", "x");
  EXPECT_EQ(StagedReason(file + "/seite.htm"), "Dort steht eine Datei, kein Ordner");
  EXPECT_EQ(StagedReason(folder.Path() + "neu.htm"), "geschrieben");
}

TEST(FileErrorText, AFolderInTheFilesPlaceIsTheWritersOwnRefusal) {
  testing::TempFolder folder;
  const std::string inTheWay = folder.MakeFolder("seite.htm");
  TStagedFile file;
  const bool written = file.Begin(inTheWay.substr(0, inTheWay.size() - 1)) && file.Write("x") && file.Finish() &&
                       file.Commit();
  ASSERT_FALSE(written);
  EXPECT_EQ(file.ErrorNumber(), 0);
  EXPECT_EQ(FileErrorText(file), file.Error());
  EXPECT_FALSE(file.Error().empty());
}

TEST(FileErrorText, RareErrorsKeepTheirNumber) {
  EXPECT_EQ(FileErrorText(EXDEV), "E/A-Fehler " + std::to_string(EXDEV));
  EXPECT_EQ(FileErrorText(EACCES), FileErrorText(EPERM));
}

}  // namespace
}  // namespace folverin

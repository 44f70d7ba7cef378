#include "common/temp_dir.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>

namespace folverin {
namespace {

TEST(GetTempDirWindows, KeepsThePathUpToTheLastBackslash) {
  EXPECT_EQ(GetTempDirWindows("C:\\WINDOWS\\TEMP\\"), "C:\\WINDOWS\\TEMP\\");
  EXPECT_EQ(GetTempDirWindows("C:\\Users\\Anna\\AppData\\Local\\Temp\\"),
            "C:\\Users\\Anna\\AppData\\Local\\Temp\\");
  EXPECT_EQ(GetTempDirWindows("C:\\TEMP\\x"), "C:\\TEMP\\");
  EXPECT_EQ(GetTempDirWindows("TEMP"), "");
  EXPECT_EQ(GetTempDirWindows(""), "");
}

TEST(GetTempDirWindows, PathLongerThanTheSystemBufferIsTakenWhole) {
  const std::string longPath = "C:\\" + std::string(200, 'x') + "\\Temp\\";
  ASSERT_GT(longPath.size(), 127u);
  EXPECT_EQ(GetTempDirWindows(longPath), longPath);
}

// Sets TMPDIR for one test and puts the old value back.
class TmpDirEnvironment {
 public:
  TmpDirEnvironment() {
    if (const char* old = getenv("TMPDIR")) saved_ = old;
  }
  ~TmpDirEnvironment() {
    if (saved_) setenv("TMPDIR", saved_->c_str(), 1);
    else unsetenv("TMPDIR");
  }

 private:
  std::optional<std::string> saved_;
};

TEST(GetTempDir, UsesTmpdirWhenItIsAFolderAndEndsInASlash) {
  TmpDirEnvironment environment;
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "folverin-tmpdir-test";
  std::filesystem::create_directories(folder);

  setenv("TMPDIR", folder.c_str(), 1);
  EXPECT_EQ(GetTempDir(), folder.string() + "/");
  setenv("TMPDIR", (folder.string() + "/").c_str(), 1);
  EXPECT_EQ(GetTempDir(), folder.string() + "/");
  setenv("TMPDIR", (folder.string() + "/missing").c_str(), 1);
  EXPECT_EQ(GetTempDir(), "/tmp/");
  setenv("TMPDIR", "", 1);
  EXPECT_EQ(GetTempDir(), "/tmp/");
  unsetenv("TMPDIR");
  EXPECT_EQ(GetTempDir(), "/tmp/");

  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace folverin

#include "common/private_temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "common/file_system.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

namespace fs = std::filesystem;

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
  return info.st_mode;
}

// The shared temporary folder as another user of the machine sees it: he
// plants the documented page name, in both letter cases, as links to a file
// of ours. The page written through the private folder touches neither.
TEST(PrivateTempDir, PageNamesPlantedInTheSharedFolderAreNeverWritten) {
  testing::TempFolder root;
  const std::string shared = root.MakeFolder("tmp");
  ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
  const std::string victim = root.Write("home/notes.txt", "mine");
  fs::create_symlink(victim, shared + "@SEARCH@.HTM");
  fs::create_symlink(victim, shared + "@search@.htm");

  std::string madePath;
  {
    const TPrivateTempDir scratch = TPrivateTempDir::Create(nullptr, shared);
    ASSERT_FALSE(scratch.Path().empty()) << scratch.Error();
    madePath = scratch.Path();
    EXPECT_EQ(madePath.rfind(shared + "folverin-", 0), 0u) << madePath;
    EXPECT_EQ(ModeOf(madePath) & 07777, 0700u);
    EXPECT_EQ(WriteWholeFile(scratch.Path() + "@SEARCH@.HTM", "<HTML>\r\n"), std::nullopt);
    EXPECT_EQ(ReadWholeFile(scratch.Path() + "@SEARCH@.HTM"), "<HTML>\r\n");
  }
  EXPECT_EQ(ReadWholeFile(victim), "mine");
  EXPECT_TRUE(fs::is_symlink(shared + "@SEARCH@.HTM"));
  EXPECT_TRUE(fs::is_symlink(shared + "@search@.htm"));
  // A folder made for the run goes with it, page and all.
  EXPECT_FALSE(fs::exists(madePath));
}

TEST(PrivateTempDir, RuntimeFolderIsUsedOnlyWhenItIsTheUsersPrivateOne) {
  testing::TempFolder root;
  const std::string temp = root.MakeFolder("tmp");
  const std::string runtime = root.MakeFolder("run");
  ASSERT_EQ(::chmod(runtime.c_str(), 0700), 0);
  const std::string runtimeNoSlash = runtime.substr(0, runtime.size() - 1);

  {
    const TPrivateTempDir scratch = TPrivateTempDir::Create(runtimeNoSlash.c_str(), temp);
    EXPECT_EQ(scratch.Path(), runtime + "folverin/");
    EXPECT_EQ(ModeOf(runtime + "folverin") & 07777, 0700u);
    EXPECT_EQ(PlannedPrivateTempDir(runtimeNoSlash.c_str(), temp), runtime + "folverin/");
  }
  // The shared runtime folder stays for the next run and other instances.
  EXPECT_TRUE(fs::is_directory(runtime + "folverin"));
  // One of ours left too wide open is closed again.
  ASSERT_EQ(::chmod((runtime + "folverin").c_str(), 0755), 0);
  EXPECT_EQ(TPrivateTempDir::Create(runtime.c_str(), temp).Path(), runtime + "folverin/");
  EXPECT_EQ(ModeOf(runtime + "folverin") & 07777, 0700u);

  // A link in its place is not followed.
  fs::remove(runtime + "folverin");
  const std::string elsewhere = root.MakeFolder("elsewhere");
  fs::create_directory_symlink(elsewhere, runtime + "folverin");
  const TPrivateTempDir refused = TPrivateTempDir::Create(runtime.c_str(), temp);
  EXPECT_EQ(refused.Path(), "");
  EXPECT_NE(refused.Error().find("Kein privater Ordner"), std::string::npos);

  // A runtime folder others may enter, or a relative one, is not used: the
  // run makes its own in the temporary folder.
  for (const std::string& unusable : {runtime, std::string("relative/run")}) {
    ASSERT_EQ(::chmod(runtime.c_str(), 0755), 0);
    const TPrivateTempDir scratch = TPrivateTempDir::Create(unusable.c_str(), temp);
    EXPECT_EQ(scratch.Path().rfind(temp + "folverin-", 0), 0u) << scratch.Path();
    EXPECT_EQ(PlannedPrivateTempDir(unusable.c_str(), temp), temp + "folverin-XXXXXX/");
  }
}

TEST(PrivateTempDir, MissingTemporaryFolderGivesNoFolderAndAReason) {
  const TPrivateTempDir scratch = TPrivateTempDir::Create(nullptr, "/nonexistent-folverin-tmp/");
  EXPECT_EQ(scratch.Path(), "");
  EXPECT_NE(scratch.Error().find("/nonexistent-folverin-tmp/"), std::string::npos);
}

}  // namespace
}  // namespace folverin

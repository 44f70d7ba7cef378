#include "common/relative_path.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

TEST(MakeRelativePathWindows, FollowsTheWindowsRule) {
  EXPECT_EQ(MakeRelativePathWindows("C:\\Docs\\Kapitel\\", "C:\\Docs\\Bilder\\logo.gif"),
            "..\\Bilder\\logo.gif");
  EXPECT_EQ(MakeRelativePathWindows("C:\\Docs\\Kapitel\\", "C:\\Docs\\Kapitel\\a.htm"), "a.htm");
  EXPECT_EQ(MakeRelativePathWindows("C:\\Docs\\", "C:\\Docs\\Sub\\a.htm"), "Sub\\a.htm");
  EXPECT_EQ(MakeRelativePathWindows("C:\\Docs\\", "D:\\Docs\\a.htm"), "D:\\Docs\\a.htm");
  EXPECT_EQ(MakeRelativePathWindows("C:\\a\\b\\c\\", "C:\\a\\x\\y\\f.htm"), "..\\..\\x\\y\\f.htm");
  EXPECT_EQ(MakeRelativePathWindows("C:\\a\\b\\", "C:\\f.htm"), "..\\..\\f.htm");
}

TEST(MakeRelativePathWindows, DrivesAndFolderNamesIgnoreLetterCase) {
  EXPECT_EQ(MakeRelativePathWindows("c:\\docs\\", "C:\\DOCS\\Sub\\a.htm"), "Sub\\a.htm");
  EXPECT_EQ(MakeRelativePathWindows("\\\\Server\\Share\\cd\\", "\\\\SERVER\\share\\cd\\x\\a.htm"),
            "x\\a.htm");
  EXPECT_EQ(MakeRelativePathWindows("\\\\server\\one\\", "\\\\server\\two\\a.htm"),
            "\\\\server\\two\\a.htm");
  // Only ASCII letters fold: Ä and ä are different folders.
  EXPECT_EQ(MakeRelativePathWindows("C:\\\xC4\\", "C:\\\xE4\\a.htm"), "..\\\xE4\\a.htm");
  // A path without a drive is on another drive than one with it.
  EXPECT_EQ(MakeRelativePathWindows("C:\\Docs\\", "Docs\\a.htm"), "Docs\\a.htm");
}

TEST(MakeRelativePath, WorksOnSlashPathsAndComparesNamesExactly) {
  EXPECT_EQ(MakeRelativePath("/cd/Docs/Kapitel/", "/cd/Docs/Bilder/logo.gif"), "../Bilder/logo.gif");
  EXPECT_EQ(MakeRelativePath("/cd/Docs/", "/cd/Docs/a.htm"), "a.htm");
  EXPECT_EQ(MakeRelativePath("/cd/Docs/", "/cd/Docs/Sub/a.htm"), "Sub/a.htm");
  EXPECT_EQ(MakeRelativePath("/cd/docs/", "/cd/Docs/a.htm"), "../Docs/a.htm");
  EXPECT_EQ(MakeRelativePath("/a/b/", "/c.htm"), "../../c.htm");
  EXPECT_EQ(MakeRelativePath("/cd/", "docs/a.htm"), "docs/a.htm");
  EXPECT_EQ(MakeRelativePath("docs/", "/cd/a.htm"), "/cd/a.htm");
  EXPECT_EQ(MakeRelativePath("docs/x/", "docs/y/a.htm"), "../y/a.htm");
  // Backslashes are ordinary name characters here.
  EXPECT_EQ(MakeRelativePath("/cd/", "/cd/a\\b.htm"), "a\\b.htm");
}

}  // namespace
}  // namespace folverin

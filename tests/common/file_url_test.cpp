#include "common/file_url.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

TEST(FileURLToPathWindows, FollowsTheWindowsRule) {
  EXPECT_EQ(FileURLToPathWindows("file:///C:/Docs/Neue%20Seite.htm"), "C:\\Docs\\Neue Seite.htm");
  EXPECT_EQ(FileURLToPathWindows("file:///D:/CD/index.htm"), "D:\\CD\\index.htm");
  EXPECT_EQ(FileURLToPathWindows("file://server/share/a.htm"), "server\\share\\a.htm");
  EXPECT_EQ(FileURLToPathWindows("FILE:///C:/a.htm"), "FILE:\\\\\\C:\\a.htm");
  EXPECT_EQ(FileURLToPathWindows("C:/a.htm"), "C:\\a.htm");
  EXPECT_EQ(FileURLToPathWindows(""), "");
  EXPECT_EQ(FileURLToPathWindows("file:///"), "");
  EXPECT_EQ(FileURLToPathWindows("file:///C:/M%FCller.htm"), "C:\\M\xFCller.htm");
  // The scheme is removed after decoding.
  EXPECT_EQ(FileURLToPathWindows("file%3A///C:/a.htm"), "C:\\a.htm");
}

TEST(FileURLToPath, KeepsTheRootAndForwardSlashes) {
  EXPECT_EQ(FileURLToPath("file:///home/a%20b.htm"), "/home/a b.htm");
  EXPECT_EQ(FileURLToPath("file:////home/x.htm"), "/home/x.htm");
  EXPECT_EQ(FileURLToPath("/cd/index.htm"), "/cd/index.htm");
  EXPECT_EQ(FileURLToPath("file://server/share/a.htm"), "server/share/a.htm");
  EXPECT_EQ(FileURLToPath("FILE:///a.htm"), "FILE:///a.htm");
  EXPECT_EQ(FileURLToPath("file:///cd/M%FCller+1.htm"), "/cd/M\xFCller+1.htm");
  EXPECT_EQ(FileURLToPath("file:///cd/a\\b.htm"), "/cd/a\\b.htm");
  EXPECT_EQ(FileURLToPath(""), "");
  EXPECT_EQ(FileURLToPath("file:///"), "/");
}

}  // namespace
}  // namespace folverin

#include "editor/url_collection.h"

#include <gtest/gtest.h>

#include "test_support/temp_folder.h"

namespace folverin {
namespace {

TEST(UrlCollection, OneLinePerFileInWalkOrderRelativeToTheDocument) {
  testing::TempFolder folder;
  folder.Write("html/seite.htm", "x");
  folder.Write("bilder/b.gif", "x");
  folder.Write("bilder/A.gif", "x");
  folder.Write("bilder/unter/c.htm", "x");
  folder.Write("bilder/z.htm", "x");
  TFileSearch search;
  const AnsiString lines = CollectUrls(folder.Path() + "html/seite.htm", folder.Path() + "bilder", "<BR>", search);
  // Files of a folder before its sub-folders, names without regard to case;
  // the folder "unter" itself gets no line.
  EXPECT_EQ(lines,
            "<A HREF =\"../bilder/A.gif\"></A><BR>\r\n"
            "<A HREF =\"../bilder/b.gif\"></A><BR>\r\n"
            "<A HREF =\"../bilder/z.htm\"></A><BR>\r\n"
            "<A HREF =\"../bilder/unter/c.htm\"></A><BR>\r\n");
  // The same with a trailing "/" and without a line ending.
  EXPECT_EQ(CollectUrls(folder.Path() + "seite.htm", folder.Path() + "bilder/unter/", "", search),
            "<A HREF =\"bilder/unter/c.htm\"></A>\r\n");
}

TEST(UrlCollection, EmptyOrMissingFolderGivesNothingAndStopEndsTheWalk) {
  testing::TempFolder folder;
  TFileSearch search;
  EXPECT_EQ(CollectUrls(folder.Path() + "seite.htm", folder.MakeFolder("leer"), "", search), "");
  EXPECT_EQ(CollectUrls(folder.Path() + "seite.htm", folder.Path() + "fehlt", "", search), "");
  folder.Write("viele/a.htm", "x");
  folder.Write("viele/b.htm", "x");
  search.Pump = [&search] { search.Stop = true; };
  EXPECT_EQ(CollectUrls(folder.Path() + "seite.htm", folder.Path() + "viele", "", search),
            "<A HREF =\"viele/a.htm\"></A>\r\n");
}

}  // namespace
}  // namespace folverin

#include "browser/link_commands.h"

#include <gtest/gtest.h>

#include "test_support/temp_folder.h"

namespace folverin {
namespace {

TContextLink Link(const std::string& href, const char* tag = "A") { return {true, tag, href}; }

TEST(LinkCommands, OfferedOnlyForALinkToAFileThatExists) {
  testing::TempFolder folder;
  folder.Write("Kapitel 1/seite.htm", "<p>");
  folder.MakeFolder("bilder");
  const std::string url = "file://" + folder.Path();
  const struct {
    const char* Case;
    TContextLink Element;
    bool Enabled;
  } kRows[] = {
      {"link to a local file", Link(url + "Kapitel%201/seite.htm"), true},
      {"other letter case than on disk", Link(url + "kapitel%201/SEITE.HTM"), true},
      {"tag name not exactly A", Link(url + "Kapitel%201/seite.htm", "a"), false},
      {"a picture", Link(url + "Kapitel%201/seite.htm", "IMG"), false},
      {"link without HREF", Link(""), false},
      {"nothing under the mouse", {false, "A", url + "Kapitel%201/seite.htm"}, false},
      {"a folder", Link(url + "bilder/"), false},
      {"a missing file", Link(url + "Kapitel%201/fehlt.htm"), false},
      {"an online address", Link("http://example.invalid/seite.htm"), false},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.Case);
    EXPECT_EQ(LinkCommandsEnabled(row.Element), row.Enabled);
  }
  EXPECT_EQ(LinkTargetPath(Link(url + "Kapitel%201/seite.htm")), folder.Path() + "Kapitel 1/seite.htm");
  EXPECT_FALSE(LinkTargetPath(Link(url + "x.htm", "IMG")).has_value());
}

TEST(LinkCommands, FolderOfTheTargetEndsInItsLastSeparator) {
  EXPECT_EQ(LinkTargetFolder("/cd/Kapitel1/seite.htm"), "/cd/Kapitel1/");
  EXPECT_EQ(LinkTargetFolder("/seite.htm"), "/");
  EXPECT_EQ(LinkTargetFolder("/cd/Kapitel1/"), "/cd/Kapitel1/");
  EXPECT_EQ(LinkTargetFolder("seite.htm"), "");
}

TEST(LinkCommands, DialogStartsInTheLastFolderWhileItExists) {
  testing::TempFolder folder;
  const std::string ziel = folder.MakeFolder("Ziel");  // ends in "/"
  const std::string zielNoSlash = ziel.substr(0, ziel.size() - 1);
  EXPECT_EQ(PreselectedTargetFolder(ziel), zielNoSlash);
  EXPECT_EQ(PreselectedTargetFolder(zielNoSlash), zielNoSlash);
  EXPECT_EQ(PreselectedTargetFolder(""), "");
  EXPECT_EQ(PreselectedTargetFolder(folder.Path() + "fehlt/"), "");
  EXPECT_EQ(PreselectedTargetFolder(folder.Write("datei.htm", "") + "/"), "");
  // The chosen folder is kept exactly; a case variant is another folder.
  EXPECT_EQ(PreselectedTargetFolder(folder.Path() + "ZIEL/"), "");
}

TEST(LinkCommands, ChosenFolderIsKeptWithOneTrailingSeparator) {
  EXPECT_EQ(ChosenTargetFolder("/home/leser/Ziel"), "/home/leser/Ziel/");
  EXPECT_EQ(ChosenTargetFolder("/home/leser/Ziel/"), "/home/leser/Ziel/");
  EXPECT_EQ(ChosenTargetFolder("/"), "/");
}

}  // namespace
}  // namespace folverin

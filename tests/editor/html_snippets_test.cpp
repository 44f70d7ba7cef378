#include "editor/html_snippets.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

TEST(PictureSnippet, DocumentedExampleInBothPathFlavours) {
  const AnsiString windows =
      RelativeLinkPath("C:\\CD\\html\\seite.htm", "C:\\CD\\bilder\\logo.gif", TPathFlavour::Windows);
  EXPECT_EQ(windows, "../bilder/logo.gif");
  EXPECT_EQ(PictureSnippet(windows, "Logo", "MIDDLE", "<BR>"),
            "<IMG SRC=\"../bilder/logo.gif\" ALT=\"Logo\" ALIGN=MIDDLE><BR>");
  EXPECT_EQ(RelativeLinkPath("/cd/html/seite.htm", "/cd/bilder/logo.gif"), "../bilder/logo.gif");
  // Before the first "Ok" of the prompt both fields are empty.
  EXPECT_EQ(PictureSnippet("a.gif", "a.gif", "", ""), "<IMG SRC=\"a.gif\" ALT=\"a.gif\" ALIGN=>");
}

TEST(RelativeLinkPath, NeighbourSubfolderAndNoRelativePath) {
  EXPECT_EQ(RelativeLinkPath("/cd/html/seite.htm", "/cd/html/andere.htm"), "andere.htm");
  EXPECT_EQ(RelativeLinkPath("/cd/html/seite.htm", "/cd/html/sub/a.htm"), "sub/a.htm");
  EXPECT_EQ(RelativeLinkPath("/cd/html/tief/seite.htm", "/x/a.htm"), "../../../x/a.htm");
  // Names on this system differ by letter case.
  EXPECT_EQ(RelativeLinkPath("/cd/HTML/seite.htm", "/cd/html/a.htm"), "../html/a.htm");
  EXPECT_EQ(RelativeLinkPath("C:\\CD\\HTML\\seite.htm", "c:\\cd\\html\\a.htm", TPathFlavour::Windows), "a.htm");
  // Another drive: the absolute path, with forward slashes.
  EXPECT_EQ(RelativeLinkPath("C:\\CD\\html\\seite.htm", "D:\\Bilder\\logo.gif", TPathFlavour::Windows),
            "D:/Bilder/logo.gif");
  // A "\" in a name on this system is part of the name.
  EXPECT_EQ(RelativeLinkPath("/cd/seite.htm", "/cd/a\\b.htm"), "a\\b.htm");
}

TEST(LinkSnippet, PiecesInOrderAndDescriptionAsTyped) {
  EXPECT_EQ(LinkSnippet("andere.htm", "Andere Seite", ""), "<A HREF =\"andere.htm\">Andere Seite</A>");
  EXPECT_EQ(LinkSnippet("a.zip", "\"<&>\"", "<P>"), "<A HREF =\"a.zip\">\"<&>\"</A><P>");
  EXPECT_EQ(LinkPrompt("a.zip"), "Beschreibung f\xFCr a.zip eingeben:");
  EXPECT_EQ(PicturePrompt("logo.gif"), "Beschreibung (ALT=\"\") f\xFCr logo.gif eingeben:");
}

TEST(WrapSelection, NothingWithoutSelectionOtherwiseTheMarkup) {
  EXPECT_FALSE(WrapSelection(TWrapCommand::Bold, ""));
  EXPECT_FALSE(WrapSelection(TWrapCommand::Comment, ""));
  EXPECT_EQ(WrapSelection(TWrapCommand::Bold, "Text"), "<B>Text</B>");
  EXPECT_EQ(WrapSelection(TWrapCommand::Italic, "Text"), "<I>Text</I>");
  EXPECT_EQ(WrapSelection(TWrapCommand::Comment, "a\r\nb"), "<!-- a\r\nb -->");
}

TEST(FixedSnippets, ContextMenuOrderAndText) {
  ASSERT_EQ(std::size(kFixedSnippets), 6u);
  EXPECT_EQ(kFixedSnippets[0].Caption, "Copyright");
  EXPECT_EQ(kFixedSnippets[0].Snippet, "&copy;");
  EXPECT_EQ(kFixedSnippets[1].Snippet, "&#153;");
  EXPECT_EQ(kFixedSnippets[2].Snippet, "&reg;");
  EXPECT_EQ(kFixedSnippets[3].Caption, "Bullet");
  EXPECT_EQ(kFixedSnippets[3].Snippet, "&#149;");
  EXPECT_EQ(kFixedSnippets[5].Snippet, "<P>");
}

}  // namespace
}  // namespace folverin

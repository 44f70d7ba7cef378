#include <gtest/gtest.h>

#include <functional>

#include "common/windows1252.h"
#include "htmlengine/builder/document_builder.h"
#include "htmlengine/document/block.h"
#include "htmlengine/document/html_table.h"
#include "htmlengine/document/section.h"
#include "htmlengine/document_builder_test_support.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

using test::Repeat;

// The items of the body cell.
TCellBasic& BodyCell(TSectionList& document) {
  return *document.Item(document.Count() - 1)->ChildCell(0);
}

TEST(DocumentBuilderModelTest, HeadHandlersAndResults) {
  TSectionList document;
  std::vector<std::string> metas, links;
  std::vector<std::pair<std::string, int>> sounds;
  TParseResult result = ParseDocument(
      "<BASE HREF=\"http://x/\" TARGET=main><META NAME=author CONTENT=Ich>"
      "<LINK REL=next HREF=b.htm><BGSOUND SRC=a.wav><BGSOUND SRC=b.wav LOOP=3>text",
      document,
      [&](const AnsiString& rel, const AnsiString& rev, const AnsiString& href) {
        links.push_back(rel + "|" + rev + "|" + href);
      },
      [&](const AnsiString& httpEq, const AnsiString& name, const AnsiString& content) {
        metas.push_back(httpEq + "|" + name + "|" + content);
      },
      {},
      [&](const AnsiString& src, int loop, bool terminate) {
        EXPECT_FALSE(terminate);
        sounds.emplace_back(src, loop);
      });
  EXPECT_EQ(result.BaseURL, "http://x/");
  EXPECT_EQ(result.BaseFrame, "main");
  EXPECT_EQ(metas, (std::vector<std::string>{"|author|Ich"}));
  EXPECT_EQ(links, (std::vector<std::string>{"next||b.htm"}));
  EXPECT_EQ(sounds, (std::vector<std::pair<std::string, int>>{{"a.wav", 1}, {"b.wav", 3}}));
}

TEST(DocumentBuilderModelTest, ScriptHandlerGetsTheScriptAndNoText) {
  TSectionList document;
  std::vector<std::string> scripts;
  TBuilderView view;
  view.OnScript = [&](const AnsiString& name, const AnsiString& language, const AnsiString& script) {
    scripts.push_back(name + "|" + language + "|" + script);
  };
  ParseDocument("a<SCRIPT LANGUAGE=JavaScript NAME=s>x=1;<!-- if (a<b) x();\nw('</p>')\n//--></SCRIPT>b",
                document, {}, {}, view);
  ASSERT_EQ(scripts.size(), 1u);
  // A "<" and a letter read up to the next ">" as one tag, line ends included.
  EXPECT_EQ(scripts[0], "s|JavaScript|x=1;<!-- if (a<b) x(); w('</p>')\r\n//-->");
  EXPECT_EQ(test::TextOf("a<SCRIPT><!-- </SCRIPT> --></SCRIPT>b"), "ab");
}

TEST(DocumentBuilderModelTest, IncludeHandlerTextIsRead) {
  TSectionList document;
  ParseDocument("a <!--#echo var=\"x\"--> c", document, {}, {}, {}, {},
                [](const AnsiString& command, const std::vector<AnsiString>&, AnsiString& text) {
                  if (command == "echo") text = "<B>b</B>";
                });
  document.Layout();
  document.SelectionEnd = document.TextLength;
  std::vector<char16_t> buffer(100);
  const int n = document.CopySelectedText(buffer.data(), 100);
  EXPECT_EQ(std::u16string(buffer.data(), n), u"a b c");
}

TEST(DocumentBuilderModelTest, LinkedStyleSheetHidesText) {
  const testing::TempFolder folder;
  folder.Write("s.css", ".weg {\n display: none\n}\n");
  const std::string page = "<LINK REL=StyleSheet HREF=s.css><P CLASS=weg>versteckt<P>sichtbar"
                           "<LINK REL=stylesheet HREF=missing.css>";
  EXPECT_EQ(Utf16ToAnsi(test::ViewTextOf(page, folder).Text), "sichtbar");
}

TEST(DocumentBuilderModelTest, ManyLinksAreCounted) {
  TSectionList few, many;
  ParseDocument(Repeat("<A HREF=x>l</A><A NAME=n>m</A>", 400), few);
  EXPECT_FALSE(few.ManyLinks);
  ParseDocument(Repeat("<A HREF=x>l</A>", 401), many);
  EXPECT_TRUE(many.ManyLinks);
  // HREF names read across comments count as well.
  TSectionList split, fewNames;
  ParseDocument(Repeat("<A H<!-- c -->R<!>E<!-- -->F=x>l</A>", 401), split);
  EXPECT_TRUE(split.ManyLinks);
  ParseDocument(Repeat("<A HREF=x>l</A>", 399) + "<A><B HREF=y><!x>", fewNames);
  EXPECT_FALSE(fewNames.ManyLinks);
}

TEST(DocumentBuilderModelTest, AnchorsAndIDsAreRegistered) {
  TSectionList document;
  ParseDocument("<A NAME=\"#Kapitel\">K</A><DIV ID=Box>b</DIV><P ID=para>p<SPAN ID=s>x</SPAN>",
                document);
  EXPECT_NE(document.IDNames.Find("KAPITEL"), nullptr);
  EXPECT_NE(dynamic_cast<TBlock*>(document.IDNames.Find("box")), nullptr);
  EXPECT_NE(dynamic_cast<TBlock*>(document.IDNames.Find("para")), nullptr);
  EXPECT_NE(document.IDNames.Find("s"), nullptr);
  // A heading's ID names its first section, which keeps even an empty one.
  TSectionList headings;
  ParseDocument("<H2 ID=oben>Titel</H2><H3 ID=leer></H3>Text", headings);
  auto* named = dynamic_cast<TSection*>(headings.IDNames.Find("oben"));
  ASSERT_NE(named, nullptr);
  EXPECT_EQ(named->Text, u"Titel");
  EXPECT_NE(dynamic_cast<TSection*>(headings.IDNames.Find("leer")), nullptr);
}

TEST(DocumentBuilderModelTest, FormsSelectAndTextArea) {
  TSectionList document;
  TParseResult result = ParseDocument(
      "<FORM ACTION=go METHOD=post>Name <INPUT NAME=n> <INPUT TYPE=hidden NAME=h VALUE=1>"
      "<SELECT NAME=s><OPTION VALUE=1> Eins <OPTION SELECTED>Zwei</SELECT>"
      "<TEXTAREA NAME=t>Zeile &amp; 1\nZeile <2></TEXTAREA></FORM>nach",
      document);
  ASSERT_EQ(result.Forms.size(), 1u);
  const ThtmlForm& form = *result.Forms[0];
  EXPECT_EQ(form.Action, "go");
  ASSERT_EQ(form.Controls.size(), 4u);
  auto* select = dynamic_cast<TSelectControl*>(form.Controls[2]);
  ASSERT_NE(select, nullptr);
  ASSERT_EQ(select->Options.size(), 2u);
  EXPECT_EQ(select->Options[0].Text, "Eins");
  EXPECT_EQ(select->Options[0].Value, "1");
  EXPECT_TRUE(select->Options[1].Selected);
  auto* area = dynamic_cast<TTextAreaControl*>(form.Controls[3]);
  ASSERT_NE(area, nullptr);
  EXPECT_EQ(area->Lines, (std::vector<AnsiString>{"Zeile & 1", "Zeile <2>"}));
  EXPECT_EQ(test::TextOf("<FORM>Name <INPUT NAME=n> <SELECT><OPTION>Eins</SELECT></FORM>nach"),
            "Name  \r\nnach");
  // An unclosed SELECT does not swallow the cell that ends it.
  EXPECT_EQ(test::TextOf("<TABLE><TR><TD><SELECT><OPTION>a<TD>b</TABLE>"), "\r\nb");
}

TEST(DocumentBuilderModelTest, TextAreaReferencesFollowTheDocumentsCodePage) {
  auto firstLine = [](std::string_view html) {
    TSectionList document;
    TParseResult result = ParseDocument(AnsiString(html), document);
    auto* area = result.Forms.empty() || result.Forms[0]->Controls.empty()
                     ? nullptr
                     : dynamic_cast<TTextAreaControl*>(result.Forms[0]->Controls[0]);
    return area && !area->Lines.empty() ? area->Lines[0] : AnsiString("(none)");
  };
  // Raw bytes stay as they are; a reference becomes the same bytes that the
  // character has in the document's own code page.
  EXPECT_EQ(firstLine("<FORM><TEXTAREA>\xE4 &auml;</TEXTAREA></FORM>"), "\xE4 \xE4");
  EXPECT_EQ(firstLine("<META HTTP-EQUIV=Content-Type CONTENT=\"text/html; charset=utf-8\">"
                      "<FORM><TEXTAREA>\xC3\xA4 &auml;</TEXTAREA></FORM>"),
            "\xC3\xA4 \xC3\xA4");
}

TEST(DocumentBuilderModelTest, BodyAttributesGiveMarginsAndBackground) {
  TSectionList document;
  ParseDocument("<BODY MARGINWIDTH=300 MARGINHEIGHT=7 BACKGROUND=\" bild.gif \" BGPROPERTIES=Fixed>x",
                document);
  ASSERT_EQ(document.Count(), 1);
  auto* body = dynamic_cast<TBodyBlock*>(document.Item(0));
  ASSERT_NE(body, nullptr);
  EXPECT_EQ(body->Box.Margin[3], 200);  // limited to 200
  EXPECT_EQ(body->Box.Margin[1], 200);
  EXPECT_EQ(body->Box.Margin[0], 7);
  EXPECT_EQ(body->Box.Margin[2], 7);
  ASSERT_NE(body->BackgroundImage, nullptr);
  EXPECT_EQ(body->BackgroundImage->Source, "bild.gif");
  // Without attributes the view's page margins hold.
  TSectionList plain;
  ParseDocument("<BODY>x", plain);
  auto* plainBody = dynamic_cast<TBodyBlock*>(plain.Item(0));
  ASSERT_NE(plainBody, nullptr);
  EXPECT_EQ(plainBody->Box.Margin[3], 10);
  EXPECT_EQ(plainBody->Box.Margin[0], 5);
  EXPECT_EQ(plainBody->BackgroundImage, nullptr);
}

TEST(DocumentBuilderModelTest, MapsCollectAreas) {
  TSectionList document;
  TParseResult result =
      ParseDocument("<MAP NAME=karte><AREA HREF=a.htm SHAPE=rect>text<AREA NOHREF></MAP>x",
                    document);
  ASSERT_EQ(result.Maps.size(), 1u);
  EXPECT_EQ(result.Maps[0]->MapName, "KARTE");
  ASSERT_EQ(result.Maps[0]->Areas.size(), 2u);
  EXPECT_EQ(result.Maps[0]->Areas[0].Href, "a.htm");
  EXPECT_TRUE(result.Maps[0]->Areas[1].NoHref);
  // Three foreign symbols abandon the map; the third is handled normally.
  EXPECT_EQ(test::TextOf("<MAP NAME=m><B><I><P>weiter"), "weiter");
}

TEST(DocumentBuilderModelTest, TableStructure) {
  TSectionList document;
  ParseDocument("<TABLE BORDER CELLPADDING=80 CELLSPACING=-1><TR><TD>a<TD>b</TR><TR><TD>c</TABLE>",
                document);
  TCellBasic& body = BodyCell(document);
  ASSERT_GE(body.Count(), 1);
  auto* block = dynamic_cast<TTableBlock*>(body.Item(body.Count() - 1));
  ASSERT_NE(block, nullptr);
  auto* table = dynamic_cast<ThtmlTable*>(block->Cell.Item(0));
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->BorderWidth, 1);
  EXPECT_EQ(table->CellPadding, 50);
  EXPECT_EQ(table->CellSpacing, 2);
  ASSERT_EQ(table->Rows().size(), 2u);
  EXPECT_EQ(table->Rows()[0]->Cells.size(), 2u);
  EXPECT_EQ(table->Rows()[1]->Cells.size(), 1u);
}

TEST(DocumentBuilderModelTest, ListItemsCarryTheirNumbers) {
  TSectionList document;
  ParseDocument("<OL START=3 TYPE=a><LI>x<LI VALUE=10>y<LI>z</OL>", document);
  TCellBasic& body = BodyCell(document);
  TBlock* list = nullptr;
  for (int i = 0; i < body.Count() && !list; ++i) list = dynamic_cast<TBlock*>(body.Item(i));
  ASSERT_NE(list, nullptr);
  std::vector<int> numbers;
  for (int i = 0; i < list->Cell.Count(); ++i)
    if (auto* item = dynamic_cast<TBlockLI*>(list->Cell.Item(i))) {
      numbers.push_back(item->ListNumber);
      EXPECT_EQ(item->ListStyle, 'a');
      EXPECT_EQ(item->ListDepth, 1);
    }
  EXPECT_EQ(numbers, (std::vector<int>{3, 10, 11}));
}

TEST(DocumentBuilderModelTest, PlainTextKeepsEveryLine) {
  TSectionList document;
  ParsePlainText("<B>not bold</B>  &amp;\r\nline 2\n\n" + Repeat("x", 450) + "\x01y", document);
  document.Layout();
  document.SelectionEnd = document.TextLength;
  const int n = document.GetSelectedLength();
  std::vector<char16_t> buffer(n + 1);
  document.CopySelectedText(buffer.data(), n + 1);
  EXPECT_EQ(Utf16ToAnsi(std::u16string(buffer.data(), n)),
            "<B>not bold</B>  &amp;\r\nline 2\r\n\r\n" + Repeat("x", 450) + "y");
}

TEST(DocumentBuilderModelTest, BodyColoursReachTextAndLinks) {
  TSectionList document;
  ParseDocument("<BODY TEXT=red LINK=lime VLINK=navy BGCOLOR=white>t <A HREF=x>l</A>", document);
  TCellBasic& body = BodyCell(document);
  EXPECT_EQ(body.BkColor & 0xFFFFFF, 0xFFFFFFu);
  auto* section = dynamic_cast<TSection*>(body.Item(0));
  ASSERT_NE(section, nullptr);
  ASSERT_EQ(section->FontRuns.size(), 3u);  // text, link, after the link
  EXPECT_EQ(section->FontRuns[0].Font->Colour & 0xFFFFFF, 0x0000FFu);
  ASSERT_NE(section->FontRuns[1].LinkFonts, nullptr);
  EXPECT_EQ((*section->FontRuns[1].LinkFonts)[LinkNormal].Colour & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ((*section->FontRuns[1].LinkFonts)[LinkVisited].Colour & 0xFFFFFF, 0x800000u);
}

TEST(DocumentBuilderModelTest, FontSizesFollowBaseFont) {
  TSectionList document;
  ParseDocument("<BASEFONT SIZE=5><FONT SIZE=+1 FACE=Arial COLOR=red>a</FONT>"
                "<FONT SIZE=-9>b</FONT><PRE><FONT SIZE=7>c</FONT></PRE>",
                document);
  std::vector<int> sizes;
  std::function<void(TCellBasic&)> walk = [&](TCellBasic& cell) {
    for (int i = 0; i < cell.Count(); ++i) {
      if (auto* section = dynamic_cast<TSection*>(cell.Item(i))) {
        for (const TFontObj& run : section->FontRuns)
          if (run.Pos < static_cast<int>(section->Text.size()))
            sizes.push_back(run.Font->SizePoints);
      }
      for (int k = 0; k < cell.Item(i)->ChildCellCount(); ++k) walk(*cell.Item(i)->ChildCell(k));
    }
  };
  walk(document);
  EXPECT_EQ(sizes, (std::vector<int>{24, 8, 30}));
}

}  // namespace
}  // namespace folverin

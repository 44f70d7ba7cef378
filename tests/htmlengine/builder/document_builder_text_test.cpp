#include <gtest/gtest.h>

#include "htmlengine/document_builder_test_support.h"

namespace folverin {
namespace {

using test::TextOf;
using test::TitleOf;

TEST(DocumentBuilderTextTest, ParagraphsAndTitle) {
  const char* page =
      "<HTML><HEAD><TITLE> Hallo </TITLE></HEAD><BODY><P>Eins</P><P>Zwei</P></BODY></HTML>";
  EXPECT_EQ(TitleOf(page), " Hallo ");
  EXPECT_EQ(TextOf(page), "Eins\r\n\r\nZwei");
  EXPECT_EQ(TextOf("<P>Hello</P><P>World</P>"), "Hello\r\n\r\nWorld");
  // Empty paragraphs merge into the next; a stray end tag is skipped.
  EXPECT_EQ(TextOf("<P></P>Text</P>more"), "Text\r\n\r\nmore");
  EXPECT_EQ(TextOf("Text</P>more"), "Textmore");
  EXPECT_EQ(TextOf("<P><P><P>Text<P>B"), "Text\r\n\r\nB");
  // A paragraph at the very end adds no empty line.
  EXPECT_EQ(TextOf("A<P>B"), "A\r\nB");
}

TEST(DocumentBuilderTextTest, WhitespaceAndEntities) {
  EXPECT_EQ(TextOf("  Hello   \r\n  world  "), "Hello world ");
  EXPECT_EQ(TextOf("&auml;&ouml;&#246;&amp;&lt;x&gt;"), "\xE4\xF6\xF6&<x>");
  EXPECT_EQ(TextOf("a&nbsp;b"), "a\xA0" "b");
  EXPECT_EQ(TextOf("<B>fett</B> und <I>kursiv</I>"), "fett und kursiv");
  EXPECT_EQ(TextOf("<SPAN STYLE=\"text-transform: uppercase\">abc</SPAN>d"), "ABCd");
  // Empty document, only a head.
  EXPECT_EQ(TextOf(""), "");
  EXPECT_EQ(TitleOf(""), "");
  EXPECT_EQ(TextOf("<HEAD><META NAME=x CONTENT=y></HEAD>"), "");
}

TEST(DocumentBuilderTextTest, LineBreaks) {
  EXPECT_EQ(TextOf("Zeile 1<BR>Zeile 2<BR>"), "Zeile 1\r\nZeile 2");
  EXPECT_EQ(TextOf("A<BR><BR>B"), "A\r\n\r\nB");
  // A break directly before a block leaves an empty line.
  EXPECT_EQ(TextOf("A<BR><P>B"), "A\r\n\r\nB");
  EXPECT_EQ(TextOf("A<BR CLEAR=all>B"), "A\r\nB");
}

TEST(DocumentBuilderTextTest, Headings) {
  EXPECT_EQ(TextOf("<H1>Titel</H1>Text"), "Titel\r\nText");
  // The end of a heading of another level also ends it.
  EXPECT_EQ(TextOf("<H1>Title</H2>Text"), "Title\r\nText");
  // No heading level 7: both tags are skipped.
  EXPECT_EQ(TextOf("<H7>x</H7>y"), "xy");
  EXPECT_EQ(TextOf("<H2 ALIGN=center>A <B>b</B></H2><P>c"), "A b\r\nc");
  EXPECT_EQ(TextOf("<H3><CENTER>Mitte</H3>"), "Mitte");
}

TEST(DocumentBuilderTextTest, Lists) {
  EXPECT_EQ(TextOf("<UL><LI>A<LI>B</UL>"), "A\r\nB");
  EXPECT_EQ(TextOf("<OL START=5><LI>eins<LI VALUE=9>zwei</OL>danach"),
            "eins\r\nzwei\r\ndanach");
  EXPECT_EQ(TextOf("<DL><DT>Begriff<DD>Erkl\xE4rung</DL>"), "Begriff\r\nErkl\xE4rung");
  EXPECT_EQ(TextOf("<UL><LI>a<UL><LI>b</UL><LI>c</UL>"), "a\r\nb\r\nc");
  // A PRE or HR inside an item ends the item; the list goes on.
  EXPECT_EQ(TextOf("<UL><LI>a<HR>b</UL>"), "a\r\n\r\nb");
  EXPECT_EQ(TextOf("<UL><LI>a<PRE>p</PRE><LI>c</UL>"), "a\r\np\r\nc");
  // A stray item outside any list, an empty list.
  EXPECT_EQ(TextOf("<LI>frei<UL></UL>x"), "frei\r\nx");
  EXPECT_EQ(TextOf("<UL><LI><P>eins<P>zwei</UL>"), "eins\r\n\r\nzwei");
  EXPECT_EQ(TextOf("<BLOCKQUOTE>Zitat</BLOCKQUOTE>nach"), "Zitat\r\nnach");
  EXPECT_EQ(TextOf("<ADDRESS>Adresse</ADDRESS>"), "Adresse");
}

TEST(DocumentBuilderTextTest, DivisionsAndRules) {
  EXPECT_EQ(TextOf("<DIV>a</DIV><DIV>b</DIV>"), "a\r\n\r\nb");
  EXPECT_EQ(TextOf("<CENTER>mitte</CENTER>rest"), "mitte\r\nrest");
  EXPECT_EQ(TextOf("Text<HR>More<HR>"), "Text\r\n\r\nMore");
  EXPECT_EQ(TextOf("<FORM ACTION=x>Feld <INPUT NAME=a VALUE=wert> ende</FORM>nach"),
            "Feld  ende\r\nnach");
}

TEST(DocumentBuilderTextTest, Preformatted) {
  EXPECT_EQ(TextOf("<PRE>x  y\nz</PRE>"), "x  y\r\nz");
  // The line end right after the tag gives an empty first line.
  EXPECT_EQ(TextOf("x<PRE>\n a\n  b</PRE>"), "x\r\n\r\n a\r\n  b");
  EXPECT_EQ(TextOf("<PRE>a\tb &amp; <B>c</B> 1 < 2</PRE>"), "a b & c 1 < 2");
  EXPECT_EQ(TextOf("<PRE>eins<BR>zwei</PRE>drei"), "eins\r\nzwei\r\ndrei");
  // Other tags inside PRE are ignored; their content stays preformatted.
  EXPECT_EQ(TextOf("<PRE>a<H1>  b</H1>  c</PRE>"), "a  b  c");
  EXPECT_EQ(TextOf("<PRE>a<STYLE>b</STYLE><TABLE><TD>c</PRE>d"), "abc\r\nd");
  // P and FORM inside PRE make blocks of their own; links, images and
  // controls stay in the line.
  EXPECT_EQ(TextOf("<PRE>a<P>b</P>c</PRE>"), "a\r\nb\r\n\r\nc");
  EXPECT_EQ(TextOf("<PRE>a<FORM>b<INPUT></FORM>c</PRE>"), "a\r\nb\r\nc");
  EXPECT_EQ(TextOf("<PRE>x<A HREF=y>link</A> <IMG SRC=z> <TEXTAREA>t</TEXTAREA>e</PRE>"),
            "xlink  e");
  // A FONT end tag inside PRE closes only a FONT opened there.
  EXPECT_EQ(TextOf("<FONT SIZE=5><PRE>x</FONT>y</PRE>z</FONT>"), "xy\r\nz");
}

TEST(DocumentBuilderTextTest, Tables) {
  EXPECT_EQ(TextOf("<TABLE><TR><TD>a<TD>b<TR><TD>c</TABLE>"), "a\r\nb\r\nc");
  EXPECT_EQ(TextOf("<TABLE><TR><TD>a<TD>b</TABLE>after"), "a\r\nb\r\nafter");
  // Text outside any cell lands before the table.
  EXPECT_EQ(TextOf("<TABLE>x<TR><TD>a</TABLE>"), "x\r\na");
  EXPECT_EQ(TextOf("<TABLE><CAPTION>Cap</CAPTION><TR><TH>h<TD>d</TABLE>"), "Cap\r\nh\r\nd");
  EXPECT_EQ(TextOf("<TABLE><CAPTION ALIGN=bottom>Cap</CAPTION><TR><TD>d</TABLE>"), "d\r\nCap");
  EXPECT_EQ(TextOf("<TABLE><COLGROUP><COL SPAN=2 ALIGN=right><TR><TD>a</TD><TD>b</TD></TR>"
                   "</TABLE>"),
            "a\r\nb");
  EXPECT_EQ(TextOf("<TABLE><TR><TD>a<TABLE><TR><TD>in</TABLE>b</TABLE>"), "a\r\nin\r\nb");
  EXPECT_EQ(TextOf("x<TABLE><TR><TD>\tzelle\t</TD></TR></TABLE>"), "x\r\nzelle ");
}

TEST(DocumentBuilderTextTest, WhatIsNotText) {
  EXPECT_EQ(TextOf("a<SCRIPT>document.write(\"x<b>y</b>\")</SCRIPT>b"), "ab");
  EXPECT_EQ(TextOf("a<STYLE>p {color:red}</STYLE>b"), "ab");
  EXPECT_EQ(TextOf("a<!-- comment -->b"), "ab");
  EXPECT_EQ(TextOf("<SELECT><OPTION>One<OPTION SELECTED>Two</SELECT>x"), "x");
  EXPECT_EQ(TextOf("<TEXTAREA>Two <b>3</b></TEXTAREA>x"), "x");
  EXPECT_EQ(TextOf("<IMG SRC=a.gif ALT=Bild>x"), "x");
  EXPECT_EQ(TextOf("<MAP NAME=m><AREA HREF=a.htm>gone</MAP>x"), "x");
  EXPECT_EQ(TextOf("<STYLE>.weg {display: none}</STYLE><DIV CLASS=weg>hidden</DIV>shown"),
            "shown");
  // Unclaimed text is body text.
  EXPECT_EQ(TextOf("<NOSCRIPT>ns</NOSCRIPT> <FOO>unknown</FOO> <BUTTON>knopf</BUTTON>"),
            "ns unknown knopf");
  EXPECT_EQ(TextOf("<HEAD><TITLE>t</TITLE>kopf</HEAD>"), "kopf");
}

TEST(DocumentBuilderTextTest, TitleRules) {
  EXPECT_EQ(TitleOf("<TITLE>A &amp; B</TITLE>"), "A & B");
  EXPECT_EQ(TitleOf("<TITLE>erst</TITLE><TITLE>zweit</TITLE>"), "zweit");
  EXPECT_EQ(TextOf("<TITLE>nur titel</TITLE>"), "");
  EXPECT_EQ(TitleOf("<TITLE>ohne Ende"), "ohne Ende");
}

TEST(DocumentBuilderTextTest, BodyTagDropsStrayText) {
  EXPECT_EQ(TextOf("stray<BODY>text"), "text");
  EXPECT_EQ(TextOf("<P>kept</P><BODY>text"), "kept\r\n\r\ntext");
}

TEST(DocumentBuilderTextTest, NoBreakAndWordBreak) {
  EXPECT_EQ(TextOf("a<WBR>b"), "ab");
  EXPECT_EQ(TextOf("<NOBR>a<WBR>b</NOBR>"), "a b");
}

TEST(DocumentBuilderTextTest, CharacterSets) {
  EXPECT_EQ(TextOf("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">"
                   "\xC3\xA4"),
            "\xE4");
  EXPECT_EQ(TextOf("<META HTTP-EQUIV=content-type CONTENT=\"text/html; charset=UTF-8\">"
                   "\xC3\xA4"),
            "\xE4");
  // Without a declaration UTF-8 bytes are read in the view's code page.
  EXPECT_EQ(TextOf("\xC3\xA4"), "\xC3\xA4");
  const std::u16string cyrillic =
      test::ViewTextOf("<META HTTP-EQUIV=Content-Type CONTENT=\"text/html; "
                       "charset=windows-1251\">\xC0")
          .Text;
  EXPECT_EQ(cyrillic, u"\u0410");
}

// The text in UTF-16 bytes of either order, behind the matching mark.
std::string Utf16File(std::u16string_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

TEST(DocumentBuilderTextTest, ByteOrderMarksChooseTheEncodingAndAreNoText) {
  const std::u16string page = u"<TITLE>Gr\u00F6\u00DFe</TITLE><P>\u00C4rger \u20AC \U0001F600<P>z";
  const std::u16string text = u"\u00C4rger \u20AC \U0001F600\r\n\r\nz";
  struct TCase {
    std::string File;
    std::u16string Text;
  };
  const TCase cases[] = {
      {"\xEF\xBB\xBF<TITLE>Gr\xC3\xB6\xC3\x9F" "e</TITLE><P>\xC3\x84rger \xE2\x82\xAC "
       "\xF0\x9F\x98\x80<P>z",
       text},
      {Utf16File(page, false), text},
      {Utf16File(page, true), text},
      // A mark before nothing, and before text that ends in half a unit.
      {"\xEF\xBB\xBF", u""},
      {Utf16File(u"ab", false) + "c", u"ab"},
      // A half of a pair without its other half is no character.
      {Utf16File(u"a\xD800" u"b", true), u"a\uFFFDb"},
      // The document's own character set goes above the mark.
      {"\xEF\xBB\xBF<META HTTP-EQUIV=Content-Type CONTENT=\"text/html; charset=windows-1252\">"
       "\xC3\x84",
       u"\u00C3\u201E"},
      // Only at the very start is it a mark.
      {" \xEF\xBB\xBFx", u"\u00EF\u00BB\u00BFx"},
  };
  for (const TCase& c : cases) {
    const test::TViewText taken = test::ViewTextOf(c.File);
    EXPECT_EQ(taken.Text, c.Text) << c.File;
  }
  EXPECT_EQ(test::ViewTextOf(cases[0].File).Title, "Gr\xF6\xDF" "e");
  EXPECT_EQ(test::ViewTextOf(cases[1].File).Title, "Gr\xF6\xDF" "e");
}

TEST(DocumentBuilderTextTest, ParseErrorsKeepWhatWasRead) {
  EXPECT_EQ(TextOf(std::string("<P>eins<P>zwei\x01<P>drei")), "eins\r\n\r\nzwei");
  EXPECT_EQ(TextOf("\x02\x03 text"), "");
  EXPECT_EQ(TextOf("<"), "<");
  EXPECT_EQ(TextOf("<P>a</P><!-- open comment"), "a");
}

}  // namespace
}  // namespace folverin

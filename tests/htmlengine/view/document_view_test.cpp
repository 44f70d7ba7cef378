#include "htmlengine/view/document_view.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/windows1252.h"
#include "htmlengine/view/document_name.h"
#include "htmlengine/view/meta_refresh.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

using testing::TempFolder;

// The index builder's sequence: load, title, caret to 0, select all, text.
struct TTaken {
  AnsiString Title;
  std::u16string Text;
};

TTaken Take(TDocumentView& view, const std::string& file) {
  view.LoadFromFile(file);
  TTaken taken{view.DocumentTitle(), {}};
  view.SetCaretPosition(0);
  view.SelectAll();
  taken.Text = view.SelText();
  return taken;
}

class DocumentViewTest : public ::testing::Test {
 protected:
  TTaken Load(std::string_view html) { return Take(View, Folder.Write("doc.htm", html)); }

  TempFolder Folder;
  TDocumentView View{nullptr, TDocumentViewProperties::IndexBuilder()};
};

TEST_F(DocumentViewTest, DocumentsGiveTitleAndText) {
  TTaken page = Load("<HTML><HEAD><TITLE> Hallo </TITLE></HEAD><BODY><P>Eins</P><P>Zwei</P>"
                     "</BODY></HTML>");
  EXPECT_EQ(page.Title, " Hallo ");
  EXPECT_EQ(page.Text, u"Eins\r\n\r\nZwei");
  EXPECT_EQ(Load("Zeile 1<BR>Zeile 2<BR>").Text, u"Zeile 1\r\nZeile 2");
  EXPECT_EQ(Load("<UL><LI>A<LI>B</UL>").Text, u"A\r\nB");
  EXPECT_EQ(Load("<TABLE><TR><TD>a<TD>b<TR><TD>c</TABLE>").Text, u"a\r\nb\r\nc");
  EXPECT_EQ(Load("<PRE>x  y\nz</PRE>").Text, u"x  y\r\nz");
  EXPECT_EQ(Load("<P>&auml; &nbsp;x &#246;").Text, u"\u00E4 \u00A0x \u00F6");
}

// The index builder's view works out text positions only; its text is the
// text of a view that lays the document out, for every kind of content and
// at any width.
TEST_F(DocumentViewTest, TextOnlyViewGivesTheTextOfAFullLayout) {
  TDocumentViewProperties textOnly = TDocumentViewProperties::IndexBuilder();
  textOnly.TextOnly = true;
  TDocumentView lines(nullptr, textOnly);
  TDocumentViewProperties wide = TDocumentViewProperties::IndexBuilder();
  wide.Width = 2000;
  TDocumentView wideView(nullptr, wide);
  const std::string longParagraph = "<P>" + [] {
    std::string words;
    for (int i = 0; i < 300; ++i) words += "Wort" + std::to_string(i) + (i % 7 ? " " : "\n");
    return words;
  }();
  for (const std::string html :
       {std::string("<P>Eins</P><P>Zwei</P>"), longParagraph,
        std::string("<TABLE><TR><TD>a b c d e f<TD>b<TR><TD COLSPAN=2>c<TABLE><TR><TD>innen</TABLE></TABLE>"),
        std::string("<UL><LI>A<OL><LI>B<LI>C</OL></UL><DL><DT>x<DD>y</DL>"),
        std::string("<PRE>x  y\n\nz   </PRE><P ALIGN=CENTER>zentriert<BR><BR>weiter"),
        std::string("<DIV STYLE=\"display:none\">weg</DIV><SPAN STYLE=\"float:left\">links</SPAN>Text"),
        std::string("<TABLE><TR><TD ROWSPAN=0 COLSPAN=-3>kaputt<TD></TR></TABLE>nach"),
        std::string("<FORM><INPUT VALUE=x><SELECT><OPTION>o</SELECT><TEXTAREA>t</TEXTAREA></FORM>"),
        std::string(200, '<') + "<B><I><U>" + std::string(3000, 'x') + " y"}) {
    const std::string file = Folder.Write("doc.htm", html);
    const TTaken full = Take(View, file);
    EXPECT_EQ(Take(lines, file).Text, full.Text) << html.substr(0, 60);
    EXPECT_EQ(Take(wideView, file).Text, full.Text) << html.substr(0, 60);
  }
}

TEST_F(DocumentViewTest, EmptyDocumentsAndOddBytes) {
  for (const char* html : {"", "<HEAD></HEAD>", "<HEAD><META NAME=a CONTENT=b></HEAD>"}) {
    const TTaken taken = Load(html);
    EXPECT_EQ(taken.Title, "") << html;
    EXPECT_EQ(taken.Text, u"") << html;
  }
  EXPECT_EQ(Load("\x01\x02\x03\x04\x05\x06\x07\x08 Text").Text, u"");
  // Without a charset the bytes are read in the view's code page; a UTF-8
  // byte-order mark makes them UTF-8 and is no text.
  EXPECT_EQ(Load("\xC3\xA4").Text, u"\u00C3\u00A4");
  EXPECT_EQ(Load("\xEF\xBB\xBFText\xC3\xA4").Text, u"Text\u00E4");
}

TEST_F(DocumentViewTest, SelectionOnlyAfterSelectAll) {
  View.LoadFromFile(Folder.Write("a.htm", "<P>Text"));
  EXPECT_EQ(View.SelText(), u"");
  EXPECT_EQ(View.Document().SelectionStart, 0);
  EXPECT_EQ(View.Document().SelectionEnd, 0);
  View.SelectAll();
  EXPECT_EQ(View.SelText(), u"Text");
  // A new load starts without a selection again.
  View.LoadFromFile(Folder.Write("b.htm", "<P>Neu"));
  EXPECT_EQ(View.SelText(), u"");
}

TEST_F(DocumentViewTest, KeptBuffersHoldOnlyTheLatestDocument) {
  // A long page, then a short one: nothing of the first may show through
  // the memory that both use in turn.
  std::string longPage = "<TITLE>Lang</TITLE>";
  for (int i = 0; i < 2000; ++i) longPage += "<P>Absatz " + std::to_string(i);
  const std::string longFile = Folder.Write("lang.htm", longPage);
  const std::string shortFile = Folder.Write("kurz.htm", "<P>Kurz");
  std::u16string text = u"alter Inhalt";
  View.LoadFromFile(longFile);
  View.SelectAll();
  View.SelText(text);
  EXPECT_EQ(text, View.SelText());
  EXPECT_EQ(text.substr(0, 16), u"Absatz 0\r\n\r\nAbsa");
  EXPECT_EQ(View.SourceText(), longPage);
  View.LoadFromFile(shortFile);
  EXPECT_EQ(View.SourceText(), "<P>Kurz");
  View.SelText(text);
  EXPECT_EQ(text, u"");  // nothing selected yet
  View.SelectAll();
  View.SelText(text);
  EXPECT_EQ(text, u"Kurz");
  // A file that cannot be read leaves no source behind.
  const std::string locked = Folder.Write("gesperrt.htm", "<P>geheim");
  ::chmod(locked.c_str(), 0);
  if (::access(locked.c_str(), R_OK) != 0) {
    EXPECT_THROW(View.LoadFromFile(locked), EInOutError);
    EXPECT_EQ(View.SourceText(), "");
  }
  ::chmod(locked.c_str(), 0600);
}

TEST_F(DocumentViewTest, MissingFileKeepsThePreviousDocument) {
  const TTaken first = Load("<TITLE>Alt</TITLE>alter Text");
  const std::string missing = Folder.Path() + "fehlt.htm";
  try {
    View.LoadFromFile(missing);
    FAIL() << "no error";
  } catch (const EInOutError& error) {
    EXPECT_EQ(std::string(error.what()), "Can't locate file: " + missing);
  }
  EXPECT_FALSE(View.Busy());
  EXPECT_EQ(View.DocumentTitle(), "Alt");
  EXPECT_EQ(View.SelText(), u"alter Text");
  EXPECT_EQ(View.LoadedFile(), Folder.Path() + "doc.htm");
}

TEST_F(DocumentViewTest, HashCutsTheFileName) {
  Folder.Write("a.htm", "<A NAME=ziel>A</A>");
  EXPECT_EQ(Take(View, Folder.Path() + "a.htm#ziel").Text, u"A");
  EXPECT_EQ(View.LoadedFile(), Folder.Path() + "a.htm");
  // A file whose name holds a "#" is looked for under the part before it.
  Folder.Write("b#c.htm", "B");
  try {
    View.LoadFromFile(Folder.Path() + "b#c.htm");
    FAIL() << "no error";
  } catch (const EInOutError& error) {
    EXPECT_EQ(std::string(error.what()), "Can't locate file: " + Folder.Path() + "b");
  }
}

TEST_F(DocumentViewTest, DestinationAndScrollBars) {
  std::string html;
  for (int i = 0; i < 40; ++i) html += "<P>Absatz " + std::to_string(i);
  html += "<P ID=ziel>Ziel";
  const std::string file = Folder.Write("lang.htm", html);
  View.LoadFromFile(file + "#ziel");
  EXPECT_GT(View.Position(), View.DocumentHeight() / 2);
  EXPECT_LT(View.Position(), View.DocumentHeight());
  EXPECT_FALSE(View.VScrollBarVisible());  // the index builder's view has none
  View.LoadFromFile(Folder.Write("kurz.htm", "kurz"));
  EXPECT_EQ(View.Position(), 0);

  TDocumentView window;  // start values: scroll bars as needed, 150 x 150
  window.LoadFromFile(file);
  EXPECT_GT(window.DocumentHeight(), 150);
  EXPECT_TRUE(window.VScrollBarVisible());
  window.LoadFromFile(Folder.Path() + "kurz.htm");
  EXPECT_FALSE(window.VScrollBarVisible());
}

TEST_F(DocumentViewTest, NoSelectAndCaret) {
  Load("<P>Text");
  View.SetNoSelect(true);
  EXPECT_EQ(View.Document().SelectionStart, -1);
  EXPECT_EQ(View.Document().SelectionEnd, -1);
  View.SelectAll();
  EXPECT_EQ(View.SelText(), u"");
  View.SetNoSelect(false);
  View.SelectAll();
  EXPECT_EQ(View.SelText(), u"Text");

  View.SetCaretPosition(3);
  View.SetCaretPosition(-1);
  EXPECT_EQ(View.CaretPosition(), 3);
  Load("<P>wieder");
  EXPECT_EQ(View.CaretPosition(), 0);
  EXPECT_EQ(View.MouseAnchor(), -1);
}

TEST_F(DocumentViewTest, ClearEmptiesTheView) {
  std::vector<AnsiString> sounds;
  View.OnSoundRequest = [&](const AnsiString& src, int loop, bool terminate) {
    sounds.push_back(src + "|" + std::to_string(loop) + "|" + (terminate ? "T" : "F"));
  };
  View.SetAppBase("/anwendung/");
  Load("<TITLE>T</TITLE><BASE HREF=\"/basis/\" TARGET=rechts>Text");
  EXPECT_EQ(View.DocumentBase(), "/basis/");
  EXPECT_EQ(View.BaseFrame(), "rechts");
  View.Clear();
  View.SelectAll();
  EXPECT_EQ(View.SelText(), u"");
  EXPECT_EQ(View.DocumentTitle(), "");
  EXPECT_EQ(View.DocumentBase(), "");
  EXPECT_EQ(View.BaseFrame(), "");
  EXPECT_EQ(View.AppBase(), "");
  // Both the load and the clear stop a background sound.
  EXPECT_EQ(sounds, (std::vector<AnsiString>{"|0|T", "|0|T"}));
}

TEST_F(DocumentViewTest, ApplicationBaseStandsInForAMissingBase) {
  View.SetAppBase("/anwendung/");
  Load("Text");
  EXPECT_EQ(View.DocumentBase(), "/anwendung/");
  EXPECT_EQ(View.ExpandDocumentName("s.css"), "/anwendung/s.css");
}

TEST_F(DocumentViewTest, LinkedStyleSheetIsFoundBesideTheDocument) {
  Folder.Write("css/s.css", ".weg { display: none }");
  const TTaken taken =
      Take(View, Folder.Write("doc.htm", "<LINK REL=stylesheet HREF=\" css\\s.css\">"
                                         "<P CLASS=weg>versteckt<P>sichtbar"));
  EXPECT_EQ(taken.Text, u"sichtbar");
}

TEST(DocumentName, AddressesBecomeFileNames) {
  const TDocumentNameBase base{"", "", "/daten/buch/kapitel.htm"};
  EXPECT_EQ(ExpandDocumentAddress("http://host/a.css", base), "http://host/a.css");
  EXPECT_EQ(ExpandDocumentAddress("  bilder/../a.css ", base), "/daten/buch/a.css");
  EXPECT_EQ(ExpandDocumentAddress("bilder\\b.gif", base), "/daten/buch/bilder/b.gif");
  EXPECT_EQ(ExpandDocumentAddress("FILE:///tmp/a%20b.css", base), "/tmp/a b.css");
  EXPECT_EQ(ExpandDocumentAddress("/wurzel/a.css", base), "/wurzel/a.css");
  // "://" at the very start is no scheme.
  EXPECT_EQ(ExpandDocumentAddress("://a", base), "/daten/buch/:/a");

  const TDocumentNameBase rooted{"/srv/www", "", "/daten/buch/kapitel.htm"};
  EXPECT_EQ(ExpandDocumentAddress("/bilder/a.gif", rooted), "/srv/www/bilder/a.gif");
  EXPECT_EQ(ExpandDocumentAddress("file:///bilder/a.gif", rooted), "/bilder/a.gif");

  const TDocumentNameBase based{"", "file:///andere/ort/index.htm", "/daten/buch/kapitel.htm"};
  EXPECT_EQ(ExpandDocumentAddress("a.css", based), "/andere/ort/a.css");
  const TDocumentNameBase web{"", "http://host/dir/", "/daten/buch/kapitel.htm"};
  EXPECT_EQ(ExpandDocumentAddress("a.css", web), "http://host/dir/a.css");
  // "DosPath" resolves against the working folder.
  const TDocumentNameBase dos{"", "dospath", "/daten/buch/kapitel.htm"};
  EXPECT_EQ(ExpandDocumentAddress("a.css", dos), ExpandFileName("a.css"));
  EXPECT_EQ(ExpandFileName("a.css").front(), '/');
}

TEST(DocumentViewProperties, StartValuesIndexBuilderAndLimits) {
  const TDocumentViewProperties start;
  EXPECT_TRUE(start.ViewImages);
  EXPECT_EQ(start.BorderStyle, THtBorderStyle::htFocused);
  EXPECT_EQ(start.ScrollBars, TScrollStyle::ssBoth);
  EXPECT_EQ(start.htOptions, htPrintTableBackground | htPrintMonochromeBlack);
  EXPECT_EQ(start.VisitedMaxCount, 50);
  const TDocumentViewProperties index = TDocumentViewProperties::IndexBuilder();
  EXPECT_FALSE(index.ViewImages);
  EXPECT_EQ(index.DefBackground, clWhite);
  EXPECT_EQ(index.BorderStyle, THtBorderStyle::htNone);
  EXPECT_EQ(index.ScrollBars, TScrollStyle::ssNone);
  EXPECT_EQ(index.htOptions, 0u);
  EXPECT_EQ(index.ImageCacheCount, 0);
  EXPECT_EQ(index.VisitedMaxCount, 0);
  EXPECT_EQ(index.Height, 75);
  EXPECT_EQ(index.DefFontName, "Times New Roman");

  TDocumentViewProperties wild;
  wild.ServerRoot = "  /srv/www/ ";
  wild.ImageCacheCount = 99;
  wild.PrintScale = 9;
  TDocumentView view(nullptr, wild);
  EXPECT_EQ(view.Properties().ServerRoot, "/srv/www");
  EXPECT_EQ(view.Properties().ImageCacheCount, 20);
  EXPECT_EQ(view.Properties().PrintScale, 4.0);
  wild.PrintScale = 0.1;
  wild.ImageCacheCount = -3;
  view.SetProperties(wild);
  EXPECT_EQ(view.Properties().PrintScale, 0.25);
  EXPECT_EQ(view.Properties().ImageCacheCount, 0);
}

TEST(MetaRefresh, DelayAndAddress) {
  EXPECT_EQ(MetaRefreshDelay("5; URL=next.htm"), 5);
  EXPECT_EQ(MetaRefreshDelay("12"), 12);
  EXPECT_EQ(MetaRefreshDelay(" 3 ;url=x"), 3);
  EXPECT_EQ(MetaRefreshDelay("soon; url=x"), -1);
  EXPECT_EQ(MetaRefreshDelay("5s"), -1);
  EXPECT_EQ(MetaRefreshDelay(""), -1);
  EXPECT_EQ(MetaRefreshDelay("99999999999"), -1);
  EXPECT_EQ(MetaRefreshAddress("5; URL=Next.htm"), "Next.htm");
  EXPECT_EQ(MetaRefreshAddress("5; uRl=a;url=b"), "a;url=b");
  EXPECT_EQ(MetaRefreshAddress("5"), "");
}

TEST_F(DocumentViewTest, MetaRefreshIsRaisedAfterTheLoad) {
  std::vector<std::string> seen;
  View.OnMeta = [&](const AnsiString& httpEq, const AnsiString& name, const AnsiString& content) {
    seen.push_back("meta " + httpEq + "|" + name + "|" + content);
  };
  View.OnMetaRefresh = [&](int delay, const AnsiString& url) {
    seen.push_back("refresh " + std::to_string(delay) + " " + url + " busy " +
                   (View.Busy() ? "yes" : "no"));
  };
  Load("<META HTTP-EQUIV=Refresh CONTENT=\"0; Url=weiter.htm\">Text");
  EXPECT_EQ(seen, (std::vector<std::string>{"meta Refresh||0; Url=weiter.htm",
                                            "refresh 1 weiter.htm busy no"}));
  EXPECT_EQ(View.PendingRefreshDelay(), 1);
  seen.clear();
  Load("<META HTTP-EQUIV=REFRESH CONTENT=\"7\">");
  EXPECT_EQ(seen.back(), "refresh 7  busy no");
  seen.clear();
  Load("<META HTTP-EQUIV=refresh CONTENT=\"bald\"><META HTTP-EQUIV=expires CONTENT=\"1\">");
  EXPECT_EQ(seen.size(), 2u);  // two metas, no refresh
  EXPECT_EQ(View.PendingRefreshAddress(), "");
}

TEST_F(DocumentViewTest, EventsOfALoad) {
  std::vector<std::string> events;
  std::vector<int> running;
  View.OnProcessing = [&](bool on) { events.push_back(on ? "busy" : "idle"); };
  View.OnProgress = [&](ThtProgressStage stage, int percent) {
    if (stage == psRunning) {
      // Parse and layout share one bar: the percentages only grow.
      EXPECT_GE(percent, running.empty() ? 0 : running.back());
      EXPECT_LE(percent, 100);
      running.push_back(percent);
      if (events.back() != "running") events.push_back("running");
      return;
    }
    events.push_back((stage == psStarting ? "starting " : "ending ") + std::to_string(percent));
  };
  View.OnParseBegin = [&](AnsiString& source) {
    events.push_back("begin " + source.substr(0, 3));
    source = "<TITLE>Ersatz</TITLE>" + std::string(10000, 'x');
  };
  View.OnParseEnd = [&] { events.push_back("end"); };
  const TTaken taken = Load("alt");
  ASSERT_GE(events.size(), 7u);
  EXPECT_EQ(std::vector<std::string>(events.begin(), events.begin() + 5),
            (std::vector<std::string>{"busy", "starting 0", "begin alt", "running", "end"}));
  // Layout may report its share after the parse.
  EXPECT_EQ(std::vector<std::string>(events.end() - 2, events.end()),
            (std::vector<std::string>{"ending 100", "idle"}));
  EXPECT_LE(running.front(), 75);
  EXPECT_EQ(taken.Title, "Ersatz");
  EXPECT_EQ(taken.Text, std::u16string(10000, u'x'));
  EXPECT_EQ(View.SourceText().substr(0, 7), "<TITLE>");

  // A missing file still ends the progress and the busy state.
  events.clear();
  EXPECT_THROW(View.LoadFromFile(Folder.Path() + "fehlt.htm"), EInOutError);
  EXPECT_EQ(events, (std::vector<std::string>{"busy", "ending 100", "idle"}));
}

TEST_F(DocumentViewTest, BusyViewRefusesLoadAndClear) {
  const std::string other = Folder.Write("other.htm", "<TITLE>Anders</TITLE>anders");
  bool busyInside = false;
  View.OnParseBegin = [&](AnsiString&) {
    busyInside = View.Busy();
    View.LoadFromFile(other);
    View.Clear();
  };
  const TTaken taken = Load("<TITLE>Erst</TITLE>erst");
  EXPECT_TRUE(busyInside);
  EXPECT_EQ(taken.Title, "Erst");
  EXPECT_EQ(taken.Text, u"erst");
  EXPECT_EQ(View.LoadedFile(), Folder.Path() + "doc.htm");
}

TEST_F(DocumentViewTest, FailedParseLeavesAnEmptyDocument) {
  Load("<TITLE>Alt</TITLE>alt");
  View.OnParseBegin = [](AnsiString&) { throw std::runtime_error("kaputt"); };
  EXPECT_THROW(Load("neu"), std::runtime_error);
  EXPECT_FALSE(View.Busy());
  EXPECT_EQ(View.LoadedFile(), Folder.Path() + "doc.htm");
  EXPECT_EQ(View.DocumentTitle(), "");
  View.SelectAll();
  EXPECT_EQ(View.SelText(), u"");
  // A handler failing in the middle of the parse: what was built is shown.
  View.OnParseBegin = nullptr;
  View.OnMeta = [](const AnsiString&, const AnsiString&, const AnsiString&) {
    throw std::runtime_error("Handler");
  };
  EXPECT_THROW(Load("<P>vorher<META NAME=a CONTENT=b><P>nachher"), std::runtime_error);
  EXPECT_FALSE(View.Busy());
  View.SelectAll();
  EXPECT_EQ(View.SelText().substr(0, 6), u"vorher");
  // The view works on afterwards.
  View.OnMeta = nullptr;
  EXPECT_EQ(Load("wieder").Text, u"wieder");
}

TEST_F(DocumentViewTest, TooManyTableColumnsAreReportedAndKeepTheirText) {
  std::vector<AnsiString> messages;
  View.LayoutErrorReporter = [&](const AnsiString& message) { messages.push_back(message); };
  std::string row;
  for (int i = 0; i < 201; ++i) row += "<TD>z";
  // At the top the body holds the table; the body and the table's text stay.
  const std::u16string top = Load("<P>vorher<TABLE><TR>" + row + "</TABLE><P>nachher").Text;
  EXPECT_EQ(top.substr(0, 13), u"vorher\r\n\r\nz\r\n");
  EXPECT_EQ(top.substr(top.size() - 10), u"z\r\nnachher");
  EXPECT_EQ(std::count(top.begin(), top.end(), u'z'), 201);
  EXPECT_EQ(messages, std::vector<AnsiString>{"Table has too many Columns"});
  // Inside a table cell the same; the load completes.
  const TTaken nested = Load("<TITLE>T</TITLE><TABLE><TR><TD><P>innen<TABLE><TR>" + row +
                             "</TABLE><TD>daneben</TABLE>");
  EXPECT_EQ(messages.size(), 2u);
  EXPECT_EQ(nested.Title, "T");
  EXPECT_NE(nested.Text.find(u"daneben"), std::u16string::npos);
  EXPECT_EQ(std::count(nested.Text.begin(), nested.Text.end(), u'z'), 201);
  EXPECT_FALSE(View.Busy());
}

TEST_F(DocumentViewTest, HistoryKeepsPreviousDocuments) {
  Load("eins");
  EXPECT_TRUE(View.History().empty());  // HistoryMaxCount 0
  TDocumentViewProperties properties = View.Properties();
  properties.HistoryMaxCount = 2;
  View.SetProperties(properties);
  Take(View, Folder.Write("a.htm", "<TITLE>A</TITLE>a"));
  Take(View, Folder.Write("b.htm", "<TITLE>B</TITLE>b"));
  Take(View, Folder.Path() + "b.htm");  // the same file again adds nothing
  Take(View, Folder.Write("c.htm", "c"));
  ASSERT_EQ(View.History().size(), 2u);
  EXPECT_EQ(View.History()[0].FileName, Folder.Path() + "b.htm");
  EXPECT_EQ(View.History()[0].Title, "B");
  EXPECT_EQ(View.History()[1].FileName, Folder.Path() + "a.htm");
}

}  // namespace
}  // namespace folverin

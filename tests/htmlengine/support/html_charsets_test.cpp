#include "htmlengine/support/html_charsets.h"

#include <gtest/gtest.h>

#include "common/code_page.h"

namespace folverin {
namespace {

int CharsetOfName(const char* name) {
  const XRec* record = MatchCharsetRecord(name);
  return record ? record->Charset : -1;
}

TEST(HtmlCharsetsTest, NamesMatchByContainedTextInTableOrder) {
  EXPECT_EQ(CharsetOfName("text/html; charset=windows-1251"), 204);
  EXPECT_EQ(CharsetOfName("ISO-8859-7"), 161);
  EXPECT_EQ(CharsetOfName("iso-8859-15"), 0);  // found as 8859-1
  EXPECT_EQ(MatchCharsetRecord("iso-8859-15")->Text, "8859-1");
  EXPECT_EQ(CharsetOfName("KOI8-R"), 204);
  EXPECT_EQ(CharsetOfName("cp866"), 204);
  EXPECT_EQ(CharsetOfName("Shift_JIS"), 128);
  EXPECT_EQ(CharsetOfName("x-sjis"), 128);
  EXPECT_EQ(CharsetOfName("euc-kr"), 129);
  EXPECT_EQ(CharsetOfName("ks_c_5601-1987"), 129);
  EXPECT_EQ(CharsetOfName("GB2312"), 134);
  EXPECT_EQ(CharsetOfName("big5"), 136);
  EXPECT_EQ(CharsetOfName("windows-874"), 222);
  EXPECT_EQ(CharsetOfName("OEM"), 255);
  EXPECT_EQ(CharsetOfName("default"), 1);
  EXPECT_EQ(CharsetOfName("utf-8"), -1);
  EXPECT_EQ(CharsetOfName("us-ascii"), -1);
  // "windows-1250" is checked before "8859-2"; a name with both takes the
  // first entry of the table.
  EXPECT_EQ(MatchCharsetRecord("1253 8859-2")->Text, "1253");
  const XRec* euc = MatchCharsetRecord("EUC-JP");
  ASSERT_NE(euc, nullptr);
  EXPECT_TRUE(IsEucJpRecord(*euc));
  EXPECT_EQ(euc->Charset, kShiftJisCharset);
  EXPECT_FALSE(IsEucJpRecord(*MatchCharsetRecord("euc-kr")));
}

TEST(HtmlCharsetsTest, SetCharsetFindsTheCodePage) {
  struct TCase {
    int Requested, Charset, CodePage;
  };
  const TCase cases[] = {{0, 0, 1252}, {1, 1, 0},       {2, 2, 0},       {77, 77, 2},
                         {128, 128, 932}, {129, 129, 949}, {130, 130, 1361}, {134, 134, 936},
                         {136, 136, 950}, {161, 161, 1253}, {162, 162, 1254}, {163, 163, 1258},
                         {177, 177, 1255}, {178, 178, 1256}, {186, 186, 1257}, {204, 204, 1251},
                         {222, 222, 874}, {238, 238, 1250}, {255, 255, 1}};
  for (const TCase& c : cases) {
    int charset = 99, codePage = 4711;
    SetCharset(charset, codePage, c.Requested);
    EXPECT_EQ(charset, c.Charset) << c.Requested;
    EXPECT_EQ(codePage, c.CodePage) << c.Requested;
  }
  // A set the table does not know leaves the code page as it was.
  int charset = 0, codePage = 1251;
  SetCharset(charset, codePage, 100);
  EXPECT_EQ(charset, 100);
  EXPECT_EQ(codePage, 1251);

  SetUtf8(charset, codePage);
  EXPECT_EQ(charset, 0);
  EXPECT_EQ(codePage, kCodePageUtf8);
}

}  // namespace
}  // namespace folverin

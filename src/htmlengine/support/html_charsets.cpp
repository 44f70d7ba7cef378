#include "htmlengine/support/html_charsets.h"

#include <string>

#include "common/ansi_string.h"
#include "common/code_page.h"

namespace folverin {

namespace {

constexpr XRec kCharsetRecords[kCharsetRecordCount] = {
    {"1252", 0}, {"8859-1", 0}, {"1253", 161}, {"8859-7", 161},
    {"1250", 238}, {"8859-2", 238}, {"1251", 204}, {"8859-5", 204},
    {"koi", 204}, {"866", 204}, {"1254", 162}, {"8859-3", 162},
    {"8859-9", 162}, {"1257", 186}, {"8859-4", 186}, {"932", 128},
    {"949", 129}, {"936", 134}, {"950", 136},
    {"1255", 177}, {"1256", 178}, {"1258", 163}, {"874", 222},
    {"ansi", 0}, {"default", 1}, {"symbol", 2}, {"shiftjis", 128},
    {"shift_jis", 128}, {"x-sjis", 128}, {"hangeul", 129}, {"gb2312", 134},
    {"big5", 136}, {"oem", 255}, {"johab", 130}, {"hebrew", 177},
    {"arabic", 178}, {"greek", 161}, {"turkish", 162}, {"vietnamese", 163},
    {"thai", 222}, {"easteurope", 238}, {"russian", 204}, {"euc-kr", 129},
    {"5601", 129}, {"euc-jp", kShiftJisCharset}, {"8859-15", 0}};

struct TCharsetCodePage {
  int Charset;
  int CodePage;
};

constexpr TCharsetCodePage kCodePages[] = {
    {0, 1252}, {1, 0}, {2, 0}, {77, 2}, {128, 932}, {129, 949},
    {130, 1361}, {134, 936}, {136, 950}, {161, 1253}, {162, 1254},
    {163, 1258}, {177, 1255}, {178, 1256}, {186, 1257}, {204, 1251},
    {222, 874}, {238, 1250}, {255, 1}};

}  // namespace

const XRec* MatchCharsetRecord(std::string_view name) {
  const AnsiString lower = LowerCase(name);
  for (const XRec& record : kCharsetRecords)
    if (lower.find(record.Text) != std::string::npos) return &record;
  return nullptr;
}

bool IsEucJpRecord(const XRec& record) { return record.Text == "euc-jp"; }

int CodePageOfCharset(int charset) {
  for (const TCharsetCodePage& entry : kCodePages)
    if (entry.Charset == charset) return entry.CodePage;
  return -1;
}

void SetCharset(int& charset, int& codePage, int requested) {
  // Without a font mapper the requested set is the realised one.
  const int realised = requested;
  charset = requested == kDefaultCharset ? kDefaultCharset : realised;
  const int found = CodePageOfCharset(realised);
  if (found >= 0) codePage = found;
}

void SetUtf8(int& charset, int& codePage) {
  codePage = kCodePageUtf8;
  charset = kAnsiCharset;
}

}  // namespace folverin

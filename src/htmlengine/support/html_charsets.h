// Character sets named by documents (META, FONT CHARSET) and the code pages
// their text is decoded with.
#pragma once

#include <cstdint>
#include <string_view>

namespace folverin {

inline constexpr int kAnsiCharset = 0;
inline constexpr int kDefaultCharset = 1;
inline constexpr int kSymbolCharset = 2;
inline constexpr int kShiftJisCharset = 128;

// One entry of the name table: the entry matches every name that contains
// Text (after lower-casing the name).
struct XRec {
  std::string_view Text;
  uint8_t Charset;
};

inline constexpr int kCharsetRecordCount = 46;

// The first entry that matches the name, or nullptr. The table is searched
// in its fixed order, so "iso-8859-15" is found as "8859-1".
const XRec* MatchCharsetRecord(std::string_view name);

// The EUC-JP entry asks for the document to be re-encoded to Shift_JIS first.
bool IsEucJpRecord(const XRec& record);

// The code page of a character set, or -1 when the table has none.
int CodePageOfCharset(int charset);

// Gives a property set the character set and its code page. Every requested
// set counts as realised; the code page stays as it was for a set the table
// does not know.
void SetCharset(int& charset, int& codePage, int requested);

// UTF-8 documents: code page 65001 with the ANSI character set.
void SetUtf8(int& charset, int& codePage);

}  // namespace folverin

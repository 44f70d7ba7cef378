// Character tests of the tokenizer. They take the upper-cased character, so
// only ASCII letters count as letters.
#pragma once

#include <array>

namespace folverin {

inline bool IsUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }
inline bool IsDigitChar(char c) { return c >= '0' && c <= '9'; }
inline bool IsHexDigitUpper(char c) { return IsDigitChar(c) || (c >= 'A' && c <= 'F'); }
inline bool IsBlankChar(char c) { return c == ' ' || c == '\r'; }
// Bytes 0-8 are never text: the document is binary there.
inline bool IsControlByte(char c) { return static_cast<unsigned char>(c) <= 8; }

// Any-case tests on raw bytes.
inline bool IsLetterByte(char c) { return IsUpperLetter(static_cast<char>(c & ~0x20)); }
inline bool IsAttributeNameByte(char c) { return IsLetterByte(c) || IsDigitChar(c) || c == '-'; }

namespace char_class_detail {
template <class Pred>
constexpr std::array<bool, 256> MakeByteTable(Pred belongs) {
  std::array<bool, 256> table{};
  for (int i = 0; i < 256; ++i) table[i] = belongs(i);
  return table;
}
// Bytes the reader passes on unchanged: not a line end, tab, "<" (a
// comment may start there) or the end marker 26.
inline constexpr std::array<bool, 256> kReaderPlain = MakeByteTable([](int c) {
  return c != '\t' && c != '\n' && c != '\r' && c != '<' && c != 26;
});
// Bytes that text takes as they are: besides the reader's, "&" starts an
// entity, blanks collapse and control bytes end the document.
inline constexpr std::array<bool, 256> kTextPlain = MakeByteTable([](int c) {
  return kReaderPlain[c] && c > 8 && c != '&' && c != ' ';
});
// Bytes that text skipped unread passes in one go: the reader's plain
// bytes except control bytes, which end the document.
inline constexpr std::array<bool, 256> kTextSkippable = MakeByteTable([](int c) {
  return kReaderPlain[c] && c > 8;
});
// Bytes of a quoted attribute value that are copied as they are: besides
// the reader's, "&" starts an entity and either quote may end the value.
inline constexpr std::array<bool, 256> kQuotedPlain = MakeByteTable([](int c) {
  return kReaderPlain[c] && c != '&' && c != '"' && c != '\'';
});
// Bytes that preformatted text adds as they are: the reader's plain bytes
// except control bytes, which it drops, and "&", which starts an entity.
inline constexpr std::array<bool, 256> kPreformattedPlain = MakeByteTable([](int c) {
  return kReaderPlain[c] && c > 8 && c != '&';
});
}  // namespace char_class_detail

inline bool IsReaderPlainByte(char c) {
  return char_class_detail::kReaderPlain[static_cast<unsigned char>(c)];
}
inline bool IsPlainTextByte(char c) {
  return char_class_detail::kTextPlain[static_cast<unsigned char>(c)];
}
inline bool IsSkippableTextByte(char c) {
  return char_class_detail::kTextSkippable[static_cast<unsigned char>(c)];
}
inline bool IsPlainPreformattedByte(char c) {
  return char_class_detail::kPreformattedPlain[static_cast<unsigned char>(c)];
}
inline bool IsPlainQuotedByte(char c) {
  return char_class_detail::kQuotedPlain[static_cast<unsigned char>(c)];
}

}  // namespace folverin

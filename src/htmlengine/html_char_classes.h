// Character tests of the tokenizer. They take the upper-cased character, so
// only ASCII letters count as letters.
#pragma once

namespace folverin {

inline bool IsUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }
inline bool IsDigitChar(char c) { return c >= '0' && c <= '9'; }
inline bool IsHexDigitUpper(char c) { return IsDigitChar(c) || (c >= 'A' && c <= 'F'); }
inline bool IsBlankChar(char c) { return c == ' ' || c == '\r'; }
// Bytes 0-8 are never text: the document is binary there.
inline bool IsControlByte(char c) { return static_cast<unsigned char>(c) <= 8; }

}  // namespace folverin

// 8-bit texts of the program: std::string holding Windows-1252 bytes.
#pragma once

#include <string>
#include <string_view>

namespace folverin {

// The program's 8-bit text. The alias says that the bytes are Windows-1252
// (the collections' code page), not UTF-8.
using AnsiString = std::string;

// Removes leading and trailing characters with codes 32 and below.
AnsiString Trim(std::string_view text);

// ASCII-only case mapping: umlauts and every byte above 127 stay as they are.
// Inline, as the HTML engine maps every character it reads.
inline char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
AnsiString UpperCase(std::string_view text);
AnsiString LowerCase(std::string_view text);

// ASCII case-insensitive comparisons.
bool SameText(std::string_view a, std::string_view b);
// Compares like SameText but orders: ASCII letters upper-cased, then byte order.
int CompareText(std::string_view a, std::string_view b);

}  // namespace folverin

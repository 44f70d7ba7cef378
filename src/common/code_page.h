// Conversions between the code pages that HTML documents use and UTF-16,
// over ICU. Code page numbers are the Windows ones the HTML engine works
// with: 1250-1258, 874, 932, 936, 949, 950, 1361, 65001 (UTF-8), and the
// symbolic 0 (system ANSI = 1252), 1 (system OEM = 850), 2 (system
// Macintosh = 10000).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace folverin {

inline constexpr int kCodePageUtf8 = 65001;
inline constexpr int kSystemAnsiCodePage = 1252;

// The ICU converter name for a Windows code page, or nullptr when ICU has
// none (unknown code pages, and Johab, which common/johab.h converts).
const char* IcuNameOfCodePage(int codePage);

// Decodes bytes to UTF-16. A code page that cannot be converted falls back to
// the system ANSI code page. When byteIndex is given, it receives for every
// 16-bit unit the index of the first byte of the sequence it came from.
std::u16string MultiByteToWide(int codePage, std::string_view bytes,
                               std::vector<uint32_t>* byteIndex = nullptr);

// Encodes UTF-16 into the code page; characters it lacks become the code
// page's default character. Falls back to the system ANSI code page like the
// decoder.
std::string WideToMultiByte(int codePage, std::u16string_view text);

}  // namespace folverin

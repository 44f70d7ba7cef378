// Johab (Windows code page 1361), the Korean code page that ICU's standard
// data lacks. Hangul is encoded by bit fields (initial, medial and final
// sound); symbols and Hanja are the KS X 1001 characters of code page 949,
// moved to other byte values by fixed arithmetic.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace folverin {

inline constexpr int kCodePageJohab = 1361;

// Decodes Johab bytes; a malformed byte becomes U+FFFD. byteIndex, when
// given, receives the index of the first byte of each unit's sequence.
std::u16string JohabToUtf16(std::string_view bytes, std::vector<uint32_t>* byteIndex = nullptr);

// Encodes into Johab; characters it lacks become "?".
std::string Utf16ToJohab(std::u16string_view text);

}  // namespace folverin

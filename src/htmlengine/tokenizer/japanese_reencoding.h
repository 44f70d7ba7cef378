// Japanese documents are read as Shift_JIS (code page 932): EUC-JP and
// ISO-2022-JP texts are re-encoded to it before their text is decoded.
#pragma once

#include <string>
#include <string_view>

namespace folverin {

// One JIS X 0208 pair (high bits removed) as its Shift_JIS pair.
void JisToShiftJis(unsigned char j1, unsigned char j2, unsigned char& s1, unsigned char& s2);

// In place; the length stays, so a reader can go on at the same position.
void EucJpToShiftJis(std::string& text);

// The escape sequences are dropped, so the text gets shorter by three bytes
// per escape.
void Iso2022JpToShiftJis(std::string& text);

// ESC $ @ or ESC $ B: the text is ISO-2022-JP.
bool ContainsIso2022JpEscape(std::string_view text);

}  // namespace folverin

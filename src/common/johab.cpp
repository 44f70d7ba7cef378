#include "common/johab.h"

#include <optional>

#include "common/code_page.h"

namespace folverin {

namespace {

constexpr int kKoreanCodePage = 949;
constexpr char16_t kReplacement = u'\uFFFD';
constexpr char16_t kFirstSyllable = u'\uAC00';
constexpr char16_t kLastSyllable = u'\uD7A3';
constexpr char16_t kFirstCompatJamo = u'\u3131';  // the 30 consonants, then 21 vowels
constexpr char16_t kFirstCompatVowel = u'\u314F';
constexpr char16_t kLastCompatVowel = u'\u3163';
constexpr uint16_t kAllFill = 0x8441;  // initial, medial and final all "fill"
constexpr int kNoSound = -1;

// Offsets from U+3131 of the compatibility letters of the 19 initial and the
// 27 final consonants (final 0 is "no final").
constexpr int kInitialCompat[19] = {0, 1, 3, 6, 7, 8, 16, 17, 18, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29};
constexpr int kFinalCompat[28] = {kNoSound, 0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13,
                                  14, 15, 16, 17, 19, 20, 21, 22, 23, 25, 26, 27, 28, 29};

// The 5-bit fields: initial codes 2-20 are the initials 0-18, 1 is fill.
int InitialOfCode(int code) { return code >= 2 && code <= 20 ? code - 2 : kNoSound; }
int CodeOfInitial(int initial) { return initial + 2; }

// Medial codes come in four runs with gaps; 2 is fill.
int MedialOfCode(int code) {
  if (code >= 3 && code <= 7) return code - 3;
  if (code >= 10 && code <= 15) return code - 5;
  if (code >= 18 && code <= 23) return code - 7;
  if (code >= 26 && code <= 29) return code - 9;
  return kNoSound;
}
int CodeOfMedial(int medial) {
  if (medial <= 4) return medial + 3;
  if (medial <= 10) return medial + 5;
  if (medial <= 16) return medial + 7;
  return medial + 9;
}

// Final codes 2-17 are finals 1-16, 19-29 are finals 17-27; 1 is "none".
int FinalOfCode(int code) {
  if (code >= 2 && code <= 17) return code - 1;
  if (code >= 19 && code <= 29) return code - 2;
  return kNoSound;
}
int CodeOfFinal(int final) {
  if (final == 0) return 1;
  return final <= 16 ? final + 1 : final + 2;
}

uint16_t HangulCode(int initialCode, int medialCode, int finalCode) {
  return static_cast<uint16_t>(0x8000 | (initialCode << 10) | (medialCode << 5) | finalCode);
}

std::optional<char16_t> DecodeHangul(uint16_t code) {
  if (code == kAllFill) return u'\u3000';
  const int initialCode = (code >> 10) & 0x1F;
  const int medialCode = (code >> 5) & 0x1F;
  const int finalCode = code & 0x1F;
  const int initial = InitialOfCode(initialCode);
  const int medial = MedialOfCode(medialCode);
  const int final = FinalOfCode(finalCode);
  if (initial != kNoSound && medial != kNoSound && (final != kNoSound || finalCode == 1))
    return static_cast<char16_t>(kFirstSyllable + (initial * 21 + medial) * 28 + (final == kNoSound ? 0 : final));
  // A lone letter: exactly one field set, the others fill.
  if (initial != kNoSound && medialCode == 2 && finalCode == 1)
    return static_cast<char16_t>(kFirstCompatJamo + kInitialCompat[initial]);
  if (medial != kNoSound && initialCode == 1 && finalCode == 1)
    return static_cast<char16_t>(kFirstCompatVowel + medial);
  if (final != kNoSound && initialCode == 1 && medialCode == 2)
    return static_cast<char16_t>(kFirstCompatJamo + kFinalCompat[final]);
  return std::nullopt;
}

bool IsHangulLead(unsigned char b) { return b >= 0x84 && b <= 0xD3; }
bool IsHangulTrail(unsigned char b) { return (b >= 0x41 && b <= 0x7E) || (b >= 0x81 && b <= 0xFE); }
bool IsSymbolLead(unsigned char b) { return (b >= 0xD9 && b <= 0xDE) || (b >= 0xE0 && b <= 0xF9); }
bool IsSymbolTrail(unsigned char b) { return (b >= 0x31 && b <= 0x7E) || (b >= 0x91 && b <= 0xFE); }

// Each symbol lead byte carries two KS X 1001 rows: its 188 trail values are
// the 94 cells of the first row, then the 94 of the second. Leads D9-DE hold
// the symbol rows 0x21-0x2C, leads E0-F9 the Hanja rows 0x4A-0x7D.
std::optional<char16_t> DecodeSymbol(unsigned char lead, unsigned char trail) {
  const int cell = trail <= 0x7E ? trail - 0x31 : trail - 0x91 + 78;
  const int firstRow = lead <= 0xDE ? 0x21 + (lead - 0xD9) * 2 : 0x4A + (lead - 0xE0) * 2;
  const int row = firstRow + cell / 94;
  const std::string kscBytes = {static_cast<char>(row | 0x80), static_cast<char>((cell % 94 + 0x21) | 0x80)};
  const std::u16string decoded = MultiByteToWide(kKoreanCodePage, kscBytes);
  if (decoded.size() != 1 || decoded[0] == kReplacement) return std::nullopt;
  return decoded[0];
}

std::optional<uint16_t> SymbolCode(char16_t ch) {
  const std::string ksc = WideToMultiByte(kKoreanCodePage, std::u16string_view(&ch, 1));
  if (ksc.size() != 2) return std::nullopt;
  const int row = (static_cast<unsigned char>(ksc[0]) & 0x7F);
  const int col = (static_cast<unsigned char>(ksc[1]) & 0x7F);
  // Outside KS X 1001 proper (code page 949's extra Hangul) or not one of
  // the rows that Johab carries.
  if (static_cast<unsigned char>(ksc[1]) < 0xA1 || col < 0x21 || col > 0x7E) return std::nullopt;
  int lead;
  if (row >= 0x21 && row <= 0x2C) lead = 0xD9 + (row - 0x21) / 2;
  else if (row >= 0x4A && row <= 0x7D) lead = 0xE0 + (row - 0x4A) / 2;
  else return std::nullopt;
  const int cell = ((row - (row >= 0x4A ? 0x4A : 0x21)) % 2) * 94 + (col - 0x21);
  const int trail = cell < 78 ? cell + 0x31 : cell - 78 + 0x91;
  return static_cast<uint16_t>((lead << 8) | trail);
}

std::optional<uint16_t> HangulCodeOf(char16_t ch) {
  if (ch >= kFirstSyllable && ch <= kLastSyllable) {
    const int index = ch - kFirstSyllable;
    return HangulCode(CodeOfInitial(index / (21 * 28)), CodeOfMedial(index / 28 % 21), CodeOfFinal(index % 28));
  }
  if (ch >= kFirstCompatVowel && ch <= kLastCompatVowel)
    return HangulCode(1, CodeOfMedial(ch - kFirstCompatVowel), 1);
  if (ch >= kFirstCompatJamo && ch < kFirstCompatVowel) {
    const int offset = ch - kFirstCompatJamo;
    for (int i = 0; i < 19; ++i)
      if (kInitialCompat[i] == offset) return HangulCode(CodeOfInitial(i), 2, 1);
    for (int f = 1; f < 28; ++f)
      if (kFinalCompat[f] == offset) return HangulCode(1, 2, CodeOfFinal(f));
  }
  return std::nullopt;
}

// One character at bytes[pos]: the unit and the number of bytes it used.
std::pair<char16_t, size_t> DecodeOne(std::string_view bytes, size_t pos) {
  const auto lead = static_cast<unsigned char>(bytes[pos]);
  if (lead < 0x80) return {static_cast<char16_t>(lead), 1};
  if (pos + 1 >= bytes.size()) return {kReplacement, 1};
  const auto trail = static_cast<unsigned char>(bytes[pos + 1]);
  if (IsHangulLead(lead) && IsHangulTrail(trail))
    return {DecodeHangul(static_cast<uint16_t>((lead << 8) | trail)).value_or(kReplacement), 2};
  if (IsSymbolLead(lead) && IsSymbolTrail(trail))
    return {DecodeSymbol(lead, trail).value_or(kReplacement), 2};
  return {kReplacement, 1};
}

}  // namespace

std::u16string JohabToUtf16(std::string_view bytes, std::vector<uint32_t>* byteIndex) {
  std::u16string out;
  out.reserve(bytes.size());
  if (byteIndex) byteIndex->clear();
  for (size_t pos = 0; pos < bytes.size();) {
    const auto [unit, length] = DecodeOne(bytes, pos);
    out += unit;
    if (byteIndex) byteIndex->push_back(static_cast<uint32_t>(pos));
    pos += length;
  }
  return out;
}

std::string Utf16ToJohab(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t ch = text[i];
    if (ch < 0x80) {
      out += static_cast<char>(ch);
      continue;
    }
    // A surrogate pair is one character Johab lacks, so one "?".
    if (ch >= 0xD800 && ch <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
      ++i;
    std::optional<uint16_t> code = HangulCodeOf(ch);
    if (!code) code = SymbolCode(ch);
    if (!code) {
      out += '?';
      continue;
    }
    out += static_cast<char>(*code >> 8);
    out += static_cast<char>(*code & 0xFF);
  }
  return out;
}

}  // namespace folverin

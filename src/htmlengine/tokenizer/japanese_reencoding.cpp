#include "htmlengine/tokenizer/japanese_reencoding.h"

#include <cstddef>

namespace folverin {

namespace {

constexpr char kEsc = 27;

}  // namespace

void JisToShiftJis(unsigned char j1, unsigned char j2, unsigned char& s1, unsigned char& s2) {
  s1 = static_cast<unsigned char>((j1 + 1) / 2 + (j1 <= 94 ? 112 : 176));
  if (j1 % 2 == 1)
    s2 = static_cast<unsigned char>(j2 + 31 + (j2 >= 96 ? 1 : 0));
  else
    s2 = static_cast<unsigned char>(j2 + 126);
}

void EucJpToShiftJis(std::string& text) {
  bool haveFirst = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte <= 160) {
      haveFirst = false;
    } else if (!haveFirst) {
      haveFirst = true;
    } else {
      unsigned char s1, s2;
      JisToShiftJis(static_cast<unsigned char>(text[i - 1]) & 0x7F, byte & 0x7F, s1, s2);
      text[i - 1] = static_cast<char>(s1);
      text[i] = static_cast<char>(s2);
      haveFirst = false;
    }
  }
}

void Iso2022JpToShiftJis(std::string& text) {
  bool doubleByte = false;
  bool haveFirst = false;
  unsigned char first = 0;
  size_t out = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(text[i]) & 0x7F;
    if (byte == kEsc && i + 2 < text.size()) {
      const char a = static_cast<char>(text[i + 1] & 0x7F);
      const char b = static_cast<char>(text[i + 2] & 0x7F);
      const bool toSingle = a == '(' && (b == 'B' || b == 'J');
      const bool toDouble = a == '$' && (b == '@' || b == 'B');
      if (toSingle || toDouble) {
        if (haveFirst) text[out++] = static_cast<char>(first);  // an odd byte stays
        doubleByte = toDouble;
        haveFirst = false;
        i += 2;
        continue;
      }
    }
    if (!doubleByte) {
      text[out++] = static_cast<char>(byte);
    } else if (!haveFirst) {
      first = byte;
      haveFirst = true;
    } else {
      unsigned char s1, s2;
      JisToShiftJis(first, byte, s1, s2);
      text[out++] = static_cast<char>(s1);
      text[out++] = static_cast<char>(s2);
      haveFirst = false;
    }
  }
  if (haveFirst) text[out++] = static_cast<char>(first);
  text.resize(out);
}

bool ContainsIso2022JpEscape(std::string_view text) {
  // Every document is asked, and few have an escape byte at all: jump from
  // one to the next instead of testing every position.
  for (size_t i = text.find(kEsc); i != std::string_view::npos && i + 2 < text.size();
       i = text.find(kEsc, i + 1))
    if (text[i + 1] == '$' && (text[i + 2] == '@' || text[i + 2] == 'B')) return true;
  return false;
}

}  // namespace folverin

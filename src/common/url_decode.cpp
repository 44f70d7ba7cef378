#include "common/url_decode.h"

namespace folverin {

namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

int64_t HexToInt64(std::string_view text) {
  AnsiString upper = UpperCase(text);
  if (!upper.empty() && upper.back() == 'H') upper.pop_back();
  // Unsigned arithmetic: long inputs wrap instead of overflowing.
  uint64_t value = 0;
  for (char c : upper) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return 0;
    value = value * 16 + static_cast<uint64_t>(digit);
  }
  return static_cast<int64_t>(value);
}

AnsiString DecodeURL(std::string_view text) {
  AnsiString result;
  result.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '%') {
      result += text[i++];
      continue;
    }
    if (text.size() - i < 3) {
      // A cut-off escape at the end: its missing digits are not hexadecimal.
      result += '\0';
      break;
    }
    result += static_cast<char>(HexToInt64(text.substr(i + 1, 2)) & 0xFF);
    i += 3;
  }
  return result;
}

std::string DecodeWellFormedEscapes(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const int high = text[i] == '%' && i + 2 < text.size() ? HexDigitValue(text[i + 1]) : -1;
    const int low = high >= 0 ? HexDigitValue(text[i + 2]) : -1;
    if (low < 0) {
      result += text[i];
      continue;
    }
    result += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return result;
}

}  // namespace folverin

#include "common/windows1252.h"

namespace folverin {

namespace {

// Unicode values of the bytes 0x80 to 0x9F.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t ch) {
  if (ch < 0x80) {
    out += static_cast<char>(ch);
  } else if (ch < 0x800) {
    out += static_cast<char>(0xC0 | (ch >> 6));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else if (ch < 0x10000) {
    out += static_cast<char>(0xE0 | (ch >> 12));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (ch >> 18));
    out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  }
}

// Decodes one UTF-8 character at text[pos]; nothing when the sequence is
// malformed (overlong forms, surrogates and values above U+10FFFF included).
std::optional<char32_t> DecodeUtf8(std::string_view text, size_t& pos) {
  const auto b0 = static_cast<unsigned char>(text[pos]);
  int extra;
  char32_t ch;
  if (b0 < 0x80) {
    ++pos;
    return b0;
  } else if ((b0 & 0xE0) == 0xC0) {
    extra = 1;
    ch = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2;
    ch = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3;
    ch = b0 & 0x07;
  } else {
    return std::nullopt;
  }
  if (pos + extra >= text.size()) return std::nullopt;
  for (int i = 1; i <= extra; ++i) {
    const auto b = static_cast<unsigned char>(text[pos + i]);
    if ((b & 0xC0) != 0x80) return std::nullopt;
    ch = (ch << 6) | (b & 0x3F);
  }
  static constexpr char32_t kMinimum[4] = {0, 0x80, 0x800, 0x10000};
  if (ch < kMinimum[extra] || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) return std::nullopt;
  pos += extra + 1;
  return ch;
}

}  // namespace

char16_t Windows1252ToUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
  return byte;
}

std::optional<unsigned char> UnicodeToWindows1252(char32_t ch) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<unsigned char>(ch);
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] == ch) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

std::u16string AnsiToUtf16(std::string_view ansi) {
  std::u16string out;
  out.reserve(ansi.size());
  for (char c : ansi) out += Windows1252ToUnicode(static_cast<unsigned char>(c));
  return out;
}

std::string AnsiToUtf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size() + ansi.size() / 8);
  for (char c : ansi) AppendUtf8(out, Windows1252ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

AnsiString Utf16ToAnsi(std::u16string_view text) {
  AnsiString out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t ch = text[i];
    // ASCII and Latin-1's upper half are the same bytes in the code page:
    // the usual text takes this way (the index builder's whole text does).
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {
      out += static_cast<char>(ch);
      continue;
    }
    // A surrogate pair is one character and so one "?".
    if (ch >= 0xD800 && ch <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF)
      ++i;
    const auto byte = UnicodeToWindows1252(ch);
    out += byte ? static_cast<char>(*byte) : '?';
  }
  return out;
}

AnsiString Utf8ToAnsi(std::string_view utf8) {
  AnsiString out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    const auto ch = DecodeUtf8(utf8, pos);
    if (!ch) {
      ++pos;
      out += '?';
      continue;
    }
    const auto byte = UnicodeToWindows1252(*ch);
    out += byte ? static_cast<char>(*byte) : '?';
  }
  return out;
}

size_t Utf8SequenceLength(std::string_view text, size_t pos) {
  size_t end = pos;
  return DecodeUtf8(text, end) ? end - pos : 0;
}

bool IsValidUtf8(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size())
    if (!DecodeUtf8(text, pos)) return false;
  return true;
}

AnsiString BytesToAnsi(std::string_view bytes) {
  return IsValidUtf8(bytes) ? Utf8ToAnsi(bytes) : AnsiString(bytes);
}

std::optional<AnsiString> Utf8ToAnsiExact(std::string_view utf8) {
  AnsiString out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    const auto ch = DecodeUtf8(utf8, pos);
    if (!ch) return std::nullopt;
    const auto byte = UnicodeToWindows1252(*ch);
    if (!byte) return std::nullopt;
    out += static_cast<char>(*byte);
  }
  return out;
}

}  // namespace folverin

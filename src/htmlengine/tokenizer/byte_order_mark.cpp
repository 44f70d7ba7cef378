#include "htmlengine/tokenizer/byte_order_mark.h"

namespace folverin {

namespace {

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
    return;
  }
  if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  }
  out += static_cast<char>(0x80 | (c & 0x3F));
}

}  // namespace

TByteOrderMark ByteOrderMarkOf(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) return TByteOrderMark::Utf8;
  if (text.starts_with("\xFF\xFE")) return TByteOrderMark::Utf16LE;
  if (text.starts_with("\xFE\xFF")) return TByteOrderMark::Utf16BE;
  return TByteOrderMark::None;
}

size_t ByteOrderMarkLength(TByteOrderMark mark) {
  switch (mark) {
    case TByteOrderMark::Utf8: return 3;
    case TByteOrderMark::Utf16LE:
    case TByteOrderMark::Utf16BE: return 2;
    case TByteOrderMark::None: break;
  }
  return 0;
}

std::string Utf16BytesToUtf8(std::string_view bytes, bool bigEndian) {
  const size_t units = bytes.size() / 2;
  auto unitAt = [&](size_t i) -> char16_t {
    const auto a = static_cast<unsigned char>(bytes[2 * i]);
    const auto b = static_cast<unsigned char>(bytes[2 * i + 1]);
    return static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
  };
  std::string out;
  out.reserve(units + units / 2);
  for (size_t i = 0; i < units; ++i) {
    char32_t c = unitAt(i);
    if (c >= 0xD800 && c <= 0xDFFF) {
      const char16_t next = i + 1 < units ? unitAt(i + 1) : 0;
      if (c <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
        ++i;
      } else {
        c = 0xFFFD;
      }
    }
    AppendUtf8(out, c);
  }
  return out;
}

}  // namespace folverin

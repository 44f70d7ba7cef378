// A byte order mark at the start of a document says how it is encoded, as
// it does to every browser: UTF-8, or UTF-16 in either byte order.
#pragma once

#include <string>
#include <string_view>

namespace folverin {

enum class TByteOrderMark { None, Utf8, Utf16LE, Utf16BE };

TByteOrderMark ByteOrderMarkOf(std::string_view text);
// Bytes the mark takes at the start of the text (0 for None).
size_t ByteOrderMarkLength(TByteOrderMark mark);

// UTF-16 bytes (after the mark) as UTF-8. A unit without its pair becomes
// U+FFFD, and an odd last byte is dropped.
std::string Utf16BytesToUtf8(std::string_view bytes, bool bigEndian);

}  // namespace folverin

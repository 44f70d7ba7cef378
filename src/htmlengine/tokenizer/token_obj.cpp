#include "htmlengine/tokenizer/token_obj.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "common/code_page.h"
#include "common/windows1252.h"

namespace folverin {

namespace {

// Only these code pages can turn several bytes into one character; for the
// others the positions are taken one to one.
bool IsMultiByteCodePage(int codePage) {
  switch (codePage) {
    case 932: case 936: case 949: case 950: case 1361: case kCodePageUtf8: return true;
    default: return false;
  }
}

// Sixteen or eight bytes at a time: text runs are long and mostly ASCII.
bool IsAscii(std::string_view bytes) {
  constexpr uint64_t kHighBits = 0x8080808080808080u;
  uint64_t seen = 0;
  size_t i = 0;
#if defined(__SSE2__)
  // The high bits of sixteen bytes in one step.
  int high = 0;
  for (; i + 16 <= bytes.size(); i += 16) {
    const auto* block = reinterpret_cast<const __m128i*>(bytes.data() + i);
    high |= _mm_movemask_epi8(_mm_loadu_si128(block));
  }
  if (high != 0) return false;
#endif
  uint64_t word;
  for (; i + sizeof word <= bytes.size(); i += sizeof word) {
    std::memcpy(&word, bytes.data() + i, sizeof word);
    seen |= word;
  }
  // The last bytes as one word that overlaps the bytes already seen.
  if (i < bytes.size() && bytes.size() >= sizeof word) {
    std::memcpy(&word, bytes.data() + bytes.size() - sizeof word, sizeof word);
    seen |= word;
    i = bytes.size();
  }
  for (; i < bytes.size(); ++i) seen |= static_cast<unsigned char>(bytes[i]);
  return (seen & kHighBits) == 0;
}

// The code pages whose ASCII bytes are characters of their own.
bool HasSingleByteCharacters(int codePage) {
  return codePage == kCodePageUtf8 || codePage == 0 || codePage == kSystemAnsiCodePage;
}

// Windows-1252 text, and UTF-8 text that is plain ASCII, has one character
// per byte.
bool WidensByteForByte(std::string_view bytes, int codePage) {
  return HasSingleByteCharacters(codePage) && (codePage != kCodePageUtf8 || IsAscii(bytes));
}

// Widens bytes that WidensByteForByte accepts.
void WidenBytes(std::string_view bytes, int codePage, char16_t* chars) {
  if (codePage == kCodePageUtf8) {
    for (size_t i = 0; i < bytes.size(); ++i) chars[i] = static_cast<unsigned char>(bytes[i]);
    return;
  }
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    chars[i] = byte < 0x80 ? char16_t{byte} : Windows1252ToUnicode(byte);
  }
}

bool InOrderInside(std::span<const TokenObj::TBlankRun> blanks, size_t size) {
  int32_t from = 0;
  for (const TokenObj::TBlankRun& blank : blanks) {
    if (blank.Begin < from || blank.End <= blank.Begin) return false;
    from = blank.End;
  }
  return static_cast<size_t>(from) <= size;
}

// Bytes side by side in the document have the places that follow firstPos.
void NumberPlaces(size_t count, int32_t firstPos, int32_t* positions) {
  for (size_t i = 0; i < count; ++i) positions[i] = firstPos + static_cast<int32_t>(i);
}

}  // namespace

void TokenObj::PutChar(uint32_t ch, int32_t pos) {
  Chars_.push_back(static_cast<char16_t>(ch & 0xFFFF));
  Positions_.push_back(pos);
}

void TokenObj::PutBytes(const TCharCollection& collection, int codePage) {
  if (collection.Count() == 0) return;
  const std::vector<int32_t>& positions = collection.Positions();
  if (WidenSingleBytes(collection.Bytes(), codePage)) {
    Positions_.insert(Positions_.end(), positions.begin(), positions.end());
    return;
  }
  std::vector<uint32_t> byteIndex;
  const bool multiByte = IsMultiByteCodePage(codePage);
  const std::u16string text =
      MultiByteToWide(codePage, collection.Bytes(), multiByte ? &byteIndex : nullptr);
  Chars_ += text;
  if (text.size() == positions.size()) {
    Positions_.insert(Positions_.end(), positions.begin(), positions.end());
    return;
  }
  if (byteIndex.size() != text.size()) byteIndex.assign(text.size(), 0);  // not expected
  for (size_t i = 0; i < text.size(); ++i) {
    const uint32_t index = byteIndex[i];
    Positions_.push_back(positions[index < positions.size() ? index : positions.size() - 1]);
  }
}

// Widening here spares the general decoder's string and byte index for
// every run of text. False, with nothing widened, when the bytes need that
// decoder.
bool TokenObj::WidenSingleBytes(std::string_view bytes, int codePage) {
  if (!WidensByteForByte(bytes, codePage)) return false;
  const size_t old = Chars_.size();
  Chars_.resize(old + bytes.size());
  WidenBytes(bytes, codePage, Chars_.data() + old);
  return true;
}

bool TokenObj::PutSingleByteRun(std::string_view bytes, int32_t firstPos, int codePage) {
  // Mostly a blank that a run of blanks came down to: worth sparing the
  // run's resizing.
  if (bytes.size() == 1 && static_cast<unsigned char>(bytes.front()) < 0x80 &&
      HasSingleByteCharacters(codePage)) {
    PutChar(static_cast<unsigned char>(bytes.front()), firstPos);
    return true;
  }
  if (!WidenSingleBytes(bytes, codePage)) return false;
  const size_t old = Positions_.size();
  Positions_.resize(old + bytes.size());
  NumberPlaces(bytes.size(), firstPos, Positions_.data() + old);
  return true;
}

bool TokenObj::PutCollapsedRun(std::string_view bytes, std::span<const TBlankRun> blanks,
                               int32_t firstPos, int codePage) {
  if (!InOrderInside(blanks, bytes.size()) || !WidensByteForByte(bytes, codePage)) return false;
  // Each run of blanks leaves one character: the room needed is known, so
  // the buffers grow once and are never cut back.
  size_t count = bytes.size();
  for (const TBlankRun& blank : blanks) count -= static_cast<size_t>(blank.End - blank.Begin - 1);
  const size_t old = Chars_.size();
  Chars_.resize(old + count);
  Positions_.resize(old + count);
  char16_t* chars = Chars_.data() + old;
  int32_t* positions = Positions_.data() + old;
  size_t from = 0;
  const auto widenUpTo = [&](size_t to) {
    const size_t length = to - from;
    WidenBytes(bytes.substr(from, length), codePage, chars);
    NumberPlaces(length, firstPos + static_cast<int32_t>(from), positions);
    chars += length;
    positions += length;
  };
  for (const TBlankRun& blank : blanks) {
    widenUpTo(static_cast<size_t>(blank.Begin));
    *chars++ = u' ';
    *positions++ = firstPos + blank.Begin;
    from = static_cast<size_t>(blank.End);
  }
  widenUpTo(bytes.size());
  return true;
}

void TokenObj::MoveAsciiTo(size_t from, TCharCollection& collection) {
  for (size_t i = from; i < Chars_.size(); ++i)
    collection.Add(static_cast<char>(Chars_[i]), Positions_[i]);
  Chars_.resize(from);
  Positions_.resize(from);
}

// The characters are kept as one string, so the text needs no cache.
const std::u16string& TokenObj::ToText() const { return Chars_; }

}  // namespace folverin

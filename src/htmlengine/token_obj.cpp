#include "htmlengine/token_obj.h"

#include "common/code_page.h"

namespace folverin {

namespace {

constexpr size_t kInitialCapacity = 300;

// Only these code pages can turn several bytes into one character; for the
// others the positions are taken one to one.
bool IsMultiByteCodePage(int codePage) {
  switch (codePage) {
    case 932: case 936: case 949: case 950: case 1361: case kCodePageUtf8: return true;
    default: return false;
  }
}

}  // namespace

TokenObj::TokenObj() {
  Chars_.reserve(kInitialCapacity);
  Positions_.reserve(kInitialCapacity);
}

void TokenObj::Clear() {
  Chars_.clear();
  Positions_.clear();
}

void TokenObj::PutChar(uint32_t ch, int32_t pos) {
  Chars_.push_back(static_cast<char16_t>(ch & 0xFFFF));
  Positions_.push_back(pos);
}

void TokenObj::PutBytes(const TCharCollection& collection, int codePage) {
  if (collection.Count() == 0) return;
  const std::vector<int32_t>& positions = collection.Positions();
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

// The characters are kept as one string, so the text needs no cache.
const std::u16string& TokenObj::ToText() const { return Chars_; }

}  // namespace folverin

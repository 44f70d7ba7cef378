#include "htmlengine/document/selected_text.h"

#include <algorithm>

#include "htmlengine/document/section.h"

namespace folverin {

void TSelTextCount::Put(const char16_t* chars, int count) {
  for (int i = 0; i < count; ++i)
    if (!IsMarker(chars[i])) ++Count;
}

int TSelTextCount::Total() { return Count; }

void TSelTextCount::PutLine(const char16_t* chars, int count) {
  Put(chars, count);
  Put(u"\r\n", 2);
}

void TSelTextBuf::Put(const char16_t* chars, int count) {
  for (int i = 0; i < count && Count < Size - 1; ++i)
    if (!IsMarker(chars[i])) Buffer[Count++] = chars[i];
}

void TSelTextString::Put(const char16_t* chars, int count) {
  if (count <= 0) return;
  const char16_t* end = chars + count;
  if (!ContainsMarker(std::u16string_view(chars, end))) {
    Text.append(chars, end);
    return;
  }
  // The text between the markers goes over in one piece.
  while (chars < end) {
    const char16_t* marker = std::find_if(chars, end, IsMarker);
    Text.append(chars, marker);
    chars = marker == end ? end : marker + 1;
  }
}

int TSelTextBuf::Total() {
  // A buffer of no size has no room even for the terminating 0.
  if (Size > 0) Buffer[Count] = 0;
  return Count + 1;
}

}  // namespace folverin
